#include "SessionQuery.h"

#include "EngineMessages.h"
#include "FieldConversion.h"
#include "QtSession.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

namespace quorvex {
namespace {

constexpr const char* kClosedQuery = "Cannot perform this operation on a closed query";

} // namespace

TSessionQuery::TSessionQuery(TQtSession& session, bool parseParams)
    : m_session(&session)
    , m_parseParams(parseParams)
{
    m_session->Register(*this);
}

TSessionQuery::~TSessionQuery()
{
    Close();
    if (m_session != nullptr)
        m_session->Unregister(*this);
}

void TSessionQuery::SessionDestroyed()
{
    Close();
    m_session = nullptr;
}

TQtSession& TSessionQuery::Session() const
{
    if (m_session == nullptr)
        throw Exception("The query's database session no longer exists");
    return *m_session;
}

void TSessionQuery::SetSQL(std::string_view text)
{
    Close();
    m_lines.clear();
    // Lines end at CR LF, LF or CR; a final line break adds no empty line.
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        m_lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const size_t skip = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        text.remove_prefix(end + skip);
    }
}

void TSessionQuery::ClearSQL()
{
    Close();
    m_lines.clear();
}

void TSessionQuery::AddSQL(std::string_view line)
{
    Close();
    m_lines.emplace_back(line);
}

std::string TSessionQuery::SQLText() const
{
    std::string text;
    for (const auto& line : m_lines)
        text.append(line).append("\r\n");
    return text;
}

void TSessionQuery::StoreParam(std::string_view name, TParamValue value)
{
    if (!m_parseParams)
        return;
    if (!name.empty() && name.front() == ':')
        name.remove_prefix(1);
    // An empty text is sent as null, as Oracle treats it anyway.
    if (const auto* text = std::get_if<std::string>(&value); text != nullptr && text->empty())
        value = std::monostate();
    m_params[sql::ToUpper(name)] = std::move(value);
}

void TSessionQuery::StoreParam(int index, TParamValue value)
{
    if (!m_parseParams)
        return;
    const auto names = ParameterNames(SQLText());
    if (index < 0 || static_cast<size_t>(index) >= names.size())
        throw Exception(messages::ParamIndexOutOfRange(index));
    StoreParam(names[static_cast<size_t>(index)], std::move(value));
}

void TSessionQuery::SetParam(std::string_view name, std::string_view text)
{
    StoreParam(name, TParamValue(std::string(text)));
}

void TSessionQuery::SetParam(std::string_view name, std::int64_t value)
{
    StoreParam(name, TParamValue(value));
}

void TSessionQuery::SetParam(int index, std::string_view text)
{
    StoreParam(index, TParamValue(std::string(text)));
}

void TSessionQuery::SetParam(int index, std::int64_t value)
{
    StoreParam(index, TParamValue(value));
}

void TSessionQuery::Open()
{
    Close();
    const std::string text = SQLText();
    auto cursor = Session().Connection().OpenCursor({text, m_parseParams, &m_params});
    const bool hasRow = cursor->Next();
    std::vector<std::string> names;
    std::vector<bool> longText;
    for (int k = 0; k < cursor->FieldCount(); ++k) {
        names.push_back(cursor->FieldName(k));
        longText.push_back(cursor->IsLongText(k));
    }
    m_cursor = std::move(cursor);
    m_fieldNames = std::move(names);
    m_longText = std::move(longText);
    m_eof = !hasRow;
    m_moved = false;
}

void TSessionQuery::First()
{
    if (!IsOpen())
        throw Exception(kClosedQuery);
    if (m_moved)
        Open();
}

void TSessionQuery::Next()
{
    if (!IsOpen())
        throw Exception(kClosedQuery);
    if (m_eof)
        return;
    m_moved = true;
    try {
        m_eof = !m_cursor->Next();
    } catch (...) {
        Close();
        throw;
    }
}

void TSessionQuery::Close()
{
    m_cursor.reset();
    m_fieldNames.clear();
    m_longText.clear();
    m_eof = true;
    m_moved = false;
}

void TSessionQuery::ExecSQL()
{
    Close();
    const std::string text = SQLText();
    Session().Connection().Execute({text, m_parseParams, &m_params});
}

std::string TSessionQuery::FieldName(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw Exception(messages::FieldIndexOutOfRange(index));
    return m_fieldNames[static_cast<size_t>(index)];
}

int TSessionQuery::FieldIndex(std::string_view name) const
{
    const std::string wanted = sql::ToUpper(name);
    for (size_t k = 0; k < m_fieldNames.size(); ++k)
        if (sql::ToUpper(m_fieldNames[k]) == wanted)
            return static_cast<int>(k);
    return -1;
}

bool TSessionQuery::FieldIsLongText(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw Exception(messages::FieldIndexOutOfRange(index));
    return m_longText[static_cast<size_t>(index)];
}

TFieldValue TSessionQuery::Value(int index) const
{
    if (!IsOpen())
        throw Exception(kClosedQuery);
    if (index < 0 || index >= FieldCount())
        throw Exception(messages::FieldIndexOutOfRange(index));
    return m_eof ? TFieldValue() : m_cursor->Value(index);
}

bool TSessionQuery::IsNull(int index) const
{
    return Value(index).Kind == TFieldValue::TKind::Null;
}

std::string TSessionQuery::AsText(int index) const
{
    return FieldAsText(Value(index));
}

std::int64_t TSessionQuery::AsInteger(int index) const
{
    return FieldAsInteger(Value(index));
}

double TSessionQuery::AsDateTime(int index) const
{
    return FieldAsDateTime(Value(index));
}

double TSessionQuery::AsFloat(int index) const
{
    return FieldAsFloat(Value(index));
}

} // namespace quorvex
