#pragma once
// Watches one widget's paints: what it showed at each paint (the text of a label, the
// value of a progress bar, as `shown` reads it), how many paints there were and when
// the last one came. What a window test or the benchmark sees this way is what the
// user saw, not only what was set. The recorder outlives the widget (a download
// window is unloaded when its download ends), so what it saw can be read after.
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace tavrelo::test {

class PaintRecorder : public QObject {
public:
    PaintRecorder(QWidget* widget, std::function<QString()> shown)
        : m_shown(std::move(shown))
    {
        m_clock.start();
        widget->installEventFilter(this);
    }

    // What each paint showed, a repeat of the one before left out.
    QStringList shown;
    int paints = 0;
    // On the recorder's own monotonic clock, started with it; -1 before any paint.
    qint64 lastPaintNs = -1;
    const QElapsedTimer& clock() const { return m_clock; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        ++paints;
        lastPaintNs = m_clock.nsecsElapsed();
        const QString now = m_shown();
        if (shown.isEmpty() || shown.last() != now)
            shown << now;
        return false;
    }

private:
    QElapsedTimer m_clock;
    std::function<QString()> m_shown;
};

} // namespace tavrelo::test
