#pragma once
// The conversion field order: what goes into each of the five fields of the
// coordinate list a conversion writes, and the separator. Section
// [Coordinate Settings]; control texts "CoordForm" and the "CoordForm_" sections.
#include "dialogs/CoordFieldOrderDialog.h"

namespace tavrelo {

class F_UsDeCo : public CoordFieldOrderDialog {
    Q_OBJECT
public:
    // store: the conversion field order (FieldSection::Coordinate) that the writers read.
    F_UsDeCo(SettingsModel& model, ProgramState& state, CoordinateFieldOptions& store, UserInteraction& interaction,
             QWidget* parent = nullptr);
};

} // namespace tavrelo
