#pragma once

#include "TestSupport.h"
#include "forms/UserProperties.h"

#include <QString>
#include <string>

namespace quorvex::test {

// Points the user-defined property file into a fresh temporary folder for one test, and puts
// the global string list back to its built-in entry afterwards.
class UserPropertyFileScope {
public:
    UserPropertyFileScope()
        : m_fileName(QString::fromStdString(m_dir.File("Quorvex.UDP")))
    {
        SetUserPropertyFileName(m_fileName);
        ResetGlobalStrings();
    }
    ~UserPropertyFileScope()
    {
        SetUserPropertyFileName({});
        ResetGlobalStrings();
    }
    UserPropertyFileScope(const UserPropertyFileScope&) = delete;
    UserPropertyFileScope& operator=(const UserPropertyFileScope&) = delete;

    const QString& FileName() const { return m_fileName; }
    std::string Path() const { return m_fileName.toStdString(); }
    void Write(std::string_view text) const { WriteFileBytes(Path(), text); }
    std::string Read() const { return ReadFileBytes(Path()); }

private:
    TempDir m_dir;
    QString m_fileName;
};

} // namespace quorvex::test
