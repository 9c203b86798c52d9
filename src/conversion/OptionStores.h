#pragma once
// The options of every conversion dialog, held for the whole run. The dialogs edit
// these stores; the converters read them through the ConversionContext they are given.
#include "conversion/CalcOptions.h"
#include "conversion/ConversionContext.h"
#include "conversion/CoordinateFieldOptions.h"
#include "conversion/DxfOptions.h"
#include "conversion/KofOptions.h"
#include "conversion/SdrOptions.h"

#include <string>

namespace tavrelo {

class Profile;

struct OptionStores {
    CoordinateFieldOptions coordinateFields{FieldSection::Coordinate};
    CoordinateFieldOptions uploadFields{FieldSection::UpLoad};
    CalcOptions calc;
    DxfOptions dxf;
    SdrOptions sdr;
    KofOptions kof;

    // Every store from its section of the settings file (appPath for the KOF
    // point-number file).
    void load(const Profile& settings, const std::string& appPath);

    // A context for one converter run with these options; a calculation fills the
    // program's map tables (state.Map).
    ConversionContext context(ProgramState& state, UserInteraction& ui, int coordinateOrder);
};

} // namespace tavrelo
