#include "app/SettingsLayout.h"
#include "link/core/PortSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace tavrelo;

namespace {

SettingsModel DefaultLists()
{
    SettingsModel model;
    for (const ListSection& section : ListSections())
        for (const char* item : section.defaults)
            (model.*section.items).push_back(item);
    return model;
}

} // namespace

TEST(PortSettings, DefaultsGive19200EightBitsXonXoffOnCom1)
{
    const PortSettings port = ChosenPortSettings(DefaultLists());
    EXPECT_EQ(port.portNumber, 1);
    EXPECT_EQ(port.baudRate, 19200);
    EXPECT_EQ(port.dataBits, 8);
    EXPECT_TRUE(port.xonXoff);
}

TEST(PortSettings, ListPositionsAndTextsDecide)
{
    SettingsModel model = DefaultLists();
    model.PortList.push_back("My adapter");
    model.settings.Port = 4; // a fifth item is port 5 whatever its text
    model.settings.Speed = 5;
    model.settings.DataBits = 0;
    model.settings.FlowControl = 0;
    const PortSettings port = ChosenPortSettings(model);
    EXPECT_EQ(port.portNumber, 5);
    EXPECT_EQ(port.baudRate, 38400);
    EXPECT_EQ(port.dataBits, 7);
    EXPECT_FALSE(port.xonXoff);
}

TEST(PortSettings, DeviceIsTheLinkTargetElseTtyS)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tavrelo_port_XXXXXX").string();
    const std::string folder = std::string(::mkdtemp(pattern.data())) + "/";
    fs::create_symlink("/dev/null", folder + "COM2");
    EXPECT_EQ(PortDeviceName(folder, 2), "/dev/null");
    EXPECT_EQ(PortDeviceName(folder, 1), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(folder, 5), "/dev/ttyS4");
    fs::create_symlink(folder + "missing", folder + "COM3");
    EXPECT_EQ(PortDeviceName(folder, 3), folder + "COM3"); // refused by the open
    fs::remove_all(folder);
}
