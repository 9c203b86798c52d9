#pragma once
// What a converter needs besides its two file names: the hand-over words, the user,
// the coordinate order of the Settings tab and the option stores of the dialogs.
// A store left null means its defaults.
#include "app/ProgramState.h"
#include "conversion/CutShortRecords.h"
#include "platform/UserInteraction.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tavrelo {

struct CoordinateFieldOptions; // [Coordinate Settings], CoordinateFieldOptions.h
struct CalcOptions;            // [Calc Coordinate Settings], CalcOptions.h
struct DxfOptions;             // [DXF Settings], DxfOptions.h
struct SdrOptions;             // [SDR33 Settings], SdrOptions.h
struct KofOptions;             // [KOF Settings], KofOptions.h
class MapTables;               // map/core/MapTables.h

struct ConversionContext {
    ConversionContext(ProgramState& state, UserInteraction& ui) : state(state), ui(ui) {}

    ProgramState& state;
    UserInteraction& ui;
    int coordinateOrder = 0; // StCombCoord0: 0 "NEZ", 1 "ENZ"
    const CoordinateFieldOptions* coordinateFields = nullptr;
    CalcOptions* calc = nullptr;
    const DxfOptions* dxf = nullptr;
    const SdrOptions* sdr = nullptr;
    const KofOptions* kof = nullptr;
    MapTables* map = nullptr;
    // Lines of a coordinate list the writer of the run left out because a coordinate
    // field holds text that is not a number; told after the run (RunTextWriter).
    int64_t leftOutLines = 0;
    // Records of a raw file the writer of the run left out because they were cut
    // short; told after the run with the lines above.
    CutShortCount cutShort;
    // The message table, for the texts converters show ("Error" is message 11);
    // unset, the built-in default texts are used.
    std::function<std::string(int number)> message;
};

} // namespace tavrelo
