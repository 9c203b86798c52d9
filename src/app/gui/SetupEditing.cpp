#include "app/gui/SetupEditing.h"

#include "app/gui/F_stp.h"

#include <QEvent>
#include <QMouseEvent>

namespace tavrelo {

EditHandOver& CurrentEdit()
{
    static EditHandOver handOver;
    return handOver;
}

void ShowControlTextEditor(QWidget* control, EditKind kind, QWidget* owner, UserInteraction& ui)
{
    EditHandOver& handOver = CurrentEdit();
    handOver.EditControlKind = kind;
    handOver.EditControl = control;
    F_stp::instance().showOver(owner, ui);
}

RightClickMembers::RightClickMembers(QWidget* window, bool setupMode, UserInteraction& ui)
    : QObject(window)
    , m_window(window)
    , m_setupMode(setupMode)
    , m_ui(ui)
{
}

void RightClickMembers::add(QWidget* pressed, EditKind kind, QWidget* target)
{
    if (!m_setupMode || !pressed)
        return;
    m_members.push_back({pressed, target ? target : pressed, kind});
    pressed->installEventFilter(this);
}

void RightClickMembers::addByName(const QString& name, EditKind kind)
{
    for (QWidget* child : m_window->findChildren<QWidget*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            add(child, kind);
            return;
        }
}

bool RightClickMembers::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!press && type != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    for (const Member& member : m_members) {
        if (member.pressed != watched)
            continue;
        // A member's own context menu would open after the editor closes.
        if (type == QEvent::ContextMenu)
            return true;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            break;
        // A press handed on by a control of the member's own that is no member (the
        // first web address in its frame) does nothing.
        if (member.target && !member.pressed->childAt(mouse->position().toPoint()))
            ShowControlTextEditor(member.target, member.kind, member.pressed->window(), m_ui);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavrelo
