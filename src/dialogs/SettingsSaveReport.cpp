#include "dialogs/SettingsSaveReport.h"

#include "app/SettingsModel.h"
#include "platform/UserInteraction.h"

namespace tavrelo {

bool ReportSettingsSave(const SettingsFileResult& result, const SettingsModel& model, UserInteraction& ui)
{
    if (result.ok())
        return true;
    ui.message(result.message(), MessageButtons::Ok, MessageIcon::Critical, model.message(11));
    return false;
}

} // namespace tavrelo
