#pragma once

#include "persistence/CleanItem.h"
#include "persistence/Streamed.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex::test {

// A streamed class that uses every kind the generic writer and reader know, including the
// character and set kinds no model class has.
class TSampleObject : public TStreamed {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    char Letter = 'A';
    std::uint32_t Styles = 0; // bits of the members "Bold", "Italic", "Underline", "StrikeOut"
    std::int32_t Number = 0;
    std::string Caption;
    bool Enabled = false;
    double Stamp = 0;
};

inline constexpr std::uint32_t kBold = 1u << 0;
inline constexpr std::uint32_t kItalic = 1u << 1;
inline constexpr std::uint32_t kUnderline = 1u << 2;
inline constexpr std::uint32_t kStrikeOut = 1u << 3;

// Writing its "Trap" property throws while Explode is set; "Payload" comes first in the file,
// so the writer has already produced output when the failure happens.
class TExplodingObject : public TStreamed {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    std::string Payload;
    bool Explode = true;
};

// An item that notes its OID in DestroyedOIDs() when destroyed, to observe freeing order.
class TRecordingItem : public TCleanItem {
public:
    ~TRecordingItem() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    static std::vector<std::int32_t>& DestroyedOIDs();
};

// Registers the model classes and the classes above; safe to call any number of times.
void RegisterAllTestClasses();

} // namespace quorvex::test
