#include "dialogs/DialogControls.h"

namespace tavrelo {

// In pixels: an auto-sized label's width is what its text needs now, whatever twips
// its section gave it.
void PlaceCaptionLabel(QWidget* label, const QWidget* control, double gap, LabelAlign align)
{
    label->ensurePolished();
    label->adjustSize();
    const int spare = control->height() - label->height();
    const int top = control->y() + (align == LabelAlign::Bottom ? spare : spare / 2);
    label->move(control->x() - label->width() - TwipsToPixels(gap), top);
}

} // namespace tavrelo
