#pragma once
// Room for a window's whole title in the window manager's title bar. A window manager
// cuts a title that is wider than its window leaves it ("Se… le" for "Select data
// file" over a short message), so the small boxes are made at least that wide.
class QMessageBox;
class QString;
class QWidget;

namespace tavrelo {

// The outer width in pixels that shows title whole: the title in the bold title-bar
// font, the window icon and three buttons, and margins.
int TitleBarWidth(const QString& title);

// A window placed by hand (no layout) made at least TitleBarWidth of its title wide;
// its controls move right by half of what it gains, so they stay where the design
// centres them.
void FitWidthToTitle(QWidget* window);

// The same for a message box, which lays itself out.
void FitWidthToTitle(QMessageBox& box);

} // namespace tavrelo
