#pragma once
// Pic, the map picture: shows the image the map was drawn into, with the zoom
// window's rubber band as an overlay above it (the map itself is never drawn over
// for it), and hands the mouse to the map window in picture pixels.
#include <QImage>
#include <QRect>
#include <QWidget>

namespace tavrelo {

class MapPicture : public QWidget {
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent = nullptr);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // The image sized to the picture; false when the picture has no pixels.
    bool fitImage();

    // The rubber band as a rectangle between two corners, or none.
    void setBand(const QRect& band);
    void clearBand();
    bool bandShown() const { return m_bandShown; }
    QRect band() const { return m_band; }

signals:
    void pressed(Qt::MouseButton button, QPointF position);
    void moved(Qt::MouseButtons buttons, QPointF position);
    void released(Qt::MouseButton button, QPointF position);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QRect m_band;
    bool m_bandShown = false;
};

} // namespace tavrelo
