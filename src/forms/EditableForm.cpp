#include "EditableForm.h"

#include "Dialogs.h"
#include "UserProperties.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QStatusBar>
#include <algorithm>

namespace quorvex {

namespace {

std::vector<TEditableForm*>& LiveForms()
{
    static std::vector<TEditableForm*> forms;
    return forms;
}

std::function<void(TEditableForm&)>& EditPropertiesHandler()
{
    static std::function<void(TEditableForm&)> handler;
    return handler;
}

bool NameTaken(const QString& name)
{
    return std::any_of(LiveForms().begin(), LiveForms().end(), [&](const TEditableForm* form) {
        return form->objectName().compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

TEditableForm::TEditableForm(const QString& formName, QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    setObjectName(UniqueFormName(formName));
    LiveForms().push_back(this);
}

TEditableForm::~TEditableForm()
{
    if (m_keyPreview && qApp != nullptr)
        qApp->removeEventFilter(this);
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

std::vector<TEditableForm*> TEditableForm::Forms()
{
    return LiveForms();
}

QString TEditableForm::UniqueFormName(const QString& name)
{
    if (!NameTaken(name))
        return name;
    for (int number = 1;; ++number) {
        QString candidate = QStringLiteral("%1_%2").arg(name).arg(number);
        if (!NameTaken(candidate))
            return candidate;
    }
}

void TEditableForm::SetEditPropertiesHandler(std::function<void(TEditableForm&)> handler)
{
    EditPropertiesHandler() = std::move(handler);
}

void TEditableForm::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;

    // 1. The status bar: one text panel showing the hint of the control under the pointer
    // (QMainWindow shows every status tip in its status bar).
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("MainStatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    setStatusBar(m_statusBar);

    // 2. Taller by the status bar, so the laid-out area keeps its size.
    resize(width(), height() + m_statusBar->sizeHint().height());

    // 3. No window stays on top of the others.
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint, false);

    // 4. The window's own creation handler.
    FormCreate();

    // 5. Key presses reach the window before its controls.
    qApp->installEventFilter(this);
    m_keyPreview = true;

    // 6. The user's stored values.
    ApplyUserProperties(*this);
}

int TEditableForm::ShowModal()
{
    return Dialogs().ExecForm(*this);
}

void TEditableForm::SetModalResult(int result)
{
    m_modalResult = result;
    if (result != mrNone && isVisible())
        close();
}

bool TEditableForm::FormKeyDown(QKeyEvent*)
{
    return false;
}

void TEditableForm::ShowEditProperties()
{
    emit editPropertiesRequested(this);
    if (const auto& handler = EditPropertiesHandler())
        handler(*this);
}

// A key event travels from the control with the focus up to the window; the window sees it
// once, at its first receiver.
bool TEditableForm::IsFirstReceiver(const QObject* watched) const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window() == this)
        return watched == focus;
    return watched == this;
}

bool TEditableForm::eventFilter(QObject* watched, QEvent* event)
{
    // Qt hands an event to the application filters again when a filter was installed while
    // they ran, as a window created by a key (the F2 dialog) does: each key press is seen once.
    static const QEvent* previewedKey = nullptr;
    if (event->type() == QEvent::KeyPress && event == previewedKey)
        return QMainWindow::eventFilter(watched, event);
    previewedKey = nullptr;
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this || !IsFirstReceiver(watched))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (FormKeyDown(key))
        return true;
    if (key->key() == Qt::Key_F2 && !IsEditPropertiesDialog())
        ShowEditProperties();
    previewedKey = event;
    return false;
}

void TEditableForm::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    // Minimising is no end of a modal run.
    if (!event->spontaneous())
        emit hidden();
}

void TEditableForm::closeEvent(QCloseEvent* event)
{
    if (m_modalResult == mrNone && windowModality() != Qt::NonModal)
        m_modalResult = mrCancel;
    QMainWindow::closeEvent(event);
}

} // namespace quorvex
