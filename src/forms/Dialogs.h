#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace quorvex {

class TEditableForm;

// The result a modal window ends with.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// What the login dialog shows.
struct TLoginRequest {
    QString Title = QStringLiteral("Database Login");
    QString Database; // shown, not editable
    QString UserName; // pre-filled
    int MaxLength = 31;
};

struct TLoginAnswer {
    QString UserName;
    QString Password;
};

// A file dialog's settings. Filter is in Qt's form: "Snapshots (*.snp);;All files (*)".
struct TFileRequest {
    QString Title;
    QString Filter;
    QString Path; // starting folder or file
    QString DefaultSuffix;
    QString SelectedFilter; // one entry of Filter, shown first; empty for the first
};

// Every modal question of the program goes through the installed TDialogs, so that tests can
// answer from a script instead of blocking in a dialog.
class TDialogs {
public:
    TDialogs() = default;
    TDialogs(const TDialogs&) = delete;
    TDialogs& operator=(const TDialogs&) = delete;
    virtual ~TDialogs() = default;

    virtual QMessageBox::StandardButton
    Message(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    virtual std::optional<QString> OpenFileName(QWidget* parent, const TFileRequest& request) = 0;
    virtual std::optional<QString> SaveFileName(QWidget* parent, const TFileRequest& request) = 0;
    virtual std::optional<TLoginAnswer> Login(QWidget* parent, const TLoginRequest& request) = 0;
    virtual std::optional<QString> InputText(QWidget* parent, const QString& title,
                                             const QString& label, const QString& text) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
    // Shows one of the program's own windows modally; returns its modal result.
    virtual int ExecForm(TEditableForm& form) = 0;
    // Shows the pages `paint` draws in a print preview, from which the user prints them on a
    // printer of their choice under `jobTitle`. False when nothing was printed.
    virtual bool Print(QWidget* parent, const QString& jobTitle,
                       const std::function<void(QPrinter&)>& paint) = 0;

    // An information box with an OK button.
    void ShowMessage(QWidget* parent, const QString& text, const QString& title = {});
};

// The dialogs in use: the Qt ones until others are installed.
TDialogs& Dialogs();
// Puts `dialogs` in use (nullptr: the Qt ones again) and hands back the previous ones.
std::unique_ptr<TDialogs> InstallDialogs(std::unique_ptr<TDialogs> dialogs);

// The real dialogs: Qt's message box, file, font, colour and input dialogs and a small login
// dialog.
class TQtDialogs : public TDialogs {
public:
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

} // namespace quorvex
