#pragma once

#include "EditableForm.h"

class QComboBox;
class QPushButton;

namespace quorvex {

// The contact window of the Help menu: a choice of home pages to open in the browser and of
// e-mail addresses to start a message to, from the contacts file or the built-in lists.
class TInternetAccessForm : public TEditableForm {
    Q_OBJECT

public:
    explicit TInternetAccessForm(QWidget* owner = nullptr);
    ~TInternetAccessForm() override;

    // The event handlers, callable without a mouse.
    void FormShow();
    void GotoHomePageButtonClick();
    void SendEMailButtonClick();

    QComboBox* HomepageSelector() const noexcept { return m_homepageSelector; }
    QComboBox* EMailSelector() const noexcept { return m_emailSelector; }
    QPushButton* GotoHomePageButton() const noexcept { return m_gotoHomePageButton; }
    QPushButton* SendEMailButton() const noexcept { return m_sendEMailButton; }

private:
    void Refuse(const QString& text);

    QComboBox* m_homepageSelector;
    QPushButton* m_gotoHomePageButton;
    QComboBox* m_emailSelector;
    QPushButton* m_sendEMailButton;
};

// The Help menu's "&Check for Updates or EMail me...": opens the contact window modally, owned
// by `owner`, and releases it when it closes.
void ShowInternetAccess(QWidget* owner);

} // namespace quorvex
