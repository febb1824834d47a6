#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

class QKeyEvent;
class QStatusBar;

namespace quorvex {

// The base of every window of the program. It gives the window a status bar that shows the
// hint of the control under the pointer, a name unique among the windows that exist, the F2
// key for editing component properties, and the user's stored property values, applied once
// when the window is created (Initialize).
class TEditableForm : public QMainWindow {
    Q_OBJECT

public:
    // `formName` is the window's component name ("SQLGridForm"); a window created while
    // another bears that name is named "%s_%d" with the smallest free number from 1.
    explicit TEditableForm(const QString& formName, QWidget* parent = nullptr,
                           Qt::WindowFlags flags = {});
    ~TEditableForm() override;

    // The creation steps, once, after the derived constructor laid the window out: status bar,
    // taller window, no stay-on-top, FormCreate, key preview, the stored property values.
    // EConvertError when a stored value does not convert.
    void Initialize();
    bool IsInitialized() const noexcept { return m_initialized; }

    // The status bar "MainStatusBar"; nullptr before Initialize.
    QStatusBar* MainStatusBar() const noexcept { return m_statusBar; }

    // Shows the window modally through Dialogs(); returns its modal result.
    int ShowModal();
    int ModalResult() const noexcept { return m_modalResult; }
    // A result other than mrNone closes the window.
    void SetModalResult(int result);

    // The Edit Component Properties dialog itself answers true: F2 does nothing there.
    virtual bool IsEditPropertiesDialog() const { return false; }

    // The windows that exist, oldest first.
    static std::vector<TEditableForm*> Forms();
    // `name`, or "%s_%d" with the smallest number from 1 that no existing window bears.
    static QString UniqueFormName(const QString& name);
    // What F2 runs for a window (the Edit Component Properties dialog); none by default.
    static void SetEditPropertiesHandler(std::function<void(TEditableForm&)> handler);

signals:
    // F2 was pressed in this window.
    void editPropertiesRequested(quorvex::TEditableForm* form);
    void hidden();

protected:
    // The window's own creation handler, step 4 of Initialize.
    virtual void FormCreate() {}
    // A key pressed anywhere in the window, before the control with the focus sees it. True
    // when handled: the control then does not get the key.
    virtual bool FormKeyDown(QKeyEvent* event);
    // F2: emits editPropertiesRequested and runs the installed handler.
    virtual void ShowEditProperties();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool IsFirstReceiver(const QObject* watched) const;

    QStatusBar* m_statusBar = nullptr;
    int m_modalResult = 0;
    bool m_initialized = false;
    bool m_keyPreview = false;
};

} // namespace quorvex
