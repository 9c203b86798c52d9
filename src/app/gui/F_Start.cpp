#include "app/gui/F_Start.h"

#include "app/gui/SplashArtwork.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace tavrelo {

F_Start::F_Start(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_im(new QLabel(this))
{
    setObjectName("F_Start");
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_im->setObjectName("Im");
    m_im->setFrameShape(QFrame::Box);
    m_im->setLineWidth(1);
    m_im->setPixmap(SplashArtwork(kPictureSide));
    m_im->setGeometry(0, 0, kFramedSide, kFramedSide);
    m_im->installEventFilter(this);
    setFixedSize(kFramedSide, kFramedSide);
    centreOnScreen();
}

bool F_Start::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_im && event->type() == QEvent::MouseButtonRelease) {
        close();
        emit clicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void F_Start::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

} // namespace tavrelo
