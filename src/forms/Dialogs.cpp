#include "Dialogs.h"

#include "EditableForm.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace quorvex {

namespace {

std::unique_ptr<TDialogs>& Installed()
{
    static std::unique_ptr<TDialogs> dialogs;
    return dialogs;
}

std::optional<QString> NonEmpty(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

} // namespace

void TDialogs::ShowMessage(QWidget* parent, const QString& text, const QString& title)
{
    Message(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

TDialogs& Dialogs()
{
    auto& installed = Installed();
    if (!installed)
        installed = std::make_unique<TQtDialogs>();
    return *installed;
}

std::unique_ptr<TDialogs> InstallDialogs(std::unique_ptr<TDialogs> dialogs)
{
    auto previous = std::move(Installed());
    Installed() = std::move(dialogs);
    return previous;
}

QMessageBox::StandardButton TQtDialogs::Message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> TQtDialogs::OpenFileName(QWidget* parent, const TFileRequest& request)
{
    QString selected = request.SelectedFilter;
    return NonEmpty(QFileDialog::getOpenFileName(parent, request.Title, request.Path,
                                                 request.Filter, &selected));
}

std::optional<QString> TQtDialogs::SaveFileName(QWidget* parent, const TFileRequest& request)
{
    QFileDialog dialog(parent, request.Title, request.Path, request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.SelectedFilter.isEmpty())
        dialog.selectNameFilter(request.SelectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return NonEmpty(dialog.selectedFiles().constFirst());
}

std::optional<TLoginAnswer> TQtDialogs::Login(QWidget* parent, const TLoginRequest& request)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(request.Title);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Database:"), new QLabel(request.Database, &dialog));
    auto* user = new QLineEdit(request.UserName, &dialog);
    user->setMaxLength(request.MaxLength);
    auto* password = new QLineEdit(&dialog);
    password->setMaxLength(request.MaxLength);
    password->setEchoMode(QLineEdit::Password);
    layout->addRow(QStringLiteral("&User Name:"), user);
    layout->addRow(QStringLiteral("&Password:"), password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    (request.UserName.isEmpty() ? user : password)->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TLoginAnswer{user->text(), password->text()};
}

std::optional<QString> TQtDialogs::InputText(QWidget* parent, const QString& title,
                                             const QString& label, const QString& text)
{
    bool ok = false;
    QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<QFont> TQtDialogs::ChooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> TQtDialogs::ChooseColor(QWidget* parent, const QColor& initial)
{
    QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

bool TQtDialogs::Print(QWidget* parent, const QString& jobTitle,
                       const std::function<void(QPrinter&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    QPrintPreviewDialog preview(&printer, parent);
    bool printed = false;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         paint(*target);
                         printed = printed || target == &printer;
                     });
    return preview.exec() == QDialog::Accepted && printed;
}

int TQtDialogs::ExecForm(TEditableForm& form)
{
    QPointer<TEditableForm> guard(&form);
    form.SetModalResult(mrNone);
    form.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&form, &TEditableForm::hidden, &loop, &QEventLoop::quit);
    QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form.show();
    loop.exec(QEventLoop::DialogExec);
    if (!guard)
        return mrCancel;
    form.setWindowModality(Qt::NonModal);
    return form.ModalResult() == mrNone ? mrCancel : form.ModalResult();
}

} // namespace quorvex
