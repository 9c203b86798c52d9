#pragma once
// The upload field order: what each of the first five fields of a coordinate file to
// be sent holds, and the separator. Section [Coordinate UpLoad Settings]; its own
// window text section "CoordFormUL", the controls' texts shared with F_UsDeCo
// ("CoordForm_" sections, read and saved by both).
#include "dialogs/CoordFieldOrderDialog.h"

namespace tavrelo {

class F_UpCoo : public CoordFieldOrderDialog {
    Q_OBJECT
public:
    // store: the upload field order (FieldSection::UpLoad) that the upload builders read.
    F_UpCoo(SettingsModel& model, ProgramState& state, CoordinateFieldOptions& store, UserInteraction& interaction,
            QWidget* parent = nullptr);

    // "CoordFormUL" first, then the ten "CoordForm_" control sections.
    static std::vector<std::string> TextKeys();
};

} // namespace tavrelo
