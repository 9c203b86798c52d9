#pragma once
// Puts a whole file name into a text box the ways a user does without typing it:
// pasted with Ctrl+V or with Paste of the box's own context menu (the box clicked
// first, as a paste begins), or dropped on the box as text or as a file dragged from a
// file manager (the focus stays where it was, as it does for a real drop). Each goes
// through the events a user's hand makes, so the box's own handling runs.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace tavrelo::test {

enum class NameEntry { CtrlV, ContextMenuPaste, TextDrop, FileDrop };

constexpr NameEntry kNameEntries[] = {NameEntry::CtrlV, NameEntry::ContextMenuPaste, NameEntry::TextDrop,
                                      NameEntry::FileDrop};

inline const char* NameEntryName(NameEntry way)
{
    switch (way) {
    case NameEntry::CtrlV: return "Ctrl+V";
    case NameEntry::ContextMenuPaste: return "context menu Paste";
    case NameEntry::TextDrop: return "text dropped";
    case NameEntry::FileDrop: return "file dropped from a file manager";
    }
    return "";
}

// Paste of the context menu that the box shows, clicked as a user clicks it.
inline void ClickPasteOfContextMenu()
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("&Paste"))) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return;
        }
    menu->close();
}

// The drag enters, moves and is dropped in the middle of the box; as with a real drag,
// nothing is dropped where the box refuses the drag.
inline void DropOn(QLineEdit* box, const QMimeData& mime)
{
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(at, enter.dropAction(), &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    if (!move.isAccepted())
        return;
    QDropEvent drop(QPointF(at), move.dropAction(), &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
}

inline void EnterName(QLineEdit* box, NameEntry way, const QString& path)
{
    QMimeData mime;
    switch (way) {
    case NameEntry::CtrlV:
        QApplication::clipboard()->setText(path);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return;
    case NameEntry::ContextMenuPaste: {
        QApplication::clipboard()->setText(path);
        box->selectAll();
        QTest::mouseClick(box, Qt::RightButton); // the right click that opens the menu gives the focus
        const QPoint at = box->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
        QTimer::singleShot(0, box, &ClickPasteOfContextMenu);
        QApplication::sendEvent(box, &event);
        QTest::qWaitFor([] { return !QApplication::activePopupWidget(); });
        return;
    }
    case NameEntry::TextDrop:
        box->clear();
        mime.setText(path);
        DropOn(box, mime);
        return;
    case NameEntry::FileDrop:
        // A file manager offers the file as a URL and its text as well.
        mime.setUrls({QUrl::fromLocalFile(path)});
        mime.setText(QUrl::fromLocalFile(path).toString());
        DropOn(box, mime);
        return;
    }
}

} // namespace tavrelo::test
