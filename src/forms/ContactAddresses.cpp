#include "ContactAddresses.h"

#include "persistence/Exceptions.h"
#include "persistence/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrlQuery>
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

bool IsMailAddress(const QString& text)
{
    static const QRegularExpression mailAddress(QStringLiteral(
        R"(^[A-Za-z0-9._+\-]+@[A-Za-z0-9](?:[A-Za-z0-9\-]*[A-Za-z0-9])?(?:\.[A-Za-z0-9](?:[A-Za-z0-9\-]*[A-Za-z0-9])?)*$)"));
    return mailAddress.match(text).hasMatch();
}

// Only the parameters that fill in a new message; anything else a mail program might act on
// ("attach=", unknown headers) is refused. Header values stay on one line.
bool AreMailParameters(const QUrlQuery& query)
{
    for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
        const QString key = name.toLower();
        if (key == QLatin1String("body"))
            continue;
        if (key != QLatin1String("subject") && key != QLatin1String("cc") &&
            key != QLatin1String("bcc"))
            return false;
        if (std::any_of(value.begin(), value.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; }))
            return false;
        if (key != QLatin1String("subject")) {
            for (const QString& mail : value.split(u','))
                if (!IsMailAddress(mail.trimmed()))
                    return false;
        }
    }
    return true;
}

} // namespace

TContacts BuiltInContacts()
{
    return TContacts{
        {QStringLiteral("https://www.quorvex.example/"),
         QStringLiteral("https://www.quorvex.example/downloads/")},
        {QStringLiteral("support@quorvex.example"), QStringLiteral("author@quorvex.example")}};
}

QString DefaultContactsFileName(const QString& programFolder)
{
    const QString fileName = QLatin1String(kContactsFileName);
    const QString beside = QDir(programFolder).filePath(fileName);
    if (QFileInfo(beside).isReadable())
        return beside;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(config).filePath(fileName);
}

QString ContactsFileName()
{
    const QString& fileName = OverrideFileName();
    return fileName.isEmpty() ? DefaultContactsFileName(QCoreApplication::applicationDirPath())
                              : fileName;
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
    // A bare host ("www.example.com", "example.com:8080/x") is a web page; the scheme added
    // keeps it from ever being taken for a file or a command.
    static const QRegularExpression bareHost(
        QStringLiteral(R"(^[A-Za-z0-9\-]+(?:\.[A-Za-z0-9\-]+)+(?::[0-9]+)?(?:[/?#].*)?$)"));
    const QString full =
        bareHost.match(address).hasMatch() ? QStringLiteral("https://") + address : address;
    const QUrl url(full, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return std::nullopt;
    return url;
}

std::optional<QUrl> MailToUrl(const QString& address)
{
    if (address.size() > kMaxMailAddressLength)
        return std::nullopt;
    // The address may carry its scheme and mailto parameters ("MAILTO:a@b.c?subject=x").
    QString recipient = address;
    if (recipient.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        recipient.remove(0, 7);
    const qsizetype question = recipient.indexOf(u'?');
    const QString parameters = question < 0 ? QString() : recipient.mid(question + 1);
    recipient.truncate(question < 0 ? recipient.size() : question);
    if (!recipient.isEmpty() && !IsMailAddress(recipient))
        return std::nullopt;
    QUrl url(QStringLiteral("mailto:") + recipient, QUrl::StrictMode);
    if (question >= 0) {
        const QUrlQuery query(parameters);
        if (parameters.isEmpty() || !AreMailParameters(query))
            return std::nullopt;
        url.setQuery(query);
    }
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace quorvex
