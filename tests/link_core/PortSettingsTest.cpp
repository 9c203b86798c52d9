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
    const PortChoice choice = ChosenPortSettings(DefaultLists());
    EXPECT_EQ(choice.refused, "");
    const PortSettings& port = choice.settings;
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
    const PortSettings port = ChosenPortSettings(model).settings;
    EXPECT_EQ(port.portNumber, 5);
    EXPECT_EQ(port.baudRate, 38400);
    EXPECT_EQ(port.dataBits, 7);
    EXPECT_FALSE(port.xonXoff);
}

// Items of the speed and data-bits lists that no port can use are refused by name
// instead of reaching the port (or, past the integer's range, ending the program).
TEST(PortSettings, ItemsNoPortCanUseAreRefused)
{
    const struct {
        const char* speed;
        const char* dataBits;
        const char* named; // in the refusal; "" when usable
    } cases[] = {
        {"19200", "8", ""},
        {"38400 baud", " 7", ""},
        {"1e10", "8", "\"1e10\""},
        {"2147483648", "8", "\"2147483648\""},
        {"0", "8", "\"0\""},
        {"-9600", "8", "\"-9600\""},
        {"fast", "8", "\"fast\""},
        {"19200", "32768", "\"32768\""},
        {"19200", "1e5", "\"1e5\""},
        {"19200", "9", "\"9\""},
        {"19200", "4", "\"4\""},
        {"19200", "5", ""},
    };
    for (const auto& c : cases) {
        SettingsModel model = DefaultLists();
        model.SpeedList = {c.speed};
        model.DataBitsList = {c.dataBits};
        model.settings.Speed = 0;
        model.settings.DataBits = 0;
        const PortChoice choice = ChosenPortSettings(model);
        SCOPED_TRACE(std::string(c.speed) + " / " + c.dataBits);
        if (*c.named == 0) {
            EXPECT_EQ(choice.refused, "");
        } else {
            EXPECT_NE(choice.refused.find(c.named), std::string::npos) << choice.refused;
            EXPECT_NE(choice.refused.find("Settings tab"), std::string::npos) << choice.refused;
        }
    }
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
    fs::create_symlink("/dev/no-such-adapter", folder + "COM3");
    EXPECT_EQ(PortDeviceName(folder, 3), "/dev/no-such-adapter"); // refused by the open
    fs::create_symlink("gone", folder + "COM4");
    EXPECT_EQ(PortDeviceName(folder, 4), folder + "gone");

    // What the Settings page shows for each.
    EXPECT_EQ(PortDeviceLine(FindPortDevice(folder, 2)), "Opens /dev/null through the link COM2: not a serial device");
    EXPECT_EQ(PortDeviceLine(FindPortDevice(folder, 3)),
              "Opens /dev/no-such-adapter through the link COM3: not there. Is the adapter plugged in?");
    EXPECT_EQ(PortDeviceLine(FindPortDevice(folder, 99)),
              "Opens /dev/ttyS98, which is not there: no link COM99 in the program folder");
    fs::remove_all(folder);
}

// The program folder and a link's target carry the user's letters: the link is found
// under its UTF-8 name, and the target is told in Windows-1252 as the program holds it.
TEST(PortSettings, LinkAndTargetWithTheUsersLetters)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tavrelo_port_XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    const std::string utf8Folder = root + "/Tavrelo \xC3\xB8st/";
    const std::string utf8Target = root + "/M\xC3\xA5linger \xC3\xB8st";
    fs::create_directories(utf8Folder);
    fs::create_directories(utf8Target);
    fs::create_symlink(utf8Target, utf8Folder + "COM2");
    const std::string folder = root + "/Tavrelo \xF8st/";
    const PortDevice device = FindPortDevice(folder, 2);
    EXPECT_TRUE(device.linked);
    EXPECT_EQ(device.device, root + "/M\xE5linger \xF8st");
    EXPECT_EQ(device.kind, DeviceKind::Folder);
    EXPECT_NE(PortDeviceLine(device).find("M\xE5linger \xF8st"), std::string::npos) << PortDeviceLine(device);
    fs::remove_all(root);
}
