#pragma once

#include <QPlainTextEdit>
#include <QStringConverter>
#include <functional>

namespace quorvex {

class TDefaultItem;

// A text pane of the main window: plain text, no border, a vertical scroll bar always shown and
// word wrap on. It shows the text of the selected tree node and takes typed SQL. A tree node
// dropped on it appends its item's stored text at the end, wherever it was dropped.
class TTextPane : public QPlainTextEdit {
    Q_OBJECT

public:
    // Tells which schema item a drag carries; nullptr when none (a stale or foreign drag).
    using TItemResolver = std::function<TDefaultItem*(const QMimeData*)>;

    // `tag` is the tab index the pane was created at; `treeMimeType` marks drags from the
    // object tree.
    TTextPane(int tag, QString treeMimeType, TItemResolver resolver, QWidget* parent);

    int Tag() const noexcept { return m_tag; }

    // "Line %d, Character %d" for the caret, both counted from 1.
    QString CaretText() const;
    // Appends the text at the very end, without a separator.
    void AppendAtEnd(const QString& text);
    // Word wrap off and both scroll bars always shown, for a wide report.
    void SetReportLayout();
    bool WordWrap() const { return lineWrapMode() != NoWrap; }
    void SetWordWrap(bool wrap) { setLineWrapMode(wrap ? WidgetWidth : NoWrap); }

    // The encoding of the file the text was loaded from, which saving writes again; UTF-8 for
    // text that did not come from a file.
    QStringConverter::Encoding FileEncoding() const noexcept { return m_fileEncoding; }
    void SetFileEncoding(QStringConverter::Encoding encoding) noexcept
    {
        m_fileEncoding = encoding;
    }

signals:
    // The pane received the focus.
    void entered(quorvex::TTextPane* pane);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int m_tag;
    QString m_treeMimeType;
    TItemResolver m_resolver;
    QStringConverter::Encoding m_fileEncoding = QStringConverter::Utf8;
};

} // namespace quorvex
