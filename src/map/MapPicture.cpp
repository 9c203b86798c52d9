#include "map/MapPicture.h"

#include "map/MapRenderer.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavrelo {

MapPicture::MapPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("Pic");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

bool MapPicture::fitImage()
{
    if (width() <= 0 || height() <= 0)
        return false;
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    return true;
}

void MapPicture::setBand(const QRect& band)
{
    m_band = band;
    m_bandShown = true;
    update();
}

void MapPicture::clearBand()
{
    if (!m_bandShown)
        return;
    m_bandShown = false;
    update();
}

void MapPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), MapColours::Ground);
    else
        painter.drawImage(0, 0, m_image);
    if (m_bandShown) {
        painter.setPen(QPen(MapColours::Station, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_band.normalized());
    }
}

void MapPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

void MapPicture::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position());
}

void MapPicture::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), event->position());
}

void MapPicture::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), event->position());
}

} // namespace tavrelo
