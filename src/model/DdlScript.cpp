#include "DdlScript.h"

#include "DdlNames.h"
#include "DdlTableStatements.h"
#include "DdlViewOrder.h"
#include "ObjectList.h"
#include "OwnerList.h"
#include "persistence/ByteStream.h"

#include <vector>

namespace quorvex {

namespace {

using namespace ddl;

std::string_view TrimmedEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (c != prefix[i])
            return false;
    }
    return true;
}

class TDdlWriter {
public:
    TDdlWriter(const TObjectList& objects, const TOwnerList& owners,
               std::optional<std::int32_t> ownerNo, TByteSink& sink,
               const TSynonymTargets& synonyms)
        : m_sink(sink)
        , m_context(objects, owners, ownerNo)
        , m_synonyms(synonyms)
    {
        for (int i = 0; i < objects.Count(); ++i) {
            const TObjectItem* object = objects.Items(i);
            if (!ownerNo || object->OwnerNo == *ownerNo)
                m_objects.push_back(object);
        }
    }

    void Write()
    {
        Section("Sequences", ObjectTypes::Sequence, &TDdlWriter::Sequence);
        Section("Tables", ObjectTypes::Table, &TDdlWriter::Table);
        Section("Primary and unique keys", ObjectTypes::Table, &TDdlWriter::Keys);
        Section("Indexes", ObjectTypes::Table, &TDdlWriter::Indexes);
        Section("Check constraints", ObjectTypes::Table, &TDdlWriter::Checks);
        Section("Foreign keys", ObjectTypes::Table, &TDdlWriter::ForeignKeys);
        Section("Comments", ObjectTypes::Table, &TDdlWriter::Comments);
        Views();
        Section("Package headers", ObjectTypes::PackageHeader, &TDdlWriter::StoredCode);
        Section("Functions", ObjectTypes::Function, &TDdlWriter::StoredCode);
        Section("Procedures", ObjectTypes::Procedure, &TDdlWriter::StoredCode);
        Section("Package bodies", ObjectTypes::PackageBody, &TDdlWriter::StoredCode);
        Triggers();
        Section("Synonyms", ObjectTypes::Synonym, &TDdlWriter::Synonym);
    }

private:
    // Writes each object of the kind through `part`; the heading only above a section that
    // has a statement.
    void Section(std::string_view heading, int objectType,
                 std::string (TDdlWriter::*part)(const TObjectItem&))
    {
        std::string text;
        for (const TObjectItem* object : m_objects) {
            if (object->ObjectType == objectType)
                text += (this->*part)(*object);
        }
        Emit(heading, text);
    }

    void Emit(std::string_view heading, const std::string& text)
    {
        if (text.empty())
            return;
        m_sink.Write(m_written ? "\n-- " : "-- ");
        m_sink.Write(heading);
        m_sink.Write("\n");
        m_sink.Write(text);
        m_written = true;
    }

    std::string Sequence(const TObjectItem& sequence)
    {
        const std::string name = m_context.Name(sequence);
        // The reader's text names the sequence in quotes and ends its lines in CR LF.
        std::string_view text = TrimmedEnd(sequence.ObjectText);
        const std::string head = "CREATE SEQUENCE \"" + sequence.ObjectName + "\"";
        if (!text.starts_with(head))
            return "CREATE SEQUENCE " + name + ";\n";
        text.remove_prefix(head.size());
        std::string statement = "CREATE SEQUENCE " + name;
        for (const char c : text) {
            if (c != '\r')
                statement += c;
        }
        return statement + (statement.ends_with(';') ? "\n" : ";\n");
    }

    std::string Table(const TObjectItem& table) { return CreateTableText(m_context, table); }
    std::string Keys(const TObjectItem& table) { return KeysText(m_context, table); }
    std::string Indexes(const TObjectItem& table) { return IndexesText(m_context, table); }
    std::string Checks(const TObjectItem& table) { return ChecksText(m_context, table); }
    std::string ForeignKeys(const TObjectItem& table) { return ForeignKeysText(m_context, table); }

    std::string Comments(const TObjectItem& object)
    {
        std::string text;
        const std::string name = m_context.Name(object);
        if (!object.CommentText.empty())
            text += "COMMENT ON TABLE " + name + " IS " + StringLiteral(object.CommentText) + ";\n";
        if (const TFieldList* fields = object.FieldsIfAny()) {
            for (int i = 0; i < fields->Count(); ++i) {
                const TFieldItem* field = fields->Items(i);
                if (!field->CommentText.empty())
                    text += "COMMENT ON COLUMN " + name + "." + QuotedName(field->FieldName) +
                            " IS " + StringLiteral(field->CommentText) + ";\n";
            }
        }
        return text;
    }

    // The query of a view: the reader stores the whole statement, a hand-made model may hold
    // the query alone.
    static std::string ViewQuery(const TObjectItem& view)
    {
        const std::string head = "CREATE OR REPLACE VIEW " + view.ObjectName + " AS ";
        std::string_view text = TrimmedEnd(view.ObjectText);
        if (text.starts_with(head))
            text.remove_prefix(head.size());
        if (text.ends_with(';'))
            text = TrimmedEnd(text.substr(0, text.size() - 1));
        return std::string(text);
    }

    void Views()
    {
        std::vector<const TObjectItem*> views;
        std::vector<std::string> names;
        std::vector<std::string> queries;
        for (const TObjectItem* object : m_objects) {
            if (object->ObjectType == ObjectTypes::View) {
                views.push_back(object);
                names.push_back(object->ObjectName);
                queries.push_back(ViewQuery(*object));
            }
        }
        std::string text;
        std::string comments;
        for (const size_t i : ViewCreationOrder(names, queries)) {
            text += "CREATE OR REPLACE VIEW " + m_context.Name(*views[i]) + " AS\n" + queries[i] +
                    ViewOptionText(*views[i]) + ";\n";
            comments += Comments(*views[i]);
        }
        Emit("Views", text);
        Emit("Comments on views", comments);
    }

    // Stored code as the reader keeps it, with "CREATE OR REPLACE " before it.
    std::string StoredCode(const TObjectItem& unit)
    {
        const std::string_view source = TrimmedEnd(unit.ObjectText);
        if (source.empty())
            return "-- " + std::string(KindName(unit.ObjectType)) + " " + m_context.Name(unit) +
                   ": the model holds no source (read without it)\n";
        return (StartsWithNoCase(source, "CREATE") ? "" : "CREATE OR REPLACE ") +
               std::string(source) + "\n/\n";
    }

    static std::string TriggerText(const TNameStateItem& trigger)
    {
        const std::string_view text = TrimmedEnd(trigger.ObjectText);
        if (text.empty())
            return {};
        return (StartsWithNoCase(text, "CREATE") ? "" : "CREATE OR REPLACE TRIGGER ") +
               std::string(text) + "\n/\n";
    }

    // Triggers of the tables, then those whose table the model does not hold.
    void Triggers()
    {
        std::string text;
        for (const TObjectItem* object : m_objects) {
            if (const TTriggerList* triggers = object->TriggersIfAny()) {
                for (int i = 0; i < triggers->Count(); ++i)
                    text += TriggerText(*triggers->Items(i));
            }
        }
        for (const TObjectItem* object : m_objects) {
            if (object->ObjectType == ObjectTypes::Trigger)
                text += TriggerText(*object);
        }
        Emit("Triggers", text);
    }

    // Without its target no statement can be made, so the script says so rather than fail
    // on a half statement. A target in the script's own schema goes unqualified, as the
    // synonym's own name does.
    std::string Synonym(const TObjectItem& synonym)
    {
        const auto target = m_synonyms.find({synonym.OwnerNo, synonym.ObjectName});
        if (target == m_synonyms.end())
            return "-- CREATE SYNONYM " + m_context.Name(synonym) +
                   " FOR ...; the model does not hold what it stands for\n";
        const TSynonymTarget& to = target->second;
        const bool isPublic = m_context.OwnerName(synonym.OwnerNo) == "PUBLIC";
        return (isPublic ? "CREATE PUBLIC SYNONYM " + QuotedName(synonym.ObjectName)
                         : "CREATE SYNONYM " + m_context.Name(synonym)) +
               " FOR " +
               (to.Link.empty() ? m_context.NameOfOwner(to.Owner, to.Name)
                                : QualifiedName(to.Owner, to.Name) + "@" + to.Link) +
               ";\n";
    }

    TByteSink& m_sink;
    TDdlContext m_context;
    const TSynonymTargets& m_synonyms;
    std::vector<const TObjectItem*> m_objects;
    bool m_written = false;
};

} // namespace

void WriteDdlScript(const TObjectList& objects, const TOwnerList& owners,
                    std::optional<std::int32_t> ownerNo, TByteSink& sink,
                    const TSynonymTargets& synonyms)
{
    TDdlWriter(objects, owners, ownerNo, sink, synonyms).Write();
}

} // namespace quorvex
