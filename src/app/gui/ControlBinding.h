#pragma once
// Puts the texts of one control section onto a widget, and reads the widget's live
// texts and fonts back for saving. Which lines apply follows the control's kind:
//
//   kind           caption  font  height  width  tooltip
//   0 text box       -       x      x       x      x
//   1 captioned      x       x      x       x      x
//   3 combo box      -       x      -       x      x
//   4 window         x       x      x       x      -
//
// A window's caption is its title and its size the outer size. A value the widget
// cannot take (a font size of 0, a negative size) is skipped and the rest applied.
#include "app/ControlText.h"

class QWidget;

namespace tavrelo {

void ApplyControlText(QWidget* widget, ControlKind kind, const ControlText& text);

// Fills the lines of text that the kind has from the widget as it is now; the other
// lines are left as they were, and so are the sizes, but for the outer size of a
// window that the user has resized.
void ReadControlText(const QWidget* widget, ControlKind kind, ControlText& text);

// The property that holds the caption of a widget of this kind ("text", "title",
// "windowTitle"); nullptr for a widget without one (a text box, a combo box).
const char* CaptionProperty(const QWidget* widget, ControlKind kind);

// A label that its caption or font has outgrown is shown as wide as it needs; the
// width it was given stays the one saved.
void FitCaption(QWidget* widget);

// The largest font size a section may give, in points.
constexpr double kMaxFontSize = 2160;

} // namespace tavrelo
