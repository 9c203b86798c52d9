#pragma once
// In setup mode a text or combo box is reached by right-clicking a frame laid over it
// (a box takes its own right-clicks otherwise). The overlay follows the box: same
// place, 90 twips wider, same height, shown while the box is shown; outside setup
// mode it is never visible.
#include <QFrame>

namespace tavrelo {

class SetupOverlay : public QFrame {
    Q_OBJECT
public:
    // The overlay is made a sibling of covered, over it. A dormant overlay (the
    // coordinate-label box's) stays hidden even in setup mode.
    SetupOverlay(const char* name, QWidget* covered, bool setupMode, bool dormant = false);

    QWidget* covered() const { return m_covered; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QWidget* m_covered;
    bool m_active;
};

} // namespace tavrelo
