#pragma once

// The built quorvex-cli run end to end through the shell, for its exit statuses and outputs.

#include "CliLiveDatabase.h"
#include "CliTestModels.h"
#include "TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace quorvex::test {

// Single quotes for the shell; a quote inside is closed, escaped and reopened.
inline std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Runs the built quorvex-cli, its output going to files in `dir`; returns its exit status.
class CliExecutable : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_current = m_dir.File("CURRENT.OBJ");
        m_target = m_dir.File("TARGET.OBJ");
        WriteCurrentSnapshot(m_current);
        WriteTargetSnapshot(m_target);
    }

    int Run(const std::string& arguments)
    {
        const std::string command = m_environment + Quoted(QUORVEX_CLI_EXECUTABLE) + " " +
                                    arguments + " >" + Quoted(m_dir.File("stdout")) + " 2>" +
                                    Quoted(m_dir.File("stderr"));
        const int status = std::system(command.c_str());
        if (status == -1 || !WIFEXITED(status))
            return -1;
        m_out = ReadFileBytes(m_dir.File("stdout"));
        m_err = ReadFileBytes(m_dir.File("stderr"));
        return WEXITSTATUS(status);
    }

    std::string m_environment; // "NAME=value " assignments for the command
    TempDir m_dir;
    std::string m_current;
    std::string m_target;
    std::string m_out;
    std::string m_err;
};

// The executable on the demo database, through an aliases file of the test's own.
class CliLiveExecutable : public CliExecutable {
protected:
    void SetUp() override
    {
        CliExecutable::SetUp();
        m_environment = "QUORVEX_ALIASES=" + Quoted(TLiveDemo::Get().AliasFile()) + " ";
        m_snapshot = m_dir.File("demo.OBJ");
    }

    std::string m_snapshot;
};

} // namespace quorvex::test
