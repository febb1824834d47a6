#include "StateIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <array>

namespace quorvex {

namespace {

// Shapes are drawn on a 16 by 16 grid, scaled to the requested rectangle.
constexpr double kGrid = 16.0;

struct TStyle {
    QColor Fill;
    QColor Outline;
    QColor Mark;
};

void DrawCircle(QPainter& p, const TStyle& style)
{
    p.setPen(QPen(style.Outline, 1.0));
    p.setBrush(style.Fill);
    p.drawEllipse(QRectF(1, 1, 14, 14));
}

void DrawSquare(QPainter& p, const TStyle& style)
{
    p.setPen(QPen(style.Outline, 1.0));
    p.setBrush(style.Fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
}

void DrawDiamond(QPainter& p, const TStyle& style)
{
    p.setPen(QPen(style.Outline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(style.Fill);
    p.drawPolygon(
        QPolygonF({QPointF(8, 0.5), QPointF(15.5, 8), QPointF(8, 15.5), QPointF(0.5, 8)}));
}

QPen MarkPen(const TStyle& style, double width)
{
    return QPen(style.Mark, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawTilde(QPainter& p, const TStyle& style)
{
    QPainterPath tilde(QPointF(4.5, 9));
    tilde.cubicTo(QPointF(5.5, 6.2), QPointF(7, 6.2), QPointF(8, 8));
    tilde.cubicTo(QPointF(9, 9.8), QPointF(10.5, 9.8), QPointF(11.5, 7));
    p.setPen(MarkPen(style, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tilde);
}

void DrawState(QPainter& p, int state)
{
    switch (state) {
    case 1: { // invalid
        const TStyle style{QColor(0xD3, 0x2F, 0x2F), QColor(0x8E, 0x1B, 0x1B), Qt::white};
        DrawCircle(p, style);
        p.setPen(MarkPen(style, 2.0));
        p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
        p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
        break;
    }
    case 2: { // disabled
        const TStyle style{Qt::white, QColor(0x61, 0x61, 0x61), QColor(0x61, 0x61, 0x61)};
        p.setPen(QPen(style.Outline, 2.2));
        p.setBrush(style.Fill);
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.setPen(MarkPen(style, 2.2));
        p.drawLine(QPointF(4.6, 4.6), QPointF(11.4, 11.4));
        break;
    }
    case 3: { // added
        const TStyle style{QColor(0x2E, 0x7D, 0x32), QColor(0x1B, 0x4D, 0x1E), Qt::white};
        DrawSquare(p, style);
        p.setPen(MarkPen(style, 2.0));
        p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        break;
    }
    case 4: { // removed
        const TStyle style{QColor(0xEF, 0x6C, 0x00), QColor(0x9A, 0x45, 0x00), Qt::white};
        DrawSquare(p, style);
        p.setPen(MarkPen(style, 2.0));
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        break;
    }
    case 5: { // changed
        const TStyle style{QColor(0xFB, 0xC0, 0x2D), QColor(0x8D, 0x6E, 0x00),
                           QColor(0x3E, 0x27, 0x23)};
        DrawDiamond(p, style);
        DrawTilde(p, style);
        break;
    }
    case 6: { // changed index
        const TStyle style{QColor(0x15, 0x65, 0xC0), QColor(0x0D, 0x3C, 0x73), Qt::white};
        DrawDiamond(p, style);
        DrawTilde(p, style);
        break;
    }
    default:
        break;
    }
}

class TStateIconEngine : public QIconEngine {
public:
    explicit TStateIconEngine(int state)
        : m_state(state)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const double side = std::min(rect.width(), rect.height());
        if (side <= 0)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / kGrid, side / kGrid);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.45);
        DrawState(*painter, m_state);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` counts device pixels; the picture is drawn at that resolution.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        pixmap.setDevicePixelRatio(scale > 0 ? scale : 1.0);
        return pixmap;
    }

    QIconEngine* clone() const override { return new TStateIconEngine(m_state); }
    QString key() const override { return QStringLiteral("quorvex-state"); }

private:
    int m_state;
};

} // namespace

QIcon StateIcon(int state)
{
    if (state < kFirstStateImage || state > kLastStateImage)
        return {};
    // QIcon takes ownership of its engine.
    return QIcon(new TStateIconEngine(state));
}

QString StateToolTip(int state, bool own)
{
    switch (state) {
    case 1:
        return own ? QStringLiteral("Invalid object: it needs recompiling")
                   : QStringLiteral("Contains an invalid object, a disabled constraint or a "
                                    "changed column");
    case 2:
        return QStringLiteral("Disabled constraint");
    case 3:
        return QStringLiteral("Added: only in the compared file");
    case 4:
        return QStringLiteral("Removed: only in the current model");
    case 5:
        return own ? QStringLiteral("Changed: its text differs from the compared file")
                   : QStringLiteral("Contains a changed trigger or column");
    case 6:
        return own ? QStringLiteral("Changed index: its text differs from the compared file")
                   : QStringLiteral("Contains a changed index");
    default:
        return {};
    }
}

} // namespace quorvex
