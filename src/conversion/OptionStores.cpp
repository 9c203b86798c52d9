#include "conversion/OptionStores.h"

#include "platform/Profile.h"

namespace tavrelo {

void OptionStores::load(const Profile& settings, const std::string& appPath)
{
    coordinateFields.load(settings);
    uploadFields.load(settings);
    calc.load(settings);
    dxf = LoadDxfOptions(settings);
    sdr = LoadSdrOptions(settings);
    LoadKofOptions(settings, appPath, kof);
}

ConversionContext OptionStores::context(ProgramState& state, UserInteraction& ui, int coordinateOrder)
{
    ConversionContext c(state, ui);
    c.coordinateOrder = coordinateOrder;
    c.coordinateFields = &coordinateFields;
    c.calc = &calc;
    c.dxf = &dxf;
    c.sdr = &sdr;
    c.kof = &kof;
    c.map = &state.Map;
    return c;
}

} // namespace tavrelo
