#pragma once

#include "diagram/DiagramDocument.h"
#include "diagram/DiagramPopup.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <functional>

class QMimeData;

namespace quorvex {

class TDefaultItem;

// What the diagram panes share with the main window: the two check options.
struct TDiagramOptions {
    bool ShowHints = false;
    bool MoveAllWithMouse = false;
};

// A diagram pane of the main window: a scrolling view of one diagram document. It draws only
// the components in view, lets the user drag tables (with their groups), resize them with Ctrl,
// open references from the title boxes, pan the view (or move everything), zoom with Ctrl+wheel,
// and takes tables dragged from the object tree.
class TDiagramPane : public QAbstractScrollArea, private TDiagramObserver {
    Q_OBJECT

public:
    using TItemResolver = std::function<TDefaultItem*(const QMimeData*)>;

    // `tag` is the tab index the pane was created at; `treeMimeType` marks drags from the tree.
    TDiagramPane(int tag, const TDiagramOptions& options, QString treeMimeType,
                 TItemResolver resolver, QWidget* parent);
    ~TDiagramPane() override;

    int Tag() const noexcept { return m_tag; }
    TDiagramDocument& Document() noexcept { return m_document; }
    const TDiagramDocument& Document() const noexcept { return m_document; }

    // Pane point <-> diagram point.
    QPoint ToDiagram(QPoint viewportPoint) const;
    QPoint FromDiagram(QPoint diagramPoint) const;
    // Pans the view by the mouse offset from a to b, or moves every component when Move All
    // With Mouse is checked.
    void ScrollDiagram(QPoint a, QPoint b);
    // Zooms, keeping the diagram point under `anchor` (viewport coordinates) in place.
    void SetScale(int scale, QPoint anchor);
    // "Scale : 1/4": the pane's hint.
    QString ScaleHint() const;

signals:
    // The popup menu is to open at a global point, prepared for what lies under the mouse.
    void popupRequested(const quorvex::TPopupState& state, const QPoint& globalPos);
    // A title box was Ctrl-clicked: References (false) or Referenced By (true).
    void referencesRequested(quorvex::TGDBTable* table, bool referencedBy);
    // A command raised an error the window is to show.
    void failed(const QString& message);

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class TDrag { None, Table, Line, Pan, MiddlePan };

    // TDiagramObserver
    void DiagramChanged(const QRect& area) override;
    void ComponentFreed(const TGDBComponent* component) override;

    void UpdateRange();
    void ScheduleRange();
    void SuspendRange();
    void ResumeRange();
    void DragTo(QPoint global);
    void EndDrag(QPoint global);
    void UpdateCursor(QPoint viewportPoint, Qt::KeyboardModifiers modifiers);
    bool ShowHint(QPoint viewportPoint, QPoint global);
    TObjectItem* DraggedTable(const QMimeData* data, bool tablesOnly) const;
    // Runs a handler, passing a failure on as `failed`.
    void Guarded(const std::function<void()>& handler);

    int m_tag;
    const TDiagramOptions& m_options;
    QString m_treeMimeType;
    TItemResolver m_resolver;
    TDiagramDocument m_document;

    TDrag m_drag = TDrag::None;
    TGDBTable* m_dragTable = nullptr;
    int m_dragMode = 0;
    QPoint m_last;
    // The view is drawn here first: lines are then set pixel by pixel instead of stroked.
    QImage m_buffer;
    int m_rangeSuspended = 0;
    bool m_rangeScheduled = false;
};

} // namespace quorvex
