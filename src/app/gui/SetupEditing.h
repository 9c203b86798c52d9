#pragma once
// Setup mode's right-click editing. While the program runs in setup mode, a press of
// any mouse button but the left one on a member of a window's family hands the
// member's target and code over to the control text editor F_stp and shows it
// modally over that window. Outside setup mode a window has no members, so a right
// click does what it does anyway.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace tavrelo {

class UserInteraction;

// What the editor may change on the object handed to it (EditControlKind).
enum class EditKind {
    Caption = 0,   // caption, tooltip and font
    NoCaption = 1, // tooltip and font: text and combo boxes, labels filled at run time
    Window = 4,    // a window: its title only
};

// The two program-wide hand-over values. Set at a right click just before the editor
// is shown; they keep their values after it is hidden.
struct EditHandOver {
    QPointer<QWidget> EditControl;
    EditKind EditControlKind = EditKind::Caption;
};
EditHandOver& CurrentEdit();

// The hand-over itself: stores control and kind, then shows the editor modally over
// owner. Returns when the editor is hidden again.
void ShowControlTextEditor(QWidget* control, EditKind kind, QWidget* owner, UserInteraction& ui);

// One window's family of right-click members. A window joins with one of these; it
// is a child of the window and watches each member it is given.
class RightClickMembers : public QObject {
    Q_OBJECT
public:
    RightClickMembers(QWidget* window, bool setupMode, UserInteraction& ui);

    // A press on pressed edits target (pressed itself when none) with this code.
    // Outside setup mode nothing is added.
    void add(QWidget* pressed, EditKind kind, QWidget* target = nullptr);
    // The member found among the window's children by its name.
    void addByName(const QString& name, EditKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Member {
        QWidget* pressed;
        QPointer<QWidget> target;
        EditKind kind;
    };

    QWidget* m_window;
    bool m_setupMode;
    UserInteraction& m_ui;
    std::vector<Member> m_members;
};

} // namespace tavrelo
