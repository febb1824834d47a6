#include "ScriptRunner.h"

#include "DatabaseSession.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace quorvex {

namespace {

namespace fs = std::filesystem;

// Far beyond any hand-written schema; a bigger file is more likely a mistake (a dump, a log)
// than a script, and would be held in memory whole.
constexpr std::uintmax_t kMaxScriptBytes = 64 << 20;
constexpr size_t kMaxDepth = 20;
// Scripts that include others many times each multiply: without a bound a few small files could
// keep a run going for ever.
constexpr int kMaxIncludes = 10000;

std::string Quoted(const std::string& fileName)
{
    return "\"" + fileName + "\"";
}

// The path that tells whether a script is already running, however it was named.
std::string FullPath(const std::string& fileName)
{
    std::error_code error;
    const fs::path path = fs::weakly_canonical(fileName, error);
    return error ? fs::absolute(fileName).lexically_normal().string() : path.string();
}

// As SQL*Plus finds it: ".sql" added to a name without an extension; unlike SQL*Plus, a
// relative name is taken from the including script's folder for @ and START too, so that a
// tree of scripts runs the same from any working folder.
std::string IncludedName(const std::string& including, const std::string& name)
{
    fs::path path(name);
    if (!path.has_extension())
        path += ".sql";
    if (path.is_relative())
        path = fs::path(including).parent_path() / path;
    return path.string();
}

std::string_view WithoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    return text;
}

} // namespace

TScriptRunner::TScriptRunner(TDatabaseSession& session)
    : m_session(session)
{
}

bool TScriptRunner::Run(const std::string& fileName)
{
    const std::string text = ReadScriptFile(fileName);
    return RunText(fileName, text);
}

bool TScriptRunner::RunText(const std::string& fileName, std::string_view text)
{
    if (m_ended)
        return false;
    // The outermost script commits in batches: a statement a time costs several disk syncs each.
    const bool outermost = m_open.empty();
    if (outermost)
        m_session.BeginBatch();
    m_open.push_back(FullPath(fileName));
    try {
        RunItems(fileName, SplitScript(text));
    } catch (...) {
        m_open.pop_back();
        if (outermost)
            EndBatch();
        throw;
    }
    m_open.pop_back();
    if (outermost)
        EndBatch();
    return !m_ended;
}

void TScriptRunner::RunItems(const std::string& fileName, const std::vector<TScriptItem>& items)
{
    using TKind = TScriptItem::TKind;
    const int count =
        static_cast<int>(std::count_if(items.begin(), items.end(), [](const TScriptItem& i) {
            return i.Kind == TKind::Statement;
        }));
    int number = 0;
    for (const TScriptItem& item : items) {
        if (m_ended)
            return;
        switch (item.Kind) {
        case TKind::Statement:
            if (m_interrupted && m_interrupted()) {
                Fail(fileName, item.Line,
                     "interrupted; this statement and the rest were not run, the work of those "
                     "before it is kept");
                m_ended = true;
                return;
            }
            if (m_progress)
                m_progress({fileName, ++number, count});
            ++m_statementsRun;
            m_lastFile = fileName;
            m_lastLine = item.Line;
            try {
                m_session.ExecuteStatement(item.Text);
                for (const std::string& notice : m_session.TakeNotices()) {
                    if (m_report)
                        m_report(fileName + ":" + std::to_string(item.Line) +
                                 ": warning: " + notice);
                }
            } catch (const EAbort&) {
                throw; // a cancelled login ends the run, as it ends any other use
            } catch (const Exception& e) {
                Fail(fileName, item.Line, e.what());
            }
            break;
        case TKind::Include:
            Include(fileName, item.Line, item.Text);
            break;
        case TKind::StopOnError:
            m_stopOnError = true;
            break;
        case TKind::ContinueOnError:
            m_stopOnError = false;
            break;
        case TKind::Exit:
            m_ended = true;
            break;
        case TKind::Problem:
            Fail(fileName, item.Line, item.Text);
            break;
        }
    }
}

void TScriptRunner::Include(const std::string& fileName, int line, const std::string& name)
{
    const std::string included = IncludedName(fileName, name);
    if (std::find(m_open.begin(), m_open.end(), FullPath(included)) != m_open.end()) {
        Fail(fileName, line,
             "the script " + Quoted(included) + " is already running; including it again " +
                 "would never end");
        return;
    }
    if (m_open.size() >= kMaxDepth) {
        Fail(fileName, line,
             "the script " + Quoted(included) + " would be nested more than " +
                 std::to_string(kMaxDepth) + " scripts deep; it was not run");
        return;
    }
    if (++m_includes > kMaxIncludes) {
        Fail(fileName, line,
             "more than " + std::to_string(kMaxIncludes) +
                 " scripts included in one run; the run ends here");
        m_ended = true;
        return;
    }
    std::string text;
    try {
        text = ReadScriptFile(included);
    } catch (const Exception& e) {
        Fail(fileName, line, e.what());
        return;
    }
    RunText(included, text);
}

void TScriptRunner::EndBatch()
{
    try {
        m_session.EndBatch();
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& e) {
        Fail(m_lastFile, m_lastLine, e.what());
    }
}

std::string TScriptRunner::Summary() const
{
    return std::to_string(m_statementsRun) + (m_statementsRun == 1 ? " statement" : " statements") +
           " run, " + std::to_string(m_failures) + " failed";
}

void TScriptRunner::Fail(const std::string& fileName, int line, const std::string& message)
{
    ++m_failures;
    if (m_report)
        m_report(fileName + ":" + std::to_string(line) + ": " +
                 std::string(WithoutTrailingBlanks(message)));
    if (m_stopOnError)
        m_ended = true;
}

std::string ReadScriptFile(const std::string& fileName)
{
    std::error_code error;
    if (fs::is_directory(fileName, error))
        throw EFOpenError("The script file " + Quoted(fileName) + " is a folder");
    const auto tooLarge = [&] {
        return EReadError("The script file " + Quoted(fileName) +
                          " is larger than 64 MiB; split it into smaller scripts");
    };
    // Refused before reading; files that tell no size (pipes, devices) are counted as read.
    if (fs::is_regular_file(fileName, error) && fs::file_size(fileName, error) > kMaxScriptBytes)
        throw tooLarge();
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EFOpenError("Cannot open the script file " + Quoted(fileName) + ": " +
                          std::strerror(errno));
    std::string text;
    std::string buffer(1 << 16, '\0');
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        text.append(buffer, 0, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxScriptBytes)
            throw tooLarge();
    }
    if (in.bad())
        throw EReadError("Cannot read the script file " + Quoted(fileName));
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        throw EReadError("The script file " + Quoted(fileName) +
                         " is UTF-16 text; save it as UTF-8 to run it");
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        const auto line = std::count(text.begin(), text.begin() + static_cast<long>(nul), '\n');
        throw EReadError("The script file " + Quoted(fileName) + " holds a NUL byte on line " +
                         std::to_string(line + 1) + "; it is no text script");
    }
    return text;
}

} // namespace quorvex
