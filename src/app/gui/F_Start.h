#pragma once
// The splash window shown while the program starts: no border, no title bar, centred
// on the screen, one framed picture. A click on the picture closes it.
#include <QWidget>

class QLabel;

namespace tavrelo {

class F_Start : public QWidget {
    Q_OBJECT
public:
    explicit F_Start(QWidget* parent = nullptr);

    // The picture's own size and the framed picture's size, in pixels.
    static constexpr int kPictureSide = 259;
    static constexpr int kFramedSide = kPictureSide + 2;

signals:
    // The user clicked the picture; the splash has closed.
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreOnScreen();

    QLabel* m_im;
};

} // namespace tavrelo
