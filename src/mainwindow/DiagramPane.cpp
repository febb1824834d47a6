#include "DiagramPane.h"

#include "diagram/DiagramFont.h"
#include "model/ObjectItem.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <exception>

namespace quorvex {

namespace {

// Room kept beyond the last component, so it can be dragged further out.
constexpr int kRangeMargin = 8;
// How long a hint stays up: until the mouse leaves its area.
constexpr int kHintPause = 99999;

Qt::CursorShape CursorFor(int mode)
{
    switch (mode) {
    case MouseModes::References:
    case MouseModes::ReferencedBy:
        return Qt::PointingHandCursor;
    case MouseModes::Drag:
        return Qt::SizeAllCursor;
    case MouseModes::RightEdge:
    case MouseModes::LeftEdge:
        return Qt::SplitHCursor;
    case MouseModes::BottomEdge:
        return Qt::SplitVCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

TDiagramPane::TDiagramPane(int tag, const TDiagramOptions& options, QString treeMimeType,
                           TItemResolver resolver, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_tag(tag)
    , m_options(options)
    , m_treeMimeType(std::move(treeMimeType))
    , m_resolver(std::move(resolver))
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_document.SetObserver(this);
    setStatusTip(ScaleHint());
    UpdateRange();
}

TDiagramPane::~TDiagramPane()
{
    m_document.SetObserver(nullptr);
}

QPoint TDiagramPane::ToDiagram(QPoint viewportPoint) const
{
    return viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint TDiagramPane::FromDiagram(QPoint diagramPoint) const
{
    return diagramPoint - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QString TDiagramPane::ScaleHint() const
{
    return QStringLiteral("Scale : 1/%1").arg(m_document.CurrentScale());
}

// ---- Observer

void TDiagramPane::DiagramChanged(const QRect& area)
{
    if (area.isNull())
        viewport()->update();
    else
        viewport()->update(QRect(FromDiagram(area.topLeft()), area.size()));
    ScheduleRange();
}

void TDiagramPane::ComponentFreed(const TGDBComponent* component)
{
    if (component == m_dragTable) {
        m_dragTable = nullptr;
        m_drag = TDrag::None;
    }
}

// ---- Scroll range

// Many changes come at once (a zoom moves every table): the range is worked out once after.
void TDiagramPane::ScheduleRange()
{
    if (m_rangeScheduled || m_rangeSuspended > 0)
        return;
    m_rangeScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_rangeScheduled = false;
        if (m_rangeSuspended == 0)
            UpdateRange();
    });
}

void TDiagramPane::UpdateRange()
{
    const QRect bounds = m_document.ContentBounds() | QRect(0, 0, 1, 1);
    const QSize view = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const int left = std::min({0, bounds.left(), h->value()});
    const int top = std::min({0, bounds.top(), v->value()});
    h->setRange(left,
                std::max({left, bounds.right() + 1 + kRangeMargin - view.width(), h->value()}));
    v->setRange(top,
                std::max({top, bounds.bottom() + 1 + kRangeMargin - view.height(), v->value()}));
    h->setPageStep(view.width());
    v->setPageStep(view.height());
    h->setSingleStep(16);
    v->setSingleStep(16);
}

void TDiagramPane::SuspendRange()
{
    ++m_rangeSuspended;
}

void TDiagramPane::ResumeRange()
{
    if (m_rangeSuspended > 0 && --m_rangeSuspended == 0)
        ScheduleRange();
}

void TDiagramPane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRange();
}

void TDiagramPane::scrollContentsBy(int dx, int dy)
{
    // What stays in view is moved, only the uncovered strips are drawn.
    viewport()->scroll(dx, dy);
}

// ---- Painting

void TDiagramPane::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect() & viewport()->rect();
    if (exposed.isEmpty())
        return;
    // At the screen's own resolution, so text stays sharp on high-density screens.
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize pixels = (QSizeF(viewport()->size()) * ratio).toSize();
    if (m_buffer.size() != pixels || m_buffer.devicePixelRatio() != ratio) {
        m_buffer = QImage(pixels, QImage::Format_RGB32);
        m_buffer.setDevicePixelRatio(ratio);
    }
    const QPoint origin = ToDiagram(QPoint(0, 0));
    {
        QPainter painter(&m_buffer);
        painter.setClipRect(exposed);
        painter.fillRect(exposed, Qt::white);
        painter.setFont(DiagramFont());
        painter.setPen(Qt::black);
        painter.translate(-origin);
        m_document.PaintTo(painter, exposed.translated(origin));
    }
    QPainter(viewport())
        .drawImage(QRectF(exposed), m_buffer,
                   QRectF(QPointF(exposed.topLeft()) * ratio, QSizeF(exposed.size()) * ratio));
}

// ---- Mouse

void TDiagramPane::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        emit failed(QString::fromStdString(error.what()));
    }
}

void TDiagramPane::ScrollDiagram(QPoint a, QPoint b)
{
    const QPoint d = b - a;
    if (m_options.MoveAllWithMouse) {
        m_document.MoveAll(d.x(), d.y());
        return;
    }
    // The view follows the hand; the range grows when the hand goes past the content.
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(std::min(h->minimum(), h->value() - d.x()),
                std::max(h->maximum(), h->value() - d.x()));
    v->setRange(std::min(v->minimum(), v->value() - d.y()),
                std::max(v->maximum(), v->value() - d.y()));
    h->setValue(h->value() - d.x());
    v->setValue(v->value() - d.y());
}

void TDiagramPane::mousePressEvent(QMouseEvent* event)
{
    if (m_drag != TDrag::None)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (event->button() == Qt::MiddleButton) {
        m_drag = TDrag::MiddlePan;
        m_last = global;
        SuspendRange();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = ToDiagram(event->position().toPoint());
    TGDBComponent* hit = m_document.ComponentAt(point);
    if (hit != nullptr && hit->IsTable()) {
        auto* table = static_cast<TGDBTable*>(hit);
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        const int mode = table->MouseModeAt(point - table->Bounds().topLeft(), ctrl);
        if (mode == MouseModes::References || mode == MouseModes::ReferencedBy) {
            if (table->SchemaObject != nullptr)
                emit referencesRequested(table, mode == MouseModes::ReferencedBy);
            return;
        }
        m_drag = TDrag::Table;
        m_dragTable = table;
        m_dragMode = mode;
        m_last = global;
        if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            m_document.SelectOnlyGroup(table->Tag);
        table->SetSelected(true);
        m_document.BringToFront(table);
        SuspendRange();
        return;
    }
    m_drag = hit != nullptr ? TDrag::Line : TDrag::Pan;
    m_last = global;
    if (m_drag == TDrag::Pan || m_options.MoveAllWithMouse)
        SuspendRange();
}

void TDiagramPane::DragTo(QPoint global)
{
    if (m_drag == TDrag::Table && m_dragTable != nullptr) {
        const QPoint d = global - m_last;
        m_document.DragTable(*m_dragTable, m_dragMode, d.x(), d.y());
    } else if (m_drag == TDrag::MiddlePan) {
        const QPoint d = global - m_last;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
    } else if (m_drag != TDrag::None) {
        ScrollDiagram(m_last, global);
    }
    m_last = global;
}

void TDiagramPane::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag != TDrag::None) {
        DragTo(event->globalPosition().toPoint());
        return;
    }
    UpdateCursor(event->position().toPoint(), event->modifiers());
}

void TDiagramPane::UpdateCursor(QPoint viewportPoint, Qt::KeyboardModifiers modifiers)
{
    const QPoint point = ToDiagram(viewportPoint);
    const TGDBComponent* hit = m_document.ComponentAt(point);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (hit != nullptr && hit->IsTable()) {
        const auto* table = static_cast<const TGDBTable*>(hit);
        shape = CursorFor(
            table->MouseModeAt(point - table->Bounds().topLeft(), modifiers & Qt::ControlModifier));
    } else if (hit != nullptr) {
        shape = Qt::SizeAllCursor;
    }
    viewport()->setCursor(shape);
}

void TDiagramPane::EndDrag(QPoint global)
{
    const TDrag drag = m_drag;
    if (drag == TDrag::Pan && global == m_last)
        m_document.SelectOnlyGroup(0); // a click on empty area deselects everything
    DragTo(global);
    m_drag = TDrag::None;
    m_dragTable = nullptr;
    if (drag != TDrag::Line || m_options.MoveAllWithMouse)
        ResumeRange();
    viewport()->setCursor(Qt::ArrowCursor);
}

void TDiagramPane::mouseReleaseEvent(QMouseEvent* event)
{
    const bool middle = event->button() == Qt::MiddleButton;
    if ((m_drag == TDrag::MiddlePan) == middle && m_drag != TDrag::None)
        EndDrag(event->globalPosition().toPoint());
}

void TDiagramPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    TGDBComponent* hit = m_document.ComponentAt(ToDiagram(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && hit != nullptr && hit->IsTable()) {
        auto* table = static_cast<TGDBTable*>(hit);
        Guarded([table] { table->SetShowFields(!table->ShowFields()); });
        return;
    }
    mousePressEvent(event);
}

void TDiagramPane::SetScale(int scale, QPoint anchor)
{
    const int old = m_document.CurrentScale();
    if (scale == old)
        return;
    const QPoint fixed = ToDiagram(anchor);
    m_document.SetDiagramScale(scale);
    if (m_document.CurrentScale() == old)
        return;
    m_rangeScheduled = false;
    UpdateRange();
    const QPoint moved(fixed.x() * old / scale, fixed.y() * old / scale);
    horizontalScrollBar()->setValue(moved.x() - anchor.x());
    verticalScrollBar()->setValue(moved.y() - anchor.y());
    setStatusTip(ScaleHint());
}

void TDiagramPane::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    const int scale = m_document.CurrentScale();
    if (delta > 0 && scale > 1)
        SetScale(scale / 2, event->position().toPoint());
    else if (delta < 0 && scale < TDiagramDocument::kMaxScale)
        SetScale(scale * 2, event->position().toPoint());
    event->accept();
}

void TDiagramPane::contextMenuEvent(QContextMenuEvent* event)
{
    // Events of the viewport come in its own coordinates.
    TGDBComponent* hit = m_document.ComponentAt(ToDiagram(event->pos()));
    emit popupRequested(PreparePopup(m_document, hit), event->globalPos());
}

// ---- Hints

bool TDiagramPane::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!ShowHint(help->pos(), help->globalPos()))
            QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool TDiagramPane::ShowHint(QPoint viewportPoint, QPoint global)
{
    const QPoint point = ToDiagram(viewportPoint);
    const TGDBComponent* hit = m_document.ComponentAt(point);
    if (hit == nullptr) {
        QToolTip::showText(global, ScaleHint(), viewport(), QRect(), kHintPause);
        return true;
    }
    if (!hit->IsTable()) {
        if (!hit->ShowHint || hit->Hint.empty())
            return false;
        QToolTip::showText(global, Latin1Text(hit->Hint), viewport(),
                           QRect(FromDiagram(hit->Bounds().topLeft()), hit->Bounds().size()),
                           kHintPause);
        return true;
    }
    if (!m_options.ShowHints)
        return false;
    const auto* table = static_cast<const TGDBTable*>(hit);
    const TGDBTable::THintInfo info = table->GetHintInfo(point - table->Bounds().topLeft());
    if (info.Text.empty())
        return false;
    QToolTip::showText(global, Latin1Text(info.Text), viewport(),
                       info.Area.translated(FromDiagram(table->Bounds().topLeft())), kHintPause);
    return true;
}

// ---- Tables dragged from the tree

TObjectItem* TDiagramPane::DraggedTable(const QMimeData* data, bool tablesOnly) const
{
    if (data == nullptr || !data->hasFormat(m_treeMimeType) || !m_resolver)
        return nullptr;
    auto* object = dynamic_cast<TObjectItem*>(m_resolver(data));
    if (object == nullptr)
        return nullptr;
    const bool table = object->ObjectType == ObjectTypes::Table;
    return table || (!tablesOnly && object->ObjectType == ObjectTypes::View) ? object : nullptr;
}

void TDiagramPane::dragEnterEvent(QDragEnterEvent* event)
{
    if (DraggedTable(event->mimeData(), false) != nullptr)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDiagramPane::dragMoveEvent(QDragMoveEvent* event)
{
    if (DraggedTable(event->mimeData(), false) != nullptr)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDiagramPane::dropEvent(QDropEvent* event)
{
    TObjectItem* object = DraggedTable(event->mimeData(), true);
    event->acceptProposedAction();
    if (object == nullptr)
        return; // a view is accepted over the pane but adds nothing
    const QPoint at = ToDiagram(event->position().toPoint());
    Guarded([&] {
        TGDBTable& table = m_document.AddTableForObject(*object);
        table.SetSelected(true);
        table.MoveTo(at.x(), at.y());
        table.UpdateLines();
    });
}

} // namespace quorvex
