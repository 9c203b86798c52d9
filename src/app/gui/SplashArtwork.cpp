#include "app/gui/SplashArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tavrelo {

namespace {

void DrawGrid(QPainter& p, int side)
{
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int i = 0; i <= side; i += side / 10) {
        p.drawLine(i, side / 2, i, side);
        p.drawLine(0, side / 2 + i / 2, side, side / 2 + i / 2);
    }
}

void DrawTripod(QPainter& p, const QPointF& head, double legLength)
{
    p.setPen(QPen(QColor(60, 45, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head, head + QPointF(-legLength * 0.45, legLength));
    p.drawLine(head, head + QPointF(legLength * 0.45, legLength));
    p.drawLine(head, head + QPointF(0, legLength * 1.02));
}

void DrawInstrument(QPainter& p, const QPointF& base)
{
    p.setPen(QPen(QColor(30, 30, 30), 1.5));
    p.setBrush(QColor(245, 200, 40));
    p.drawRoundedRect(QRectF(base.x() - 22, base.y() - 10, 44, 10), 2, 2);  // tribrach
    p.drawRoundedRect(QRectF(base.x() - 16, base.y() - 48, 32, 38), 4, 4); // standard
    p.setBrush(QColor(50, 50, 55));
    p.drawRoundedRect(QRectF(base.x() - 30, base.y() - 40, 40, 14), 6, 6); // telescope
    p.setBrush(QColor(120, 200, 255));
    p.drawEllipse(QPointF(base.x() - 30, base.y() - 33), 5, 6);            // objective lens
    p.setBrush(QColor(20, 60, 20));
    p.drawRect(QRectF(base.x() + 2, base.y() - 24, 10, 8));                // display
}

void DrawTitle(QPainter& p, int side)
{
    QFont title("DejaVu Sans", 26, QFont::Bold);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 14, side, 40), Qt::AlignHCenter, QStringLiteral("Tavrelo"));
    QFont sub("DejaVu Sans", 9);
    p.setFont(sub);
    p.setPen(QColor(220, 235, 255));
    p.drawText(QRectF(0, 56, side, 18), Qt::AlignHCenter, QStringLiteral("Survey data transfer and conversion"));
    p.drawText(QRectF(0, side - 24, side - 10, 18), Qt::AlignRight, QStringLiteral("version 1.10"));
}

} // namespace

QPixmap SplashArtwork(int side)
{
    QPixmap pixmap(side, side);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, side);
    sky.setColorAt(0, QColor(20, 60, 120));
    sky.setColorAt(0.55, QColor(70, 130, 190));
    sky.setColorAt(1, QColor(40, 95, 60));
    p.fillRect(pixmap.rect(), sky);
    DrawGrid(p, side);
    const QPointF head(side * 0.5, side * 0.56);
    DrawTripod(p, head, side * 0.3);
    DrawInstrument(p, head);
    // The target sight line to a prism on the horizon.
    p.setPen(QPen(QColor(255, 80, 60, 180), 1, Qt::DashLine));
    p.drawLine(head + QPointF(-35, -33), QPointF(side * 0.1, side * 0.47));
    DrawTitle(p, side);
    return pixmap;
}

} // namespace tavrelo
