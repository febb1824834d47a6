#include "ScriptedDialogs.h"

#include "forms/EditableForm.h"

#include <QPrinter>

namespace quorvex {

namespace {

template <class T>
T Next(std::deque<T>& answers, T fallback)
{
    if (!answers.empty()) {
        fallback = answers.front();
        answers.pop_front();
    }
    return fallback;
}

} // namespace

QMessageBox::StandardButton TScriptedDialogs::Message(QWidget*, QMessageBox::Icon icon,
                                                      const QString& title, const QString& text,
                                                      QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton)
{
    Asked.push_back({QStringLiteral("Message"), title, text, icon, buttons, {}});
    QMessageBox::StandardButton fallback = defaultButton;
    if (fallback == QMessageBox::NoButton)
        fallback = buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    return Next(MessageAnswers, fallback);
}

std::optional<QString> TScriptedDialogs::OpenFileName(QWidget*, const TFileRequest& request)
{
    FileRequests.push_back(request);
    Asked.push_back({QStringLiteral("OpenFile"),
                     request.Title,
                     request.Filter,
                     QMessageBox::NoIcon,
                     {},
                     request.Path});
    return Next(FileAnswers, std::optional<QString>());
}

std::optional<QString> TScriptedDialogs::SaveFileName(QWidget*, const TFileRequest& request)
{
    FileRequests.push_back(request);
    Asked.push_back({QStringLiteral("SaveFile"),
                     request.Title,
                     request.Filter,
                     QMessageBox::NoIcon,
                     {},
                     request.Path});
    return Next(FileAnswers, std::optional<QString>());
}

std::optional<TLoginAnswer> TScriptedDialogs::Login(QWidget*, const TLoginRequest& request)
{
    Asked.push_back({QStringLiteral("Login"),
                     request.Title,
                     request.Database,
                     QMessageBox::NoIcon,
                     {},
                     request.UserName});
    return Next(LoginAnswers, std::optional<TLoginAnswer>());
}

std::optional<QString> TScriptedDialogs::InputText(QWidget*, const QString& title,
                                                   const QString& label, const QString& text)
{
    Asked.push_back({QStringLiteral("Input"), title, label, QMessageBox::NoIcon, {}, text});
    return Next(InputAnswers, std::optional<QString>());
}

std::optional<QFont> TScriptedDialogs::ChooseFont(QWidget*, const QFont& initial)
{
    Asked.push_back({QStringLiteral("Font"), {}, {}, QMessageBox::NoIcon, {}, initial.family()});
    return Next(FontAnswers, std::optional<QFont>());
}

std::optional<QColor> TScriptedDialogs::ChooseColor(QWidget*, const QColor& initial)
{
    Asked.push_back({QStringLiteral("Color"), {}, {}, QMessageBox::NoIcon, {}, initial.name()});
    return Next(ColorAnswers, std::optional<QColor>());
}

bool TScriptedDialogs::Print(QWidget*, const QString& jobTitle,
                             const std::function<void(QPrinter&)>& paint)
{
    Asked.push_back({QStringLiteral("Print"), jobTitle, {}, QMessageBox::NoIcon, {}, {}});
    const std::optional<QString> file = Next(PrintAnswers, std::optional<QString>());
    if (!file)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*file);
    paint(printer);
    return true;
}

int TScriptedDialogs::ExecForm(TEditableForm& form)
{
    Asked.push_back({QStringLiteral("Form"),
                     form.windowTitle(),
                     form.objectName(),
                     QMessageBox::NoIcon,
                     {},
                     {}});
    auto answer = Next(FormAnswers, std::function<int(TEditableForm&)>());
    return answer ? answer(form) : int(mrCancel);
}

TScriptedDialogsScope::TScriptedDialogsScope()
{
    auto dialogs = std::make_unique<TScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_previous = InstallDialogs(std::move(dialogs));
}

TScriptedDialogsScope::~TScriptedDialogsScope()
{
    InstallDialogs(std::move(m_previous));
}

} // namespace quorvex
