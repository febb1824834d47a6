// The contact window: its addresses, built in or from the contacts file, and the checks an
// address passes before it goes to the desktop.
#include "forms/InternetAccessForm.h"

#include "FormsTestSupport.h"
#include "forms/Desktop.h"

#include <QComboBox>
#include <QDir>

namespace quorvex::test {

// Records what would have been opened instead of starting a browser or mail program.
struct TRecordingDesktop : TDesktop {
    explicit TRecordingDesktop(QStringList& opened)
        : Opened(opened)
    {
    }
    bool OpenUrl(const QUrl& url) override { return Opened << url.toString(), true; }
    QStringList& Opened;
};

// The contact window shown with the given contacts file, a recording desktop and scripted
// dialogs; `run` presses its buttons. Gives back what was opened and the messages shown.
template <typename TRun>
QStringList Contact(std::string_view contacts, TRun&& run)
{
    FormFilesScope files;
    if (!contacts.empty())
        files.Write(contacts, kContactsFileName);
    QStringList result;
    InstallDesktop(std::make_unique<TRecordingDesktop>(result));
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    run(form);
    InstallDesktop(nullptr);
    for (const auto& asked : dialogs->Asked)
        result << asked.Text + (asked.Icon == QMessageBox::Warning ? "" : " (not a warning)");
    return result;
}

void Click(TInternetAccessForm& form)
{
    for (int index = 0; index < form.HomepageSelector()->count(); ++index) {
        form.HomepageSelector()->setCurrentIndex(index);
        form.GotoHomePageButton()->click();
    }
    for (int index = 0; index < std::max(form.EMailSelector()->count(), 1); ++index) {
        form.EMailSelector()->setCurrentIndex(index);
        form.SendEMailButton()->click();
    }
}

TEST(InternetAccessForm, TheContactsFileOrTheBuiltInListGivesTheAddressesTheButtonsOpen)
{
    EXPECT_EQ(Contact("", Click),
              QStringList({"https://www.quorvex.example/", "https://www.quorvex.example/downloads/",
                           "mailto:support@quorvex.example", "mailto:author@quorvex.example"}));
    // The key ends at the first "="; values other than exactly WebPage and EMail are ignored;
    // with no e-mail address a message without a recipient is started.
    EXPECT_EQ(Contact("[Other]\r\nhttps://ignored.example/=WebPage\r\n[Contacts]\r\n"
                      "https://one.example/=WebPage\r\nhttps://two.example/a?b=c=WebPage\r\n"
                      "lower@case.example=email\r\nhttps://upper.example/=WEBPAGE\r\n"
                      "https://spaced.example/=WebPage \r\nwww.example.com=WebPage\r\n"
                      "example.com:8080/x=WebPage\r\n",
                      Click),
              QStringList({"https://one.example/", "https://www.example.com",
                           "https://example.com:8080/x", "mailto:"}));
    // Hostile addresses are refused with a message that shows them as text, cut short.
    EXPECT_EQ(Contact("[Contacts]\r\n<b>bold</b>=WebPage\r\njavascript:" + std::string(300, 'a') +
                          "=WebPage\r\nrm -rf ~@example.com=EMail\r\n",
                      Click),
              QStringList({"<p>&quot;&lt;b&gt;bold&lt;/b&gt;&quot; is not a web address (http or "
                           "https) and was not opened.</p>",
                           "\"javascript:" + QString(189, u'a') +
                               "...\" is not a web address (http or https) and was not opened.",
                           "\"rm -rf ~@example.com\" is not an e-mail address; no message was "
                           "started."}));
}

TEST(InternetAccessForm, AnUnreadableOrGarbledContactsFileKeepsTheWindowUsable)
{
    // A folder of that name, and a file far too large to be a contacts file: the built-in
    // lists stay and the file is named in a message.
    for (int kind = 0; kind < 2; ++kind) {
        QString name;
        const QStringList shown = Contact("", [&](TInternetAccessForm& form) {
            EXPECT_EQ(form.windowTitle(), "Check for Updates or EMail me");
            name = ContactsFileName();
            if (kind == 0)
                QDir().mkpath(name);
            else
                WriteFileBytes(name.toStdString(), "[Contacts]\r\n" +
                                                       std::string(kMaxContactsFileSize, 'x') +
                                                       "=EMail\r\n");
            form.FormShow();
            EXPECT_EQ(Lines(*form.EMailSelector()->model()), BuiltInContacts().EMails);
            EXPECT_EQ(form.EMailSelector()->currentIndex(), 0);
        });
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(name)) << kind;
    }
    static const char garbage[] = "[Contacts]\r\n\0\x01\xff=\r\n[Contacts\r\n\r\n";
    EXPECT_EQ(Contact(std::string_view(garbage, sizeof garbage - 1),
                      [](TInternetAccessForm& form) {
                          EXPECT_EQ(form.HomepageSelector()->currentIndex(), -1);
                          form.GotoHomePageButtonClick();
                      }),
              QStringList());
}

// Address | web page URL | mail URL ("-": refused).
TEST(ContactAddresses, OnlyWebAndMailAddressesPass)
{
    ExpectTable(1, R"(HTTPS://Example.COM/x?y=1#z | https://example.com/x?y=1#z | -
file:///etc/passwd | - | -
javascript:alert(1) | - | -
C:\Windows\calc.exe | - | -
www.example.com:/x | - | -
/bin/sh -c reboot | - | -
http://example.com/;rm${IFS}-rf | - | -
http:/etc/passwd | - | -
ftp://example.com/ | - | -
\\server\share\run.bat | - | -
https:// | - | -
https://exa mple.com/ | - | -
a@b | - | mailto:a@b
MAILTO:a@b.c?subject=x | - | mailto:a@b.c?subject=x
mailto:a@b.c?Subject=Hi%20there&cc=d@e.f,g@h.i&body=1%0D%0A2 | - | mailto:a@b.c?Subject=Hi there&cc=d@e.f,g@h.i&body=1%0D%0A2
a@b. | - | -
a@-b.com | - | -
two@@example.com | - | -
someone@example.com&cc | - | -
someone@example.com?attach/etc/passwd | - | -
http:someone@example.com | - | -
a@b.c?attach=/etc/passwd | - | -
a@b.c?subject=a%0D%0ABcc:x@y.z | - | -
a@b.c?cc=no+address | - | -
a@b.c? | - | -
mailto:mailto:a@b.c | - | -)",
                [](const QStringList& in) {
                    const auto web = WebPageUrl(in[0]);
                    const auto mail = MailToUrl(in[0]);
                    return QStringList{web ? web->toString() : "-", mail ? mail->toString() : "-"};
                });
    EXPECT_FALSE(WebPageUrl(""));
    EXPECT_FALSE(WebPageUrl("https://example.com/\x01"));
    EXPECT_FALSE(MailToUrl("a\n@b.com"));
    EXPECT_EQ(MailToUrl("").value_or(QUrl()).toString(), "mailto:");
    // The longest addresses taken.
    EXPECT_TRUE(WebPageUrl("https://example.com/" + QString(2028, u'a')));
    EXPECT_FALSE(WebPageUrl("https://example.com/" + QString(2029, u'a')));
    EXPECT_TRUE(MailToUrl(QString(248, u'a') + "@b.com"));
    EXPECT_FALSE(MailToUrl(QString(249, u'a') + "@b.com"));
}

} // namespace quorvex::test
