#include "mainwindow/FileNameDrops.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace tavrelo {

namespace {

// The first local file among the dropped URLs, or the file whose URL is the whole
// dropped text; "" for anything else.
QString DroppedFile(const QMimeData* mime)
{
    if (!mime)
        return {};
    QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() && mime->hasText())
        urls << QUrl(mime->text().trimmed(), QUrl::StrictMode);
    for (const QUrl& url : urls)
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return QDir::toNativeSeparators(url.toLocalFile());
    return {};
}

// The file is only named, never moved: a file manager removes a file whose drop was
// taken as a move.
bool TakeAsCopy(QDropEvent* event)
{
    for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction})
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    return false;
}

class FileDropFilter : public QObject {
public:
    explicit FileDropFilter(QLineEdit* box)
        : QObject(box)
        , m_box(box)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box || m_box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            return !DroppedFile(drag->mimeData()).isEmpty() && TakeAsCopy(drag);
        }
        case QEvent::Drop:
            return drop(static_cast<QDropEvent*>(event));
        default:
            return false;
        }
    }

private:
    bool drop(QDropEvent* event)
    {
        m_box->setFocus(Qt::OtherFocusReason);
        const QString file = DroppedFile(event->mimeData());
        if (file.isEmpty() || !TakeAsCopy(event))
            return false; // text: the box inserts it where it fell
        m_box->selectAll();
        m_box->insert(file); // an edit, as a paste is: undoable, and checked when the editing ends
        return true;
    }

    QLineEdit* m_box;
};

} // namespace

void TakeFileDrops(QLineEdit* box)
{
    box->installEventFilter(new FileDropFilter(box));
}

} // namespace tavrelo
