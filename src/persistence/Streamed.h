#pragma once

#include "ClassInfo.h"

#include <cstdint>
#include <string>

namespace quorvex {

// Base of every object that can be written to a snapshot file and read back: the model items
// and lists and the model root. A class describes its stored properties once, in its
// TClassInfo; the writer, the reader, Assign-by-name and the text report are driven by that.
// Every instance counts in the live-object counter.
class TStreamed {
public:
    TStreamed() noexcept;
    TStreamed(const TStreamed&) = delete;
    TStreamed& operator=(const TStreamed&) = delete;
    virtual ~TStreamed();

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const TClassInfo& ancestor) const
    {
        return ClassInfo().InheritsFrom(ancestor);
    }

    // Copies the values of another object; the base accepts nothing and aborts silently.
    virtual void Assign(const TStreamed& source);

    // Always 1, whatever a file stored.
    std::int32_t GetVersion() const { return 1; }
    void SetVersion(std::int32_t) {}

    // The statement or source that creates the object; empty for anything but schema items.
    virtual std::string GetCreatingText() const;

    // Called by the snapshot reader once the object's record has been read, so a class can
    // bring what it read into its lasting form.
    virtual void Loaded() {}

protected:
    // Copies one stored property from `source` when both classes have it under that name with
    // the same kind. Returns whether it was copied.
    bool CopyPropertyByName(const TStreamed& source, std::string_view name);
};

} // namespace quorvex
