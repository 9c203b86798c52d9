#pragma once
// Making the map windows' named controls and placing them in twips.
#include "app/gui/Twips.h"

#include <QWidget>

namespace tavrelo {

// A control carrying its name as objectName, at left, top with width and height
// (twips) in its parent.
template <class Control>
Control* MapControl(QWidget* parent, const char* name, double left, double top, double width, double height)
{
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    SetTwipsLeft(control, left);
    SetTwipsTop(control, top);
    SetTwipsWidth(control, width);
    SetTwipsHeight(control, height);
    return control;
}

} // namespace tavrelo
