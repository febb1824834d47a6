#include "SnapshotReader.h"

#include "AsciiText.h"
#include "ByteStream.h"
#include "ClassRegistry.h"
#include "CleanList.h"
#include "Exceptions.h"
#include "Extended80.h"
#include "SnapshotFormat.h"
#include "Streamed.h"

#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

namespace {

using namespace snapshot;

[[noreturn]] void InvalidValue()
{
    throw EReadError(messages::kInvalidPropertyValue);
}

class TSnapshotReader {
public:
    explicit TSnapshotReader(TByteSource& source)
        : m_in(source)
    {
    }

    std::unique_ptr<TStreamed> ReadRoot(const TClassInfo& rootClass)
    {
        char signature[4];
        m_in.Read(signature, sizeof signature);
        if (std::string_view(signature, 4) != kSignature)
            throw EReadError(messages::kInvalidStreamFormat);
        std::string name = ReadClassName();
        if (name != rootClass.Name)
            throw ELoadClassFailed(messages::IncompatibleClasses(name, rootClass.Name));
        auto root = rootClass.Create();
        ReadBody(root.get(), 0);
        return root;
    }

private:
    static std::uint8_t Low7(std::uint8_t tag) { return tag & 0x7F; }

    std::uint32_t ReadLittleEndian(int bytes)
    {
        std::uint8_t buffer[4] = {};
        // Fixed sizes let the compiler copy inline.
        if (bytes == 4)
            m_in.Read(buffer, 4);
        else
            m_in.Read(buffer, 2);
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | buffer[i];
        return value;
    }

    std::string ReadClassName()
    {
        if (Low7(m_in.ReadByte()) != kIdent)
            InvalidValue();
        return m_in.ReadString(m_in.ReadByte());
    }

    // A text with its tag (short or long).
    void ReadText(std::string& out)
    {
        const std::uint8_t tag = Low7(m_in.ReadByte());
        size_t length = 0;
        if (tag == kString)
            length = m_in.ReadByte();
        else if (tag == kLString)
            length = ReadLittleEndian(4);
        else
            InvalidValue();
        m_in.ReadInto(out, length);
    }

    std::int32_t ReadIntegerAfterTag(std::uint8_t tag)
    {
        switch (tag) {
        case kInt8:
            return static_cast<std::int8_t>(m_in.ReadByte());
        case kInt16:
            return static_cast<std::int16_t>(ReadLittleEndian(2));
        default:
            return static_cast<std::int32_t>(ReadLittleEndian(4));
        }
    }

    // Files spell names as the tables do, so the bytes are compared before the letter case is
    // folded.
    static bool SameName(std::string_view a, std::string_view b) noexcept
    {
        return a.size() == b.size() &&
               (std::memcmp(a.data(), b.data(), a.size()) == 0 || SameTextAscii(a, b));
    }

    // Looks the name up, trying the property after the previous one first: files list
    // properties in table order, so this is nearly always a hit.
    const TPropInfo* FindProp(const TClassInfo* info, const std::string& name, size_t& next)
    {
        if (info == nullptr)
            return nullptr;
        if (next < info->Props.size() && SameName(info->Props[next].Name, name))
            return &info->Props[next++];
        const TPropInfo* p = info->FindProp(name);
        if (p != nullptr)
            next = static_cast<size_t>(p - info->Props.data()) + 1;
        return p;
    }

    void EnterNested(int depth)
    {
        if (depth >= kMaxDepth)
            throw EReadError(std::string(messages::kInvalidPropertyValue) +
                             ": objects nested more than " + std::to_string(kMaxDepth) +
                             " levels deep");
    }

    // Reads properties (and an item block) until the closing 00, into `target` or, when it is
    // absent, into nothing.
    void ReadBody(TStreamed* target, int depth)
    {
        EnterNested(depth);
        const TClassInfo* info = target != nullptr ? &target->ClassInfo() : nullptr;
        size_t next = 0;
        std::string name;
        while (m_in.PeekByte() != kNull) {
            if (Low7(m_in.PeekByte()) == kIdent) {
                ReadNestedObject(target, info, next, depth);
                continue;
            }
            ReadText(name);
            const TPropInfo* p = FindProp(info, name, next);
            if (!ReadValue(target, p, depth))
                break;
        }
        if (m_in.ReadByte() != kNull)
            InvalidValue();
        if (target != nullptr)
            target->Loaded();
    }

    void ReadNestedObject(TStreamed* target, const TClassInfo* info, size_t& next, int depth)
    {
        const std::string className = ReadClassName();
        std::string propertyName;
        ReadText(propertyName);
        const TPropInfo* p = FindProp(info, propertyName, next);
        TStreamed* nested = nullptr;
        if (p != nullptr && p->Kind == TPropKind::Object) {
            if (p->ObtainObject != nullptr) {
                nested = p->ObtainObject(*target);
            } else if (p->SetObject != nullptr) {
                auto created = CreateByName(className);
                if (!created->InheritsFrom(*p->ObjectClass()))
                    InvalidValue();
                nested = created.get();
                p->SetObject(*target, std::move(created));
            }
        }
        ReadBody(nested, depth + 1);
    }

    // Reads one value after a property name. Returns false when the tag ends the record.
    bool ReadValue(TStreamed* target, const TPropInfo* p, int depth)
    {
        const std::uint8_t tag = Low7(m_in.PeekByte());
        const bool store = target != nullptr && p != nullptr && p->Writable();
        switch (tag) {
        case kInt8:
        case kInt16:
        case kInt32: {
            m_in.ReadByte();
            const std::int32_t value = ReadIntegerAfterTag(tag);
            if (store)
                StoreInteger(*target, *p, value);
            return true;
        }
        case kExtended: {
            m_in.ReadByte();
            Extended80 bytes;
            m_in.Read(bytes.data(), bytes.size());
            if (store) {
                if (p->Kind != TPropKind::DateTime)
                    InvalidValue();
                p->SetFloat(*target, ExtendedToDouble(bytes));
            }
            return true;
        }
        case kString:
        case kLString: {
            std::string text;
            ReadText(text);
            if (store)
                StoreText(*target, *p, std::move(text));
            return true;
        }
        case kSet:
            ReadSet(target, store ? p : nullptr);
            return true;
        case kList:
            ReadItems(target, depth);
            return true;
        default:
            return false; // 00 or an unknown tag: the closing 00 is checked by the caller
        }
    }

    void StoreInteger(TStreamed& target, const TPropInfo& p, std::int32_t value)
    {
        if (p.Kind == TPropKind::Integer)
            p.SetInt(target, value);
        else if (p.Kind == TPropKind::DateTime)
            p.SetFloat(target, value);
        else
            InvalidValue();
    }

    void StoreText(TStreamed& target, const TPropInfo& p, std::string&& text)
    {
        switch (p.Kind) {
        case TPropKind::Text:
            p.SetText(target, std::move(text));
            break;
        case TPropKind::Char:
            if (text.empty())
                InvalidValue();
            p.SetInt(target, static_cast<unsigned char>(text[0]));
            break;
        case TPropKind::Boolean:
            if (SameTextAscii(text, kFalse))
                p.SetInt(target, 0);
            else if (SameTextAscii(text, kTrue))
                p.SetInt(target, 1);
            else
                InvalidValue();
            break;
        default:
            InvalidValue();
        }
    }

    void ReadSet(TStreamed* target, const TPropInfo* p)
    {
        m_in.ReadByte(); // the set tag
        if (m_in.ReadByte() != kList)
            InvalidValue();
        if (p != nullptr && p->Kind != TPropKind::Set)
            InvalidValue();
        std::uint32_t bits = 0;
        std::string member;
        while (m_in.PeekByte() != kNull) {
            ReadText(member);
            for (size_t bit = 0; p != nullptr && bit < p->SetMembers.size() && bit < 32; ++bit) {
                if (SameTextAscii(p->SetMembers[bit], member))
                    bits |= std::uint32_t{1} << bit;
            }
        }
        m_in.ReadByte();
        if (p != nullptr)
            p->SetInt(*target, static_cast<std::int32_t>(bits));
    }

    void ReadItems(TStreamed* target, int depth)
    {
        m_in.ReadByte();
        if (m_in.ReadByte() != kList)
            InvalidValue();
        auto* list = target != nullptr && target->ClassInfo().IsList()
                         ? static_cast<TCleanList*>(target)
                         : nullptr;
        while (m_in.PeekByte() != kNull) {
            const std::string className = ReadClassName();
            const TClassInfo* itemClass = FindItemClass(className);
            if (itemClass == nullptr || itemClass->Create == nullptr)
                throw EClassNotFound(messages::ClassNotFound(className));
            if (list == nullptr) {
                ReadBody(nullptr, depth + 1);
                continue;
            }
            // A list holds only items of its own item class, whatever a file says.
            if (!itemClass->InheritsFrom(list->ItemClass()))
                InvalidValue();
            std::unique_ptr<TCleanItem> item(
                static_cast<TCleanItem*>(itemClass->Create().release()));
            TCleanItem* raw = item.get();
            list->Add(std::move(item));
            ReadBody(raw, depth + 1);
        }
        m_in.ReadByte();
        // Growth by doubling leaves up to half of the item storage unused; a loaded model keeps
        // its lists for long, and a table has few columns, so the storage is cut to size.
        if (list != nullptr)
            list->TrimCapacity();
    }

    // FindClass, remembering the classes found: a file names a few classes a million times.
    const TClassInfo* FindItemClass(const std::string& name)
    {
        for (const auto& [known, info] : m_classes) {
            if (known == name)
                return info;
        }
        const TClassInfo* info = FindClass(name);
        if (info != nullptr)
            m_classes.emplace_back(name, info);
        return info;
    }

    TByteSource& m_in;
    std::vector<std::pair<std::string, const TClassInfo*>> m_classes;
};

} // namespace

std::unique_ptr<TStreamed> ReadSnapshot(const TClassInfo& rootClass, TByteSource& source)
{
    return TSnapshotReader(source).ReadRoot(rootClass);
}

std::unique_ptr<TStreamed> CreateFromFile(const TClassInfo& rootClass, const std::string& fileName)
{
    TFileSource source(fileName);
    return ReadSnapshot(rootClass, source);
}

std::unique_ptr<TStreamed> CreateFromString(const TClassInfo& rootClass, std::string_view bytes)
{
    TMemorySource source(bytes);
    return ReadSnapshot(rootClass, source);
}

} // namespace quorvex
