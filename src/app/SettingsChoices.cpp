#include "app/SettingsChoices.h"

namespace tavrelo {

namespace {

struct Choice {
    int16_t ProgramSettings::*index;
    std::vector<std::string> SettingsModel::*list;
};

// In the order the main window selects them.
const Choice kChoices[] = {
    {&ProgramSettings::Port, &SettingsModel::PortList},
    {&ProgramSettings::Speed, &SettingsModel::SpeedList},
    {&ProgramSettings::DataBits, &SettingsModel::DataBitsList},
    {&ProgramSettings::FlowControl, &SettingsModel::FlowControlList},
    {&ProgramSettings::StCombCoord0, &SettingsModel::CoordOrderList},
    {&ProgramSettings::StCombCoord1, &SettingsModel::CoordLabelList},
    {&ProgramSettings::DataSendFormat, &SettingsModel::SendFormatList},
};

bool clamp(int16_t& index, size_t count)
{
    if (index < 0 || static_cast<size_t>(index) >= count)
        index = 0;
    return count > 0;
}

} // namespace

bool ClampChoices(SettingsModel& model)
{
    ProgramSettings& s = model.settings;
    bool selectable = true;
    if (s.OpReceive == 0)
        selectable = clamp(s.ComboDataFormatN, model.RawFormatList.size());
    else if (s.OpReceive == 1)
        selectable = clamp(s.ComboDataFormatC, model.CoordFormatList.size());
    // The receive kind is one of three option buttons; there is no other to select.
    if (s.OpReceive < 0 || s.OpReceive > 2)
        return false;
    for (const Choice& choice : kChoices)
        selectable = clamp(s.*choice.index, (model.*choice.list).size()) && selectable;
    if (s.StOpEditor != 0 && s.StOpEditor != 1)
        s.StOpEditor = 0;
    return selectable;
}

} // namespace tavrelo
