#include "SnapshotWriter.h"

#include "ByteStream.h"
#include "CleanList.h"
#include "Extended80.h"
#include "SnapshotFormat.h"
#include "Streamed.h"

namespace quorvex {

namespace {

using namespace snapshot;

class TSnapshotWriter {
public:
    explicit TSnapshotWriter(TByteSink& sink)
        : m_sink(sink)
    {
    }

    void WriteRoot(const TStreamed& root)
    {
        m_sink.Write(kSignature);
        WriteObject(root, {});
    }

private:
    void WriteText(std::string_view text)
    {
        if (text.size() <= 255) {
            m_sink.WriteByte(kString);
            m_sink.WriteByte(static_cast<std::uint8_t>(text.size()));
        } else {
            m_sink.WriteByte(kLString);
            WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
        }
        m_sink.Write(text);
    }

    void WriteLittleEndian(std::uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_sink.WriteByte(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    void WriteInteger(std::int32_t value)
    {
        if (value >= -128 && value <= 127) {
            m_sink.WriteByte(kInt8);
            WriteLittleEndian(static_cast<std::uint32_t>(value), 1);
        } else if (value >= -32768 && value <= 32767) {
            m_sink.WriteByte(kInt16);
            WriteLittleEndian(static_cast<std::uint32_t>(value), 2);
        } else {
            m_sink.WriteByte(kInt32);
            WriteLittleEndian(static_cast<std::uint32_t>(value), 4);
        }
    }

    void WriteClassName(std::string_view name)
    {
        m_sink.WriteByte(kIdent);
        m_sink.WriteByte(static_cast<std::uint8_t>(name.size()));
        m_sink.Write(name);
    }

    void WriteObject(const TStreamed& object, std::string_view propertyName)
    {
        const TClassInfo& info = object.ClassInfo();
        WriteClassName(info.Name);
        if (!propertyName.empty())
            WriteText(propertyName);
        for (const TPropInfo& p : info.Props)
            WriteProperty(object, p);
        if (info.IsList()) {
            const auto& list = static_cast<const TCleanList&>(object);
            WriteText(kItemsName);
            m_sink.WriteByte(kList);
            m_sink.WriteByte(kList);
            for (int i = 0; i < list.Count(); ++i)
                WriteObject(*list.Items(i), {});
            m_sink.WriteByte(kNull);
        }
        m_sink.WriteByte(kNull);
    }

    void WriteProperty(const TStreamed& object, const TPropInfo& p)
    {
        switch (p.Kind) {
        case TPropKind::Integer:
            WriteText(p.Name);
            WriteInteger(p.GetInt(object));
            break;
        case TPropKind::Text:
            WriteText(p.Name);
            WriteText(p.GetText(object));
            break;
        case TPropKind::Boolean:
            WriteText(p.Name);
            WriteText(p.GetInt(object) != 0 ? kTrue : kFalse);
            break;
        case TPropKind::DateTime: {
            WriteText(p.Name);
            m_sink.WriteByte(kExtended);
            const Extended80 bytes = DoubleToExtended(p.GetFloat(object));
            m_sink.Write(bytes.data(), bytes.size());
            break;
        }
        case TPropKind::Char: {
            WriteText(p.Name);
            const char c = static_cast<char>(p.GetInt(object));
            WriteText(std::string_view(&c, 1));
            break;
        }
        case TPropKind::Set: {
            WriteText(p.Name);
            m_sink.WriteByte(kSet);
            m_sink.WriteByte(kList);
            const auto bits = static_cast<std::uint32_t>(p.GetInt(object));
            for (size_t bit = 0; bit < p.SetMembers.size() && bit < 32; ++bit) {
                if ((bits >> bit) & 1u)
                    WriteText(p.SetMembers[bit]);
            }
            m_sink.WriteByte(kNull);
            break;
        }
        case TPropKind::Object:
            if (const TStreamed* nested = p.GetObject(object)) {
                WriteObject(*nested, p.Name);
            } else if (p.ObtainObject != nullptr) {
                // Reading the property would create an empty object; write what it would hold.
                const auto empty = p.ObjectClass()->Create();
                WriteObject(*empty, p.Name);
            }
            break;
        }
    }

    TByteSink& m_sink;
};

} // namespace

void WriteSnapshot(const TStreamed& root, TByteSink& sink)
{
    TSnapshotWriter(sink).WriteRoot(root);
    sink.Flush();
}

std::string SaveToString(const TStreamed& root)
{
    TStringSink sink;
    WriteSnapshot(root, sink);
    return std::move(sink.Bytes());
}

void SaveToFile(const TStreamed& root, const std::string& fileName)
{
    TSafeFileSink sink(fileName);
    WriteSnapshot(root, sink);
    sink.Commit();
}

} // namespace quorvex
