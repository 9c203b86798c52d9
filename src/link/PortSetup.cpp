#include "link/PortSetup.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "link/SerialLink.h"
#include "link/core/PortSettings.h"
#include "platform/UserInteraction.h"

namespace tavrelo {

bool OpenPort(SerialLink& link, const SettingsModel& model, ProgramState& state, UserInteraction& ui)
{
    state.DialogAnswer.clear();
    const PortSettings settings = ChosenPortSettings(model);
    if (link.open(PortDeviceName(state.AppPath, settings.portNumber), settings))
        return true;
    state.DialogAnswer = std::to_string(link.errorNumber());
    ui.message(model.message(15), MessageButtons::Ok, MessageIcon::Critical, model.message(11));
    return false;
}

} // namespace tavrelo
