#include "DiagramIcons.h"

#include <QPainter>
#include <QPixmap>

namespace quorvex {

namespace {

constexpr int kSize = 32;

void DrawMagnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(Qt::darkBlue, 3));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2.5));
    p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
    if (plus)
        p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
}

void DrawTable(QPainter& p, const QRectF& box)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(QRectF(box.left(), box.top(), box.width(), 6));
}

void DrawCross(QPainter& p, const QRectF& box)
{
    p.setPen(QPen(QColor(200, 0, 0), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

} // namespace

QIcon DiagramIcon(TDiagramIcon icon)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case TDiagramIcon::ZoomOut:
    case TDiagramIcon::ZoomIn:
        DrawMagnifier(p, icon == TDiagramIcon::ZoomIn);
        break;
    case TDiagramIcon::Clear:
        DrawTable(p, QRectF(3, 5, 18, 16));
        DrawTable(p, QRectF(11, 11, 18, 16));
        DrawCross(p, QRectF(6, 6, 20, 20));
        break;
    case TDiagramIcon::ShowHints:
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(255, 255, 200));
        p.drawRoundedRect(QRectF(3, 4, 26, 18), 4, 4);
        p.drawPolygon(QPolygonF({QPointF(9, 22), QPointF(9, 29), QPointF(15, 22)}));
        p.setFont(QFont(QStringLiteral("Sans Serif"), 11, QFont::Bold));
        p.drawText(QRectF(3, 4, 26, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case TDiagramIcon::MoveAll:
        p.setPen(QPen(Qt::darkGreen, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        for (const auto& [a, b, c] :
             {std::tuple{QPointF(11, 8), QPointF(16, 3), QPointF(21, 8)},
              std::tuple{QPointF(11, 24), QPointF(16, 29), QPointF(21, 24)},
              std::tuple{QPointF(8, 11), QPointF(3, 16), QPointF(8, 21)},
              std::tuple{QPointF(24, 11), QPointF(29, 16), QPointF(24, 21)}})
            p.drawPolyline(QPolygonF({a, b, c}));
        break;
    case TDiagramIcon::DefaultMask:
        p.setPen(Qt::black);
        p.setFont(QFont(QStringLiteral("Sans Serif"), 14, QFont::Bold));
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("%s"));
        break;
    case TDiagramIcon::CloseTable:
        DrawTable(p, QRectF(4, 6, 24, 20));
        DrawCross(p, QRectF(12, 13, 12, 10));
        break;
    }
    return QIcon(pixmap);
}

} // namespace quorvex
