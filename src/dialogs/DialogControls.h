#pragma once
// Making a named control and placing it in twips, as the option dialogs lay out their
// design positions.
#include "app/gui/Twips.h"

#include <QString>
#include <QWidget>

#include <string>

namespace tavrelo {

// Every control carries its name (element index appended for an array) as objectName.
template <class Control>
Control* MakeNamed(QWidget* parent, const char* name, int index = -1)
{
    auto* control = new Control(parent);
    QString objectName = QString::fromLatin1(name);
    if (index >= 0)
        objectName += QString::number(index);
    control->setObjectName(objectName);
    return control;
}

// A label auto-sized to its text, placed gap twips left of its control; vertically
// either bottoms aligned (KOF rows) or centred on the control (DXF rows).
enum class LabelAlign { Bottom, Centre };
void PlaceCaptionLabel(QWidget* label, const QWidget* control, double gap, LabelAlign align);

} // namespace tavrelo
