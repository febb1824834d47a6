#include "InternetAccessForm.h"

#include "ContactAddresses.h"
#include "Desktop.h"
#include "Dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <memory>

namespace quorvex {

namespace {

constexpr int kClientWidth = 406;
constexpr int kClientHeight = 72;
constexpr int kSelectorWidth = 281;
// Addresses in a message are cut to this length.
constexpr qsizetype kShownAddressLength = 200;

QComboBox* NewSelector(const QString& name, QWidget* parent)
{
    auto* selector = new QComboBox(parent);
    selector->setObjectName(name);
    selector->setEditable(false);
    selector->setFixedWidth(kSelectorWidth);
    return selector;
}

QPushButton* NewButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void Fill(QComboBox& selector, const QStringList& entries)
{
    selector.clear();
    selector.addItems(entries);
}

// An address from the contacts file, fit to be shown: cut short, and never taken for markup.
QString Shown(const QString& address)
{
    QString text = address.left(kShownAddressLength);
    if (address.size() > kShownAddressLength)
        text += QStringLiteral("...");
    return text;
}

} // namespace

TInternetAccessForm::TInternetAccessForm(QWidget* owner)
    : TEditableForm(QStringLiteral("InternetAccessForm"), owner,
                    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Check for Updates or EMail me"));
    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);
    m_homepageSelector = NewSelector(QStringLiteral("HomepageSelector"), central);
    m_gotoHomePageButton =
        NewButton(QStringLiteral("GotoHomePageButton"), QStringLiteral("Goto &Web Page"), central);
    m_emailSelector = NewSelector(QStringLiteral("EMailSelector"), central);
    m_sendEMailButton =
        NewButton(QStringLiteral("SendEMailButton"), QStringLiteral("Send An &EMail"), central);
    layout->addWidget(m_homepageSelector, 0, 0);
    layout->addWidget(m_gotoHomePageButton, 0, 1);
    layout->addWidget(m_emailSelector, 1, 0);
    layout->addWidget(m_sendEMailButton, 1, 1);
    setCentralWidget(central);
    resize(kClientWidth, kClientHeight);

    const TContacts builtIn = BuiltInContacts();
    Fill(*m_homepageSelector, builtIn.WebPages);
    Fill(*m_emailSelector, builtIn.EMails);

    connect(m_gotoHomePageButton, &QPushButton::clicked, this,
            [this] { GotoHomePageButtonClick(); });
    connect(m_sendEMailButton, &QPushButton::clicked, this, [this] { SendEMailButtonClick(); });

    Initialize();
}

TInternetAccessForm::~TInternetAccessForm() = default;

void TInternetAccessForm::FormShow()
{
    const QString fileName = ContactsFileName();
    try {
        if (const auto contacts = ReadContacts(fileName)) {
            Fill(*m_homepageSelector, contacts->WebPages);
            Fill(*m_emailSelector, contacts->EMails);
        }
    } catch (const std::exception& error) {
        // The built-in lists stay.
        Dialogs().Message(this, QMessageBox::Warning, windowTitle(),
                          QString::fromStdString(error.what()), QMessageBox::Ok, QMessageBox::Ok);
    }
    m_homepageSelector->setCurrentIndex(m_homepageSelector->count() > 0 ? 0 : -1);
    m_emailSelector->setCurrentIndex(m_emailSelector->count() > 0 ? 0 : -1);
}

void TInternetAccessForm::Refuse(const QString& text)
{
    QString message = text;
    // A message box takes text that looks like markup for markup.
    if (Qt::mightBeRichText(message))
        message = QStringLiteral("<p>") + message.toHtmlEscaped() + QStringLiteral("</p>");
    Dialogs().Message(this, QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok,
                      QMessageBox::Ok);
}

void TInternetAccessForm::GotoHomePageButtonClick()
{
    const QString address = m_homepageSelector->currentText();
    // No home page to open: nothing to do, as with the empty address.
    if (address.isEmpty())
        return;
    const auto url = WebPageUrl(address);
    if (!url) {
        Refuse(QStringLiteral("\"%1\" is not a web address (http or https) and was not opened.")
                   .arg(Shown(address)));
        return;
    }
    // A desktop without a browser reports nothing.
    static_cast<void>(Desktop().OpenUrl(*url));
}

void TInternetAccessForm::SendEMailButtonClick()
{
    const QString address = m_emailSelector->currentText();
    const auto url = MailToUrl(address);
    if (!url) {
        Refuse(QStringLiteral("\"%1\" is not an e-mail address; no message was started.")
                   .arg(Shown(address)));
        return;
    }
    static_cast<void>(Desktop().OpenUrl(*url));
}

void ShowInternetAccess(QWidget* owner)
{
    auto form = std::make_unique<TInternetAccessForm>(owner);
    form->FormShow();
    if (owner != nullptr) {
        QRect frame = form->frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        form->move(frame.topLeft());
    }
    const QPointer<TInternetAccessForm> alive(form.get());
    form->ShowModal();
    // Closing the owner while the window runs frees the window with it.
    if (!alive)
        static_cast<void>(form.release());
}

} // namespace quorvex
