#pragma once

#include "forms/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace quorvex {

// Dialogs answered from a script, for tests and unattended runs: each kind of question takes
// the next queued answer; with none queued a message box answers its default button (or OK,
// else Cancel) and every other dialog is cancelled. Every question is recorded.
class TScriptedDialogs : public TDialogs {
public:
    // One question as it was asked.
    struct TAsked {
        QString Kind; // "Message", "OpenFile", "SaveFile", "Login", "Input", "Font", "Color",
                      // "Form", "Print"
        QString Title;
        QString Text; // message text, input label, login database, form name
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons Buttons;
        QString Value; // pre-filled user name, input text, file path
    };

    std::deque<QMessageBox::StandardButton> MessageAnswers;
    std::deque<std::optional<QString>> FileAnswers; // for open and save alike
    std::deque<std::optional<TLoginAnswer>> LoginAnswers;
    std::deque<std::optional<QString>> InputAnswers;
    std::deque<std::optional<QFont>> FontAnswers;
    std::deque<std::optional<QColor>> ColorAnswers;
    // Runs instead of showing the form; returns its modal result.
    std::deque<std::function<int(TEditableForm&)>> FormAnswers;
    // A print is made into this PDF file; none queued: the print is cancelled.
    std::deque<std::optional<QString>> PrintAnswers;

    std::vector<TAsked> Asked;
    // Every file dialog's settings in full, open and save alike.
    std::vector<TFileRequest> FileRequests;

    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    std::optional<QString> OpenFileName(QWidget* parent, const TFileRequest& request) override;
    std::optional<QString> SaveFileName(QWidget* parent, const TFileRequest& request) override;
    std::optional<TLoginAnswer> Login(QWidget* parent, const TLoginRequest& request) override;
    std::optional<QString> InputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& text) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    int ExecForm(TEditableForm& form) override;
    bool Print(QWidget* parent, const QString& jobTitle,
               const std::function<void(QPrinter&)>& paint) override;
};

// Installs scripted dialogs for as long as it lives, then puts the previous ones back.
class TScriptedDialogsScope {
public:
    TScriptedDialogsScope();
    ~TScriptedDialogsScope();
    TScriptedDialogsScope(const TScriptedDialogsScope&) = delete;
    TScriptedDialogsScope& operator=(const TScriptedDialogsScope&) = delete;

    TScriptedDialogs& operator*() const { return *m_dialogs; }
    TScriptedDialogs* operator->() const { return m_dialogs; }

private:
    TScriptedDialogs* m_dialogs; // owned by the installed slot
    std::unique_ptr<TDialogs> m_previous;
};

} // namespace quorvex
