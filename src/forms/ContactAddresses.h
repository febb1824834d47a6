#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace quorvex {

// The addresses the contact window offers: home pages and e-mail addresses, built in or read
// from the contacts file (section "Contacts", lines address=WebPage or address=EMail), and the
// checks an address passes before it goes to the desktop.

inline constexpr const char* kContactsFileName = "brevask.ini";
inline constexpr const char* kContactsSection = "Contacts";
// A contacts file is a few lines; anything larger is not one.
inline constexpr qint64 kMaxContactsFileSize = 1024 * 1024;

struct TContacts {
    QStringList WebPages;
    QStringList EMails;
};

TContacts BuiltInContacts();

// "brevask.ini" in the program's folder when it is readable there, otherwise in the user's
// configuration folder.
QString DefaultContactsFileName(const QString& programFolder);
// The file in use: the default for the running program's folder unless another was set.
QString ContactsFileName();
// Uses another file (an empty name goes back to the default).
void SetContactsFileName(const QString& fileName);

// The addresses of a contacts file, in file order; values other than exactly "WebPage" and
// "EMail" are ignored. nullopt when the file does not exist; an Exception when it cannot be
// read or is too large to be a contacts file.
std::optional<TContacts> ReadContacts(const QString& fileName);

// The address as a web page to open: only an absolute http or https address with a host and
// no blanks or control characters, or a bare host ("www.example.com") taken as https; nullopt
// for anything else (files, other schemes, commands).
std::optional<QUrl> WebPageUrl(const QString& address);
// "mailto:" and the address, which may start with "mailto:" in any letter case: a plain
// user@domain address without blanks or "&", optionally followed by "?" and the parameters
// subject, body, cc and bcc (cc and bcc holding addresses), so no attachments or other headers
// can ride along; an empty address gives a message with no recipient. nullopt for anything
// else.
std::optional<QUrl> MailToUrl(const QString& address);

} // namespace quorvex
