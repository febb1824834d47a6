#include "ContactAddresses.h"

#include "persistence/Exceptions.h"
#include "persistence/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace quorvex {

namespace {

constexpr qsizetype kMaxAddressLength = 2048;
constexpr qsizetype kMaxMailAddressLength = 254;

QString& OverrideFileName()
{
    static QString fileName;
    return fileName;
}

bool HasBlankOrControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; });
}

} // namespace

TContacts BuiltInContacts()
{
    return TContacts{
        {QStringLiteral("https://www.quorvex.example/"),
         QStringLiteral("https://www.quorvex.example/downloads/")},
        {QStringLiteral("support@quorvex.example"), QStringLiteral("author@quorvex.example")}};
}

QString DefaultContactsFileName()
{
    const QString fileName = QLatin1String(kContactsFileName);
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (QFileInfo(beside).isReadable())
        return beside;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(config).filePath(fileName);
}

QString ContactsFileName()
{
    const QString& fileName = OverrideFileName();
    return fileName.isEmpty() ? DefaultContactsFileName() : fileName;
}

void SetContactsFileName(const QString& fileName)
{
    OverrideFileName() = fileName;
}

std::optional<TContacts> ReadContacts(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile() || info.size() > kMaxContactsFileSize)
        throw Exception("The contacts file " + fileName.toStdString() + " is not a contacts file");
    const TIniFile ini(fileName.toStdString());
    TContacts contacts;
    for (const auto& [key, value] : ini.Entries(kContactsSection)) {
        if (value == "EMail")
            contacts.EMails << QString::fromStdString(key);
        else if (value == "WebPage")
            contacts.WebPages << QString::fromStdString(key);
    }
    return contacts;
}

std::optional<QUrl> WebPageUrl(const QString& address)
{
    if (address.isEmpty() || address.size() > kMaxAddressLength || HasBlankOrControl(address))
        return std::nullopt;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return std::nullopt;
    return url;
}

std::optional<QUrl> MailToUrl(const QString& address)
{
    static const QRegularExpression mailAddress(QStringLiteral(
        R"(^[A-Za-z0-9._+\-]+@[A-Za-z0-9](?:[A-Za-z0-9\-]*[A-Za-z0-9])?(?:\.[A-Za-z0-9](?:[A-Za-z0-9\-]*[A-Za-z0-9])?)*$)"));
    if (address.size() > kMaxMailAddressLength)
        return std::nullopt;
    if (!address.isEmpty() && !mailAddress.match(address).hasMatch())
        return std::nullopt;
    QUrl url(QStringLiteral("mailto:") + address, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace quorvex
