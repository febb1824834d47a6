#include "ScriptSplitter.h"

#include "persistence/AsciiText.h"

#include <algorithm>
#include <optional>

namespace quorvex {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Bytes above ASCII count as letters: names may hold any national character.
bool IsWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '#' || static_cast<unsigned char>(c) >= 0x80;
}

std::string_view TrimmedRight(std::string_view text)
{
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::string_view Trimmed(std::string_view text)
{
    text = TrimmedRight(text);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The line's blank-separated words, each without one trailing ";" ("EXIT;" is EXIT).
std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        if (IsBlank(line[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        std::string_view word = line.substr(at, end - at);
        if (word.size() > 1 && word.back() == ';')
            word.remove_suffix(1);
        words.push_back(word);
        at = end;
    }
    return words;
}

// `word` is `name` or an abbreviation of it at least `shortest` letters long, in any case.
bool Abbreviates(std::string_view word, std::string_view name, size_t shortest)
{
    return word.size() >= shortest && word.size() <= name.size() &&
           SameTextAscii(word, name.substr(0, word.size()));
}

struct TCommandName {
    std::string_view Name;
    size_t Shortest;
};

// SQL*Plus commands that only change what SQL*Plus shows or keeps, skipped with their lines.
// Commands that would do something (HOST, EXECUTE, VARIABLE) are left to fail as SQL.
constexpr TCommandName kSkippedCommands[] = {
    {"REMARK", 3}, {"PROMPT", 3},   {"SET", 3},    {"SPOOL", 3},  {"COLUMN", 3},
    {"DEFINE", 3}, {"UNDEFINE", 5}, {"SHOW", 3},   {"PAUSE", 3},  {"CLEAR", 2},
    {"BREAK", 3},  {"TTITLE", 3},   {"BTITLE", 3}, {"TIMING", 4}, {"DESCRIBE", 4},
};

// SET starts these SQL statements rather than the SQL*Plus command.
constexpr std::string_view kSqlSetWords[] = {"TRANSACTION", "ROLE", "CONSTRAINT", "CONSTRAINTS"};

// The upper-case words at the start of a statement, passing over comments, for telling a
// PL/SQL unit by its first words; any other character is a word of its own.
class TLeadingWords {
public:
    explicit TLeadingWords(std::string_view text)
        : m_text(text)
    {
    }

    std::string Next()
    {
        while (m_at < m_text.size()) {
            const std::string_view rest = m_text.substr(m_at);
            if (IsBlank(rest.front()) || rest.front() == '\n') {
                ++m_at;
            } else if (rest.starts_with("--")) {
                const size_t end = rest.find('\n');
                m_at = end == npos ? m_text.size() : m_at + end;
            } else if (rest.starts_with("/*")) {
                const size_t end = rest.find("*/", 2);
                m_at = end == npos ? m_text.size() : m_at + end + 2;
            } else {
                size_t end = 0;
                while (end < rest.size() && IsWordChar(rest[end]))
                    ++end;
                end = std::max<size_t>(end, 1);
                m_at += end;
                return UpperAsciiText(rest.substr(0, end));
            }
        }
        return {};
    }

private:
    std::string_view m_text;
    size_t m_at = 0;
};

bool StartsPlSqlUnit(std::string_view text)
{
    TLeadingWords words(text);
    std::string word = words.Next();
    if (word == "BEGIN" || word == "DECLARE")
        return true;
    if (word != "CREATE")
        return false;
    word = words.Next();
    if (word == "OR") {
        if (words.Next() != "REPLACE")
            return false;
        word = words.Next();
    }
    if (word == "EDITIONABLE" || word == "NONEDITIONABLE")
        word = words.Next();
    return word == "PROCEDURE" || word == "FUNCTION" || word == "PACKAGE" || word == "TRIGGER" ||
           word == "TYPE";
}

// The closing delimiter of q'X...X': brackets close with their partner, anything else with
// itself.
char QuoteClosing(char opening)
{
    switch (opening) {
    case '[':
        return ']';
    case '{':
        return '}';
    case '(':
        return ')';
    case '<':
        return '>';
    default:
        return opening;
    }
}

// The quote at `at` opens q'...' (or nq'...'): a q right before it that starts a word.
bool OpensQQuote(std::string_view line, size_t at)
{
    if (at == 0 || (line[at - 1] != 'q' && line[at - 1] != 'Q'))
        return false;
    if (at + 1 >= line.size() || IsBlank(line[at + 1]))
        return false;
    if (at < 2 || !IsWordChar(line[at - 2]))
        return true;
    return (line[at - 2] == 'n' || line[at - 2] == 'N') && (at < 3 || !IsWordChar(line[at - 3]));
}

class TScriptSplitter {
public:
    std::vector<TScriptItem> Split(std::string_view text);

private:
    // Where a line starts: in code, or inside something begun on an earlier line.
    enum class TLex { Code, BlockComment, Quote, QQuote, Identifier };

    void OnLine(std::string_view line);
    bool OnCommand(std::string_view line);
    size_t SkipBlanksAndComments(std::string_view line, size_t at);
    size_t ScanLine(std::string_view line);
    void EnterLex(TLex lex)
    {
        m_lex = lex;
        m_lexLine = m_lineNo;
    }
    bool IsPlSql();
    void Add(TScriptItem::TKind kind, int line, std::string text)
    {
        m_items.push_back({kind, line, std::move(text)});
    }
    void EndStatement(std::string_view text);
    void EndOfText();

    std::vector<TScriptItem> m_items;
    int m_lineNo = 0;
    TLex m_lex = TLex::Code;
    int m_lexLine = 0;
    char m_quoteClosing = 0;
    bool m_continuesCommand = false;
    bool m_inStatement = false;
    int m_firstLine = 0;
    std::string m_text;
    std::optional<bool> m_plSql; // decided at the first ";" that could end the statement
};

std::vector<TScriptItem> TScriptSplitter::Split(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        ++m_lineNo;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        OnLine(line);
        text.remove_prefix(end == npos ? text.size() : end + 1);
    }
    EndOfText();
    return std::move(m_items);
}

void TScriptSplitter::OnLine(std::string_view line)
{
    size_t from = 0;
    if (!m_inStatement) {
        if (m_continuesCommand) {
            m_continuesCommand = Trimmed(line).ends_with(" -");
            return;
        }
        from = SkipBlanksAndComments(line, 0);
        if (from == line.size())
            return;
        // A "/" with nothing before it would run the last statement again; a script that ends
        // every statement with both ";" and "/" means it once.
        if (Trimmed(line.substr(from)) == "/" || OnCommand(line.substr(from)))
            return;
        m_inStatement = true;
        m_firstLine = m_lineNo;
        m_text.clear();
        m_plSql.reset();
    } else if (m_lex == TLex::Code && Trimmed(line) == "/") {
        EndStatement(m_text);
        return;
    }
    const std::string_view part = line.substr(from);
    if (m_lineNo != m_firstLine)
        m_text += '\n';
    const size_t offset = m_text.size();
    const size_t semicolon = ScanLine(part);
    m_text.append(part);
    if (semicolon != npos && !IsPlSql())
        EndStatement(std::string_view(m_text).substr(0, offset + semicolon));
}

bool TScriptSplitter::OnCommand(std::string_view line)
{
    using TKind = TScriptItem::TKind;
    if (line.starts_with('@')) {
        std::string_view name = Trimmed(line.substr(line.starts_with("@@") ? 2 : 1));
        const std::vector<std::string_view> words = Words(name);
        if (words.empty())
            Add(TKind::Problem, m_lineNo, "@ needs the name of a script file");
        else
            Add(TKind::Include, m_lineNo, std::string(words.front()));
        return true;
    }
    const std::vector<std::string_view> words = Words(line);
    const std::string_view command = words.front();
    if (Abbreviates(command, "START", 3)) {
        if (words.size() < 2)
            Add(TKind::Problem, m_lineNo, "START needs the name of a script file");
        else
            Add(TKind::Include, m_lineNo, std::string(words[1]));
        return true;
    }
    if (SameTextAscii(command, "EXIT") || SameTextAscii(command, "QUIT")) {
        Add(TKind::Exit, m_lineNo, {});
        return true;
    }
    if (SameTextAscii(command, "WHENEVER")) {
        if (words.size() >= 3 && SameTextAscii(words[1], "SQLERROR")) {
            if (SameTextAscii(words[2], "EXIT"))
                Add(TKind::StopOnError, m_lineNo, {});
            else if (SameTextAscii(words[2], "CONTINUE"))
                Add(TKind::ContinueOnError, m_lineNo, {});
        }
        return true;
    }
    if (SameTextAscii(command, "SET") && words.size() >= 2) {
        for (const std::string_view sqlWord : kSqlSetWords) {
            if (SameTextAscii(words[1], sqlWord))
                return false;
        }
    }
    for (const TCommandName& skipped : kSkippedCommands) {
        if (Abbreviates(command, skipped.Name, skipped.Shortest)) {
            // Remarks and prompts are text: a "-" at their end is not a continuation.
            const bool text = skipped.Name == "REMARK" || skipped.Name == "PROMPT";
            m_continuesCommand = !text && Trimmed(line).ends_with(" -");
            return true;
        }
    }
    return false;
}

// Moves over blanks and comments from `at`, also one begun on an earlier line; the position of
// the first other character, or the line's size.
size_t TScriptSplitter::SkipBlanksAndComments(std::string_view line, size_t at)
{
    while (at < line.size() || m_lex == TLex::BlockComment) {
        if (m_lex == TLex::BlockComment) {
            const size_t close = line.find("*/", at);
            if (close == npos)
                return line.size();
            m_lex = TLex::Code;
            at = close + 2;
        } else if (IsBlank(line[at])) {
            ++at;
        } else if (line.substr(at).starts_with("--")) {
            return line.size();
        } else if (line.substr(at).starts_with("/*")) {
            EnterLex(TLex::BlockComment);
            at += 2;
        } else {
            return at;
        }
    }
    return line.size();
}

// Moves the lexical state over a line of a statement. The position of a ";" that ends the line
// outside quotes and comments (blanks and comments may follow it), or npos.
size_t TScriptSplitter::ScanLine(std::string_view line)
{
    size_t semicolon = npos;
    size_t at = 0;
    while (at < line.size()) {
        switch (m_lex) {
        case TLex::BlockComment: {
            const size_t close = line.find("*/", at);
            if (close == npos)
                return npos;
            m_lex = TLex::Code;
            at = close + 2;
            break;
        }
        case TLex::Quote: {
            const size_t quote = line.find('\'', at);
            if (quote == npos)
                return npos;
            // '' is a quote inside the text.
            if (quote + 1 < line.size() && line[quote + 1] == '\'') {
                at = quote + 2;
            } else {
                m_lex = TLex::Code;
                at = quote + 1;
            }
            break;
        }
        case TLex::QQuote: {
            const size_t close = line.find(m_quoteClosing, at);
            if (close == npos)
                return npos;
            if (close + 1 < line.size() && line[close + 1] == '\'') {
                m_lex = TLex::Code;
                at = close + 2;
            } else {
                at = close + 1;
            }
            break;
        }
        case TLex::Identifier: {
            const size_t quote = line.find('"', at);
            if (quote == npos)
                return npos;
            m_lex = TLex::Code;
            at = quote + 1;
            break;
        }
        case TLex::Code: {
            const char c = line[at];
            const std::string_view rest = line.substr(at);
            if (IsBlank(c)) {
                ++at;
            } else if (rest.starts_with("--")) {
                return semicolon;
            } else if (rest.starts_with("/*")) {
                EnterLex(TLex::BlockComment);
                at += 2;
            } else if (c == ';') {
                semicolon = at++;
            } else {
                semicolon = npos;
                if (c == '\'' && OpensQQuote(line, at)) {
                    EnterLex(TLex::QQuote);
                    m_quoteClosing = QuoteClosing(line[at + 1]);
                    at += 2;
                    break;
                }
                if (c == '\'')
                    EnterLex(TLex::Quote);
                else if (c == '"')
                    EnterLex(TLex::Identifier);
                ++at;
            }
            break;
        }
        }
    }
    return m_lex == TLex::Code ? semicolon : npos;
}

bool TScriptSplitter::IsPlSql()
{
    if (!m_plSql)
        m_plSql = StartsPlSqlUnit(m_text);
    return *m_plSql;
}

void TScriptSplitter::EndStatement(std::string_view text)
{
    Add(TScriptItem::TKind::Statement, m_firstLine, std::string(TrimmedRight(text)));
    m_inStatement = false;
    m_text.clear();
}

void TScriptSplitter::EndOfText()
{
    const auto from = [&] { return "; the statement from line " + std::to_string(m_firstLine); };
    std::string what;
    switch (m_lex) {
    case TLex::Code:
        if (m_inStatement)
            Add(TScriptItem::TKind::Problem, m_firstLine,
                "the statement is not ended by \";\" or a \"/\" line before the end of the "
                "file; it was not run");
        return;
    case TLex::BlockComment:
        what = "the comment";
        break;
    case TLex::Quote:
    case TLex::QQuote:
        what = "the quoted text";
        break;
    case TLex::Identifier:
        what = "the quoted name";
        break;
    }
    Add(TScriptItem::TKind::Problem, m_lexLine,
        what + " begun here is not closed by the end of the file" +
            (m_inStatement ? from() + " was not run" : ""));
}

} // namespace

std::vector<TScriptItem> SplitScript(std::string_view text)
{
    return TScriptSplitter().Split(text);
}

} // namespace quorvex
