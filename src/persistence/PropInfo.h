#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quorvex {

class TStreamed;
struct TClassInfo;

// The kinds of stored property the snapshot writer and reader know.
enum class TPropKind : std::uint8_t {
    Integer,  // 32-bit signed
    Text,     // 8-bit text
    Boolean,  // enumeration False / True
    DateTime, // floating-point day number
    Object,   // nested streamed object
    Char,     // one character
    Set,      // up to 32 named members
};

// One entry of a class's stored-property table. The accessors matching the kind are set;
// a property without a setter is read-only (the reader skips its value).
struct TPropInfo {
    TPropInfo(std::string_view name, TPropKind kind)
        : Name(name)
        , Kind(kind)
    {
    }

    std::string_view Name;
    TPropKind Kind = TPropKind::Integer;

    // Integer, Boolean (0/1), Char (the byte) and Set (the bits) go through the integer pair.
    std::int32_t (*GetInt)(const TStreamed&) = nullptr;
    void (*SetInt)(TStreamed&, std::int32_t) = nullptr;
    std::string_view (*GetText)(const TStreamed&) = nullptr;
    void (*SetText)(TStreamed&, std::string&&) = nullptr;
    double (*GetFloat)(const TStreamed&) = nullptr;
    void (*SetFloat)(TStreamed&, double) = nullptr;

    // Nested objects: the current value (may be absent), the value created on first read
    // (for lists an owner creates lazily), and a setter taking ownership.
    const TStreamed* (*GetObject)(const TStreamed&) = nullptr;
    TStreamed* (*ObtainObject)(TStreamed&) = nullptr;
    void (*SetObject)(TStreamed&, std::unique_ptr<TStreamed>) = nullptr;
    const TClassInfo* (*ObjectClass)() = nullptr;

    // Set members, bit 0 first.
    std::span<const std::string_view> SetMembers;

    bool Writable() const
    {
        switch (Kind) {
        case TPropKind::Text:
            return SetText != nullptr;
        case TPropKind::DateTime:
            return SetFloat != nullptr;
        case TPropKind::Object:
            return SetObject != nullptr || ObtainObject != nullptr;
        default:
            return SetInt != nullptr;
        }
    }
};

namespace detail {
template <class>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};
} // namespace detail

// Builders for table entries over public data members.
template <auto Member>
TPropInfo IntegerProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::Integer};
    p.GetInt = [](const TStreamed& o) -> std::int32_t { return static_cast<const C&>(o).*Member; };
    p.SetInt = [](TStreamed& o, std::int32_t v) { static_cast<C&>(o).*Member = v; };
    return p;
}

template <auto Member>
TPropInfo TextProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::Text};
    p.GetText = [](const TStreamed& o) -> std::string_view {
        return static_cast<const C&>(o).*Member;
    };
    p.SetText = [](TStreamed& o, std::string&& v) { static_cast<C&>(o).*Member = std::move(v); };
    return p;
}

template <auto Member>
TPropInfo BooleanProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::Boolean};
    p.GetInt = [](const TStreamed& o) -> std::int32_t {
        return (static_cast<const C&>(o).*Member) ? 1 : 0;
    };
    p.SetInt = [](TStreamed& o, std::int32_t v) { static_cast<C&>(o).*Member = v != 0; };
    return p;
}

template <auto Member>
TPropInfo DateTimeProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::DateTime};
    p.GetFloat = [](const TStreamed& o) -> double { return static_cast<const C&>(o).*Member; };
    p.SetFloat = [](TStreamed& o, double v) { static_cast<C&>(o).*Member = v; };
    return p;
}

template <auto Member>
TPropInfo CharProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::Char};
    p.GetInt = [](const TStreamed& o) -> std::int32_t {
        return static_cast<unsigned char>(static_cast<const C&>(o).*Member);
    };
    p.SetInt = [](TStreamed& o, std::int32_t v) {
        static_cast<C&>(o).*Member = static_cast<char>(v);
    };
    return p;
}

template <auto Member>
TPropInfo SetProp(std::string_view name, std::span<const std::string_view> members)
{
    using C = typename detail::MemberOf<decltype(Member)>::Class;
    TPropInfo p{name, TPropKind::Set};
    p.GetInt = [](const TStreamed& o) -> std::int32_t {
        return static_cast<std::int32_t>(static_cast<const C&>(o).*Member);
    };
    p.SetInt = [](TStreamed& o, std::int32_t v) {
        static_cast<C&>(o).*Member = static_cast<std::uint32_t>(v);
    };
    p.SetMembers = members;
    return p;
}

// A nested object owned by the class and created on first read. `Getter` returns the current
// value or nullptr; `Obtain` creates it when absent. T is the nested object's class.
template <class T, auto Getter, auto Obtain>
TPropInfo OwnedObjectProp(std::string_view name)
{
    using C = typename detail::MemberOf<decltype(Getter)>::Class;
    TPropInfo p{name, TPropKind::Object};
    p.GetObject = [](const TStreamed& o) -> const TStreamed* {
        return (static_cast<const C&>(o).*Getter)();
    };
    p.ObtainObject = [](TStreamed& o) -> TStreamed* { return &(static_cast<C&>(o).*Obtain)(); };
    p.ObjectClass = [] { return &T::StaticClass(); };
    return p;
}

} // namespace quorvex
