#include "app/SettingsChoices.h"

#include "app/SettingsLayout.h"

namespace tavrelo {

namespace {

using Index = int16_t ProgramSettings::*;
using List = std::vector<std::string> SettingsModel::*;

struct Choice {
    Index index;
    List list;
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

std::string keyOf(Index index)
{
    for (const IntegerSetting& setting : DefaultIntegerSettings())
        if (setting.value == index)
            return setting.key;
    return std::string();
}

std::string listName(List list)
{
    for (const ListSection& section : ListSections())
        if (section.items == list)
            return "[" + std::string(section.name) + "]";
    return std::string();
}

std::string savedValue(const ProgramSettings& settings, Index index)
{
    return keyOf(index) + "=" + std::to_string(settings.*index) + " in [" + kDefaultSection + "]";
}

// A choice outside a list that has items becomes 0, its first item, and says so.
bool clamp(SettingsModel& model, const Choice& choice, std::string& fault, std::vector<std::string>& fallbacks)
{
    const std::vector<std::string>& items = model.*choice.list;
    int16_t& index = model.settings.*choice.index;
    if (items.empty()) {
        index = 0;
        if (fault.empty())
            fault = "the list " + listName(choice.list) + " has no items";
        return false;
    }
    if (index >= 0 && static_cast<size_t>(index) < items.size())
        return true;
    fallbacks.push_back(savedValue(model.settings, choice.index) + " is not a position of the list " +
                        listName(choice.list) + " (0 to " + std::to_string(items.size() - 1) +
                        "): its first item, " + items.front() + ", is used instead.");
    index = 0;
    return true;
}

} // namespace

bool ClampChoices(SettingsModel& model, std::string& fault, std::vector<std::string>& fallbacks)
{
    ProgramSettings& s = model.settings;
    bool selectable = true;
    if (s.OpReceive == 0)
        selectable = clamp(model, {&ProgramSettings::ComboDataFormatN, &SettingsModel::RawFormatList}, fault, fallbacks);
    else if (s.OpReceive == 1)
        selectable = clamp(model, {&ProgramSettings::ComboDataFormatC, &SettingsModel::CoordFormatList}, fault,
                           fallbacks);
    // The receive kind is one of three option buttons; there is no other to select.
    if (s.OpReceive < 0 || s.OpReceive > 2) {
        fault = savedValue(s, &ProgramSettings::OpReceive) + " is not one of the choices 0, 1 and 2";
        return false;
    }
    for (const Choice& choice : kChoices)
        selectable = clamp(model, choice, fault, fallbacks) && selectable;
    if (s.StOpEditor != 0 && s.StOpEditor != 1) {
        fallbacks.push_back(savedValue(s, &ProgramSettings::StOpEditor) +
                            " is not one of the choices 0 and 1: 0 is used instead.");
        s.StOpEditor = 0;
    }
    return selectable;
}

} // namespace tavrelo
