#include "mainwindow/SetupOverlay.h"

#include "app/gui/Twips.h"

#include <QEvent>

namespace tavrelo {

namespace {
constexpr double kExtraWidthTwips = 90;
}

SetupOverlay::SetupOverlay(const char* name, QWidget* covered, bool setupMode, bool dormant)
    : QFrame(covered->parentWidget())
    , m_covered(covered)
    , m_active(setupMode && !dormant)
{
    setObjectName(QString::fromLatin1(name));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setToolTip(QStringLiteral("Press right kay to setup"));
    covered->installEventFilter(this);
    follow();
}

bool SetupOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_covered) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            follow();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void SetupOverlay::follow()
{
    SetTwipsLeft(this, TwipsLeft(m_covered));
    SetTwipsTop(this, TwipsTop(m_covered));
    SetTwipsWidth(this, ShownTwipsWidth(m_covered) + kExtraWidthTwips);
    SetTwipsHeight(this, TwipsHeight(m_covered));
    setVisible(m_active && !m_covered->isHidden());
    raise();
}

} // namespace tavrelo
