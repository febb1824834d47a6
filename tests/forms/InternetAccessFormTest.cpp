#include "forms/InternetAccessForm.h"

#include "FormsTestSupport.h"
#include "ScriptedDialogs.h"
#include "forms/ContactAddresses.h"
#include "forms/Desktop.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using test::TempDir;
using test::UserPropertyFileScope;

// Records what would have been opened instead of starting a browser or mail program.
class TRecordingDesktop : public TDesktop {
public:
    bool OpenUrl(const QUrl& url) override
    {
        Opened.push_back(url.toString());
        return true;
    }
    std::vector<QString> Opened;
};

class DesktopScope {
public:
    DesktopScope()
    {
        auto desktop = std::make_unique<TRecordingDesktop>();
        m_desktop = desktop.get();
        m_previous = InstallDesktop(std::move(desktop));
    }
    ~DesktopScope() { InstallDesktop(std::move(m_previous)); }
    DesktopScope(const DesktopScope&) = delete;
    DesktopScope& operator=(const DesktopScope&) = delete;
    const std::vector<QString>& Opened() const { return m_desktop->Opened; }

private:
    TRecordingDesktop* m_desktop;
    std::unique_ptr<TDesktop> m_previous;
};

// A contacts file of its own for one test, with the property file out of the way too.
class ContactsFileScope {
public:
    ContactsFileScope()
        : m_fileName(QString::fromStdString(m_dir.File("brevask.ini")))
    {
        SetContactsFileName(m_fileName);
    }
    ~ContactsFileScope() { SetContactsFileName({}); }
    ContactsFileScope(const ContactsFileScope&) = delete;
    ContactsFileScope& operator=(const ContactsFileScope&) = delete;

    const QString& FileName() const { return m_fileName; }
    void Write(std::string_view text) const
    {
        test::WriteFileBytes(m_fileName.toStdString(), text);
    }

private:
    UserPropertyFileScope m_properties;
    TempDir m_dir;
    QString m_fileName;
};

QStringList Entries(const QComboBox& selector)
{
    QStringList entries;
    for (int i = 0; i < selector.count(); ++i)
        entries << selector.itemText(i);
    return entries;
}

TEST(InternetAccessForm, TheWindowAndItsControls)
{
    ContactsFileScope contacts;
    TInternetAccessForm form;
    EXPECT_EQ(form.objectName(), "InternetAccessForm");
    EXPECT_EQ(form.windowTitle(), "Check for Updates or EMail me");
    EXPECT_EQ(form.GotoHomePageButton()->text(), "Goto &Web Page");
    EXPECT_EQ(form.SendEMailButton()->text(), "Send An &EMail");
    EXPECT_EQ(form.HomepageSelector()->objectName(), "HomepageSelector");
    EXPECT_EQ(form.EMailSelector()->objectName(), "EMailSelector");
    EXPECT_FALSE(form.HomepageSelector()->isEditable());
    EXPECT_FALSE(form.EMailSelector()->isEditable());
    EXPECT_NE(form.MainStatusBar(), nullptr);
}

TEST(InternetAccessForm, WithoutAContactsFileTheBuiltInListsAreShown)
{
    ContactsFileScope contacts;
    TInternetAccessForm form;
    form.FormShow();
    const TContacts builtIn = BuiltInContacts();
    EXPECT_EQ(builtIn.WebPages.size(), 2);
    EXPECT_EQ(builtIn.EMails.size(), 2);
    EXPECT_EQ(Entries(*form.HomepageSelector()), builtIn.WebPages);
    EXPECT_EQ(Entries(*form.EMailSelector()), builtIn.EMails);
    EXPECT_EQ(form.HomepageSelector()->currentIndex(), 0);
    EXPECT_EQ(form.EMailSelector()->currentIndex(), 0);
    // Every built-in address passes its own checks.
    for (const QString& page : builtIn.WebPages)
        EXPECT_TRUE(WebPageUrl(page)) << page.toStdString();
    for (const QString& mail : builtIn.EMails)
        EXPECT_TRUE(MailToUrl(mail)) << mail.toStdString();
}

TEST(InternetAccessForm, TheContactsFileReplacesBothLists)
{
    ContactsFileScope contacts;
    contacts.Write("[Other]\r\nhttps://ignored.example/=WebPage\r\n"
                   "[Contacts]\r\n"
                   "https://one.example/=WebPage\r\n"
                   "https://two.example/a?b=c=WebPage\r\n"
                   "http://three.example/=WebPage\r\n"
                   "lower@case.example=email\r\n"
                   "https://upper.example/=WEBPAGE\r\n"
                   "https://spaced.example/=WebPage \r\n");
    DesktopScope desktop;
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    // The key ends at the first "=".
    EXPECT_EQ(Entries(*form.HomepageSelector()),
              QStringList({"https://one.example/", "http://three.example/"}));
    EXPECT_EQ(form.HomepageSelector()->currentText(), "https://one.example/");
    EXPECT_TRUE(Entries(*form.EMailSelector()).isEmpty());

    // An empty e-mail selector starts a message without a recipient.
    form.SendEMailButtonClick();
    form.GotoHomePageButtonClick();
    EXPECT_EQ(desktop.Opened(), std::vector<QString>({"mailto:", "https://one.example/"}));
    EXPECT_TRUE(dialogs->Asked.empty());
}

TEST(InternetAccessForm, ButtonsHandTheChosenAddressToTheDesktop)
{
    ContactsFileScope contacts;
    contacts.Write("[Contacts]\r\nhttps://www.example.org/quorvex=WebPage\r\n"
                   "http://mirror.example.net/=WebPage\r\n"
                   "someone@example.com=EMail\r\nfirst.last+tag@mail.example.co.uk=EMail\r\n");
    DesktopScope desktop;
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    form.GotoHomePageButton()->click();
    form.SendEMailButton()->click();
    form.HomepageSelector()->setCurrentIndex(1);
    form.EMailSelector()->setCurrentIndex(1);
    form.GotoHomePageButton()->click();
    form.SendEMailButton()->click();
    EXPECT_EQ(desktop.Opened(),
              std::vector<QString>({"https://www.example.org/quorvex", "mailto:someone@example.com",
                                    "http://mirror.example.net/",
                                    "mailto:first.last+tag@mail.example.co.uk"}));
    EXPECT_TRUE(dialogs->Asked.empty());
}

TEST(InternetAccessForm, HostileAddressesAreRefusedWithAMessage)
{
    struct TCase {
        const char* Address;
        const char* Kind;
    };
    const TCase cases[] = {
        {"file:///etc/passwd", "WebPage"},
        {"javascript:alert(1)", "WebPage"},
        {"C:\\Windows\\calc.exe", "WebPage"},
        {"www.example.com:/x", "WebPage"},
        {"/bin/sh -c reboot", "WebPage"},
        {"http://example.com/;rm${IFS}-rf", "WebPage"},
        {"http:/etc/passwd", "WebPage"},
        {"ftp://example.com/", "WebPage"},
        {"\\\\server\\share\\run.bat", "WebPage"},
        {"<b>bold</b>", "WebPage"},
        {"someone@example.com?attach/etc/passwd", "EMail"},
        {"someone@example.com&cc", "EMail"},
        {"http:someone@example.com", "EMail"},
        {"http://example.com/", "EMail"},
        {"no-at-sign", "EMail"},
        {"two@@example.com", "EMail"},
        {"rm -rf ~@example.com", "EMail"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Address);
        ContactsFileScope contacts;
        contacts.Write(std::string("[Contacts]\r\n") + c.Address + "=" + c.Kind + "\r\n");
        DesktopScope desktop;
        TScriptedDialogsScope dialogs;
        TInternetAccessForm form;
        form.FormShow();
        const bool web = std::string(c.Kind) == "WebPage";
        ASSERT_EQ((web ? form.HomepageSelector() : form.EMailSelector())->currentText(), c.Address);
        if (web)
            form.GotoHomePageButtonClick();
        else
            form.SendEMailButtonClick();
        EXPECT_TRUE(desktop.Opened().empty());
        ASSERT_EQ(dialogs->Asked.size(), 1u);
        EXPECT_EQ(dialogs->Asked[0].Kind, "Message");
        EXPECT_EQ(dialogs->Asked[0].Icon, QMessageBox::Warning);
        // The address is named, and markup in it is shown as text.
        const QString shown = QString::fromLatin1(c.Address);
        EXPECT_TRUE(dialogs->Asked[0].Text.contains(shown) ||
                    dialogs->Asked[0].Text.contains(shown.toHtmlEscaped()))
            << dialogs->Asked[0].Text.toStdString();
        EXPECT_FALSE(dialogs->Asked[0].Text.contains("<b>"));
    }
}

TEST(InternetAccessForm, BareHostsAreOpenedAsHttps)
{
    ContactsFileScope contacts;
    contacts.Write("[Contacts]\r\nwww.example.com=WebPage\r\nexample.com:8080/x=WebPage\r\n");
    DesktopScope desktop;
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    form.GotoHomePageButtonClick();
    form.HomepageSelector()->setCurrentIndex(1);
    form.GotoHomePageButtonClick();
    EXPECT_EQ(desktop.Opened(),
              std::vector<QString>({"https://www.example.com", "https://example.com:8080/x"}));
    EXPECT_TRUE(dialogs->Asked.empty());
}

TEST(InternetAccessForm, AnUnreadableContactsFileKeepsTheBuiltInListsAndSaysSo)
{
    ContactsFileScope contacts;
    // A folder of that name, and a file far too large to be a contacts file.
    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind);
        QFile::remove(contacts.FileName());
        QDir().rmdir(contacts.FileName());
        if (kind == 0)
            ASSERT_TRUE(QDir().mkpath(contacts.FileName()));
        else
            contacts.Write("[Contacts]\r\n" + std::string(std::size_t(kMaxContactsFileSize), 'x') +
                           "=EMail\r\n");
        TScriptedDialogsScope dialogs;
        TInternetAccessForm form;
        form.FormShow();
        EXPECT_EQ(Entries(*form.HomepageSelector()), BuiltInContacts().WebPages);
        EXPECT_EQ(Entries(*form.EMailSelector()), BuiltInContacts().EMails);
        ASSERT_EQ(dialogs->Asked.size(), 1u);
        EXPECT_EQ(dialogs->Asked[0].Kind, "Message");
        EXPECT_TRUE(dialogs->Asked[0].Text.contains(contacts.FileName()));
    }
}

TEST(InternetAccessForm, GarbageInTheContactsFileGivesNoEntries)
{
    ContactsFileScope contacts;
    static const char garbage[] = "[Contacts]\r\n\0\x01\xff=\r\n[Contacts\r\n\r\n";
    contacts.Write(std::string(garbage, sizeof garbage - 1));
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    EXPECT_TRUE(Entries(*form.HomepageSelector()).isEmpty());
    EXPECT_EQ(form.HomepageSelector()->currentIndex(), -1);
}

TEST(ContactAddresses, TheFileLivesBesideTheExecutableWhenReadableThereElseInTheConfigFolder)
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kContactsFileName));
    ASSERT_FALSE(QFileInfo::exists(beside)) << "leftover " << beside.toStdString();
    const QString elsewhere = DefaultContactsFileName();
    EXPECT_EQ(QFileInfo(elsewhere).fileName(), "brevask.ini");
    EXPECT_NE(QFileInfo(elsewhere).absolutePath(), QCoreApplication::applicationDirPath());

    test::WriteFileBytes(beside.toStdString(), "[Contacts]\r\n");
    const QString found = DefaultContactsFileName();
    QFile::remove(beside);
    EXPECT_EQ(found, beside);

    SetContactsFileName("/somewhere/brevask.ini");
    EXPECT_EQ(ContactsFileName(), "/somewhere/brevask.ini");
    SetContactsFileName({});
    EXPECT_EQ(ContactsFileName(), elsewhere);
}

TEST(ContactAddresses, OnlyWebAndMailAddressesPass)
{
    EXPECT_EQ(WebPageUrl("HTTPS://Example.COM/x?y=1#z").value_or(QUrl()).scheme(), "https");
    EXPECT_FALSE(WebPageUrl(""));
    EXPECT_FALSE(WebPageUrl("https://"));
    EXPECT_FALSE(WebPageUrl("https://exa mple.com/"));
    EXPECT_FALSE(WebPageUrl("https://example.com/\x01"));
    EXPECT_FALSE(WebPageUrl("https://example.com/" + QString(3000, u'a')));
    EXPECT_EQ(MailToUrl("a@b").value_or(QUrl()).toString(), "mailto:a@b");
    EXPECT_EQ(MailToUrl("").value_or(QUrl()).toString(), "mailto:");
    EXPECT_FALSE(MailToUrl("a@b."));
    EXPECT_FALSE(MailToUrl("a@-b.com"));
    EXPECT_FALSE(MailToUrl("a\n@b.com"));
    EXPECT_FALSE(MailToUrl(QString(250, u'a') + "@b.com"));
}

TEST(ContactAddresses, MailAddressesMayCarryTheirSchemeAndMessageParameters)
{
    // Not from the contacts file, whose keys end at the first "=".
    const std::pair<const char*, const char*> accepted[] = {
        {"MAILTO:a@b.c?subject=x", "mailto:a@b.c?subject=x"},
        {"mailto:a@b.c?Subject=Hi%20there&cc=d@e.f,g@h.i&body=1%0D%0A2",
         "mailto:a@b.c?Subject=Hi there&cc=d@e.f,g@h.i&body=1%0D%0A2"},
    };
    for (const auto& [address, url] : accepted)
        EXPECT_EQ(MailToUrl(address).value_or(QUrl()).toString(), url) << address;
    for (const char* refused :
         {"a@b.c?attach=/etc/passwd", "a@b.c?subject=a%0D%0ABcc:x@y.z", "a@b.c?cc=no+address",
          "a@b.c?", "http:a@b.c", "mailto:mailto:a@b.c"})
        EXPECT_FALSE(MailToUrl(refused)) << refused;
}

} // namespace
} // namespace quorvex
