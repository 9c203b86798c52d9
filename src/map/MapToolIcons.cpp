#include "map/MapToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavrelo {

namespace {

constexpr int kSize = 24;

void magnifier(QPainter& p, double cx, double cy, double r)
{
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(QPen(p.pen().color(), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.6, cy + r * 1.6));
    p.setPen(QPen(p.pen().color(), 1.6));
}

void arrows(QPainter& p)
{
    p.drawLine(12, 3, 12, 21);
    p.drawLine(3, 12, 21, 12);
    for (const auto& head : {QPolygonF({QPointF(12, 2), QPointF(9, 6), QPointF(15, 6)}),
                             QPolygonF({QPointF(12, 22), QPointF(9, 18), QPointF(15, 18)}),
                             QPolygonF({QPointF(2, 12), QPointF(6, 9), QPointF(6, 15)}),
                             QPolygonF({QPointF(22, 12), QPointF(18, 9), QPointF(18, 15)})})
        p.drawPolygon(head);
}

void page(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 3, 14, 18));
    p.setBrush(Qt::NoBrush);
    for (int y = 7; y <= 15; y += 4)
        p.drawLine(8, y, 16, y);
}

void draw(QPainter& p, MapToolIcon icon)
{
    const QColor ink(30, 50, 90);
    p.setPen(QPen(ink, 1.6));
    switch (icon) {
    case MapToolIcon::Pan:
        p.setBrush(ink);
        arrows(p);
        break;
    case MapToolIcon::ZoomRealTime:
        magnifier(p, 10, 10, 6.5);
        p.drawLine(7, 10, 13, 10);
        p.drawLine(10, 7, 10, 13);
        p.drawLine(19, 2, 19, 8);
        p.drawLine(17, 4, 19, 2);
        p.drawLine(21, 4, 19, 2);
        break;
    case MapToolIcon::ZoomWindow:
        p.setPen(QPen(ink, 1.2, Qt::DashLine));
        p.drawRect(QRectF(2, 2, 14, 12));
        p.setPen(QPen(ink, 1.6));
        magnifier(p, 13, 13, 4.5);
        break;
    case MapToolIcon::Information:
        p.setBrush(QColor(40, 90, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("DejaVu Serif"), 13, QFont::Bold));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("i"));
        break;
    case MapToolIcon::NewScale:
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
        p.drawText(QRectF(0, 2, 24, 12), Qt::AlignCenter, QStringLiteral("1:n"));
        p.drawLine(3, 19, 21, 19);
        for (int x = 3; x <= 21; x += 6)
            p.drawLine(x, 16, x, 19);
        break;
    case MapToolIcon::Layers:
        for (int i = 2; i >= 0; --i) {
            p.setBrush(i == 0 ? QColor(120, 200, 120) : QColor(220, 220, 220));
            p.drawPolygon(QPolygonF({QPointF(12, 4 + 5 * i), QPointF(22, 9 + 5 * i), QPointF(12, 14 + 5 * i),
                                     QPointF(2, 9 + 5 * i)}));
        }
        break;
    case MapToolIcon::Find: magnifier(p, 10, 10, 6.5); break;
    case MapToolIcon::Statistics:
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 15, QFont::Bold));
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QString(QChar(0x03A3)));
        break;
    case MapToolIcon::PrintPreview:
        page(p);
        magnifier(p, 14, 14, 4);
        break;
    case MapToolIcon::Print:
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(2, 9, 20, 9));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 12, 6));
        p.drawRect(QRectF(6, 15, 12, 7));
        break;
    }
}

} // namespace

QIcon MakeMapToolIcon(MapToolIcon icon)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, icon);
    p.end();
    return QIcon(pixmap);
}

} // namespace tavrelo
