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

// The contact window with the contacts file `contacts` (none when empty, a folder when
// "folder"), each address of both lists chosen in turn and its button pressed: what was opened,
// then the texts of the warnings shown, the contacts file named "<file>".
QStringList Contact(const std::string& contacts)
{
    FormFilesScope files;
    const QString fileName = files.File(kContactsFileName);
    if (contacts == "folder")
        QDir().mkpath(fileName);
    else if (!contacts.empty())
        files.Write(contacts, kContactsFileName);
    QStringList result;
    InstallDesktop(std::make_unique<TRecordingDesktop>(result));
    TScriptedDialogsScope dialogs;
    TInternetAccessForm form;
    form.FormShow();
    for (auto [selector, button] : {std::pair{form.HomepageSelector(), form.GotoHomePageButton()},
                                    {form.EMailSelector(), form.SendEMailButton()}}) {
        for (int index = 0; index < std::max(selector->count(), 1); ++index) {
            selector->setCurrentIndex(index);
            button->click();
        }
    }
    InstallDesktop(nullptr);
    for (const auto& asked : dialogs->Asked)
        result << QString(asked.Text).replace(fileName, "<file>") +
                      (asked.Icon == QMessageBox::Warning && asked.Title == form.windowTitle()
                           ? ""
                           : " (no warning of the window)");
    EXPECT_EQ(form.windowTitle(), "Check for Updates or EMail me");
    return result;
}

TEST(InternetAccessForm, TheContactsFileOrTheBuiltInListsGiveTheAddressesTheButtonsOpen)
{
    const QStringList builtIn{"https://www.quorvex.example/",
                              "https://www.quorvex.example/downloads/",
                              "mailto:support@quorvex.example", "mailto:author@quorvex.example"};
    EXPECT_EQ(Contact(""), builtIn);
    // The key ends at the first "="; values other than exactly WebPage and EMail are ignored;
    // with no e-mail address a message without a recipient is started.
    EXPECT_EQ(Contact("[Other]\r\nhttps://ignored.example/=WebPage\r\n[Contacts]\r\n"
                      "https://one.example/=WebPage\r\nhttps://two.example/a?b=c=WebPage\r\n"
                      "lower@case.example=email\r\nhttps://upper.example/=WEBPAGE\r\n"
                      "https://spaced.example/=WebPage \r\nwww.example.com=WebPage\r\n"
                      "example.com:8080/x=WebPage\r\n"),
              QStringList({"https://one.example/", "https://www.example.com",
                           "https://example.com:8080/x", "mailto:"}));
    // Hostile addresses are refused with a message that shows them as text, cut short.
    EXPECT_EQ(Contact("[Contacts]\r\n<b>bold</b>=WebPage\r\njavascript:" + std::string(300, 'a') +
                      "=WebPage\r\nrm -rf ~@example.com=EMail\r\n"),
              QStringList({"<p>&quot;&lt;b&gt;bold&lt;/b&gt;&quot; is not a web address (http or "
                           "https) and was not opened.</p>",
                           "\"javascript:" + QString(189, u'a') +
                               "...\" is not a web address (http or https) and was not opened.",
                           "\"rm -rf ~@example.com\" is not an e-mail address; no message was "
                           "started."}));
    // A folder of the file's name, or a file far too large to be a contacts file: the built-in
    // lists stay, and a message names the file. Garbage in the file gives no entries.
    const QStringList unreadable =
        builtIn + QStringList{"The contacts file <file> is not a contacts file"};
    EXPECT_EQ(Contact("folder"), unreadable);
    EXPECT_EQ(Contact("[Contacts]\r\n" + std::string(kMaxContactsFileSize, 'x') + "=EMail\r\n"),
              unreadable);
    static const char garbage[] = "[Contacts]\r\n\0\x01\xff=\r\n[Contacts\r\n\r\n";
    EXPECT_EQ(Contact(std::string(garbage, sizeof garbage - 1)), QStringList{"mailto:"});
}

// Address | web page URL | mail URL ("-": refused).
TEST(ContactAddresses, OnlyWebAndMailAddressesPass)
{
    ExpectTable(1, R"(HTTPS://Example.COM/x?y=1#z | https://example.com/x?y=1#z | -
http://example.com/ | http://example.com/ | -
a@b | - | mailto:a@b
 | - | mailto:
MAILTO:a@b.c?subject=x | - | mailto:a@b.c?subject=x
mailto:a@b.c?Subject=Hi%20there&cc=d@e.f,g@h.i&body=1%0D%0A2 | - | mailto:a@b.c?Subject=Hi there&cc=d@e.f,g@h.i&body=1%0D%0A2)",
                [](const QStringList& in) {
                    const auto web = WebPageUrl(in[0]);
                    const auto mail = MailToUrl(in[0]);
                    return QStringList{web ? web->toString() : "-", mail ? mail->toString() : "-"};
                });
    for (const QString address : {"file:///etc/passwd",
                                  "javascript:alert(1)",
                                  "C:\\Windows\\calc.exe",
                                  "www.example.com:/x",
                                  "/bin/sh -c reboot",
                                  "http://example.com/;rm${IFS}-rf",
                                  "http:/etc/passwd",
                                  "ftp://example.com/",
                                  "\\\\server\\share\\run.bat",
                                  "https://",
                                  "https://exa mple.com/",
                                  "https://example.com/\x01",
                                  "http://example.com/a\u00a0b",
                                  "a@b.",
                                  "a@-b.com",
                                  "a\n@b.com",
                                  "two@@example.com",
                                  "someone@example.com&cc",
                                  "someone@example.com?attach/etc/passwd",
                                  "http:someone@example.com",
                                  "a@b.c?attach=/etc/passwd",
                                  "a@b.c?subject=a%0D%0ABcc:x@y.z",
                                  "a@b.c?cc=no+address",
                                  "a@b.c?",
                                  "mailto:mailto:a@b.c"})
        EXPECT_FALSE(WebPageUrl(address) || MailToUrl(address)) << address;
    // The longest addresses taken.
    EXPECT_TRUE(WebPageUrl("https://example.com/" + QString(2028, u'a')));
    EXPECT_FALSE(WebPageUrl("https://example.com/" + QString(2029, u'a')));
    EXPECT_TRUE(MailToUrl(QString(248, u'a') + "@b.com"));
    EXPECT_FALSE(MailToUrl(QString(249, u'a') + "@b.com"));
}

} // namespace quorvex::test
