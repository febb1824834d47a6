#include "TextPane.h"

#include "model/DefaultItem.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace quorvex {

TTextPane::TTextPane(int tag, QString treeMimeType, TItemResolver resolver, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_tag(tag)
    , m_treeMimeType(std::move(treeMimeType))
    , m_resolver(std::move(resolver))
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setAcceptDrops(true);
}

QString TTextPane::CaretText() const
{
    const QTextCursor caret = textCursor();
    return QStringLiteral("Line %1, Character %2")
        .arg(caret.blockNumber() + 1)
        .arg(caret.positionInBlock() + 1);
}

void TTextPane::AppendAtEnd(const QString& text)
{
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

void TTextPane::SetReportLayout()
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TTextPane::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit entered(this);
}

// Every drag is welcome; only a drop decides what it brings. A tree node lands at the end, so
// it gets no drop caret.
void TTextPane::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasFormat(m_treeMimeType))
        QPlainTextEdit::dragEnterEvent(event);
    event->acceptProposedAction();
}

void TTextPane::dragMoveEvent(QDragMoveEvent* event)
{
    if (!event->mimeData()->hasFormat(m_treeMimeType))
        QPlainTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void TTextPane::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data == nullptr || !data->hasFormat(m_treeMimeType)) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    // A node of an earlier tree no longer has an item to give: nothing is dropped.
    if (TDefaultItem* item = m_resolver ? m_resolver(data) : nullptr)
        AppendAtEnd(QString::fromStdString(item->ObjectText));
    event->acceptProposedAction();
}

} // namespace quorvex
