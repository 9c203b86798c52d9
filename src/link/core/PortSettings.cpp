#include "link/core/PortSettings.h"

#include "app/SettingsModel.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <filesystem>
#include <system_error>

namespace tavrelo {

std::string ListItem(const std::vector<std::string>& list, int index)
{
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[index] : std::string();
}

PortSettings ChosenPortSettings(const SettingsModel& model)
{
    const ProgramSettings& s = model.settings;
    PortSettings port;
    port.portNumber = s.Port + 1;
    port.baudRate = CLng(Val(ListItem(model.SpeedList, s.Speed)));
    port.dataBits = CInt(Val(ListItem(model.DataBitsList, s.DataBits)));
    port.xonXoff = s.FlowControl != 0;
    return port;
}

std::string PortDeviceName(const std::string& appPath, int portNumber)
{
    namespace fs = std::filesystem;
    const fs::path link = JoinPath(appPath, "COM" + std::to_string(portNumber));
    std::error_code error;
    if (fs::is_symlink(link, error)) {
        // The device itself, so that its lock is shared with other programs using it.
        const fs::path device = fs::canonical(link, error);
        return error ? link.string() : device.string();
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

} // namespace tavrelo
