#include "UserProperties.h"

#include "ComponentProperties.h"
#include "persistence/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace quorvex {

namespace {

QString& OverrideFileName()
{
    static QString fileName;
    return fileName;
}

std::string Std(const QString& text)
{
    return text.toStdString();
}

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// The window itself when the name is the window's exactly; otherwise the first component the
// window owns with that name, letter case ignored.
QObject* FindComponent(QWidget& window, const QString& name)
{
    if (name == window.objectName())
        return &window;
    if (name.isEmpty())
        return nullptr;
    const auto children = window.findChildren<QObject*>();
    for (QObject* child : children) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

void DeleteKey(TIniFile& ini, const std::string& section, const std::string& key)
{
    try {
        if (ini.DeleteKey(section, key))
            ini.Save();
    } catch (const Exception&) {
        // The line stays; it is deleted again the next time the window is created.
    }
}

} // namespace

QString DefaultUserPropertyFileName(const QString& executableFile)
{
    const QFileInfo executable(executableFile);
    const QString fileName = executable.completeBaseName() + QStringLiteral(".UDP");
    const QFileInfo folder(executable.absolutePath());
    // An installed program (anything under /usr) never writes beside itself, even when run by
    // root, who may write there: the package manager owns that tree.
    const QString path = folder.absoluteFilePath();
    const bool installed = path == QLatin1String("/usr") || path.startsWith(QLatin1String("/usr/"));
    if (!installed && folder.isDir() && folder.isWritable())
        return QDir(executable.absolutePath()).filePath(fileName);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(config).filePath(fileName);
}

QString UserPropertyFileName()
{
    const QString& fileName = OverrideFileName();
    return fileName.isEmpty() ? DefaultUserPropertyFileName(QCoreApplication::applicationFilePath())
                              : fileName;
}

void SetUserPropertyFileName(const QString& fileName)
{
    OverrideFileName() = fileName;
}

QStringList& GlobalStrings()
{
    static QStringList strings{QLatin1String(kEditPropertiesCaption)};
    return strings;
}

void ResetGlobalStrings()
{
    GlobalStrings() = QStringList{QLatin1String(kEditPropertiesCaption)};
}

void LoadGlobalStrings()
{
    const QString fileName = UserPropertyFileName();
    if (!QFileInfo::exists(fileName))
        return;
    const TIniFile ini(Std(fileName));
    QStringList& strings = GlobalStrings();
    for (const auto& [key, value] : ini.Entries(kGlobalStringsSection)) {
        bool ok = false;
        const int index = FromStd(key).trimmed().toInt(&ok, 10);
        if (ok && index >= 0 && index < strings.size())
            strings[index] = FromStd(value);
    }
}

void ApplyUserProperties(QWidget& window)
{
    const QString fileName = UserPropertyFileName();
    if (!QFileInfo::exists(fileName))
        return;
    TIniFile ini(Std(fileName));
    const std::string section = Std(window.objectName());
    const auto entries = ini.Entries(section);
    for (const auto& [key, value] : entries) {
        const QString qtKey = FromStd(key);
        const qsizetype dot = qtKey.indexOf(u'.');
        if (dot < 0)
            continue;
        QObject* component = FindComponent(window, qtKey.left(dot));
        if (component == nullptr)
            continue;
        const QString property = qtKey.mid(dot + 1);
        try {
            if (!WriteComponentProperty(*component, property, FromStd(value)))
                DeleteKey(ini, section, key);
        } catch (const EConvertError& error) {
            throw EConvertError("Error creating window " + section + ": " + error.what());
        }
    }
}

void WriteUserProperty(const QString& section, const QString& key, const QString& value)
{
    const QString fileName = UserPropertyFileName();
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    TIniFile ini(Std(fileName));
    ini.WriteString(Std(section), Std(key), Std(value));
    ini.Save();
}

} // namespace quorvex
