#include "app/DefaultMessages.h"

namespace tavrelo {

namespace {

const std::vector<DefaultMessage> kMessages = {
    {1, "Receive"},
    {2, "Send"},
    {3, "Settings"},
    {4, "Select data file"},
    {5, "File not exist."},
    {6, "Warning"},
    {7, "Do you wish to overwite or append data?"},
    {8, "Append"},
    {9, "Overwite"},
    {10, "Cancel"},
    {11, "Error"},
    {12, "Cannot create file!"},
    {13, "Please specify other name."},
    {14, "Cannot open output file"},
    {15, "The communication port could not be opened."},
    {16, "Warning"},
    {17, "Data transmission interrupted"},
    {18, "Complete"},
    {19, "Data transmission successfully completed."},
    {20, "Upload aborted!"},
    {21, "Finished"},
    {22, "The data was uploaded successfully."},
    {23, "Edit new file?"},
    {24, "Coordinate file"},
    {25, "Code list file"},
    {26, "Select filename"},
    {27, "name too long, maximum 12 characters allowed!"},
    {28, "KOF converter"},
    {29, "not found"},
    {30, "Load"},
    {31, "SDR-2x"},
    {32, "On the instrument select as download option:"},
    {33, "Format: SDR-2x"},
    {34, "Data: Raw"},
    {35, "OK"},
    {36, "Format: SDR-33"},
    {37, "SDR-33"},
    {38, "Please specify filename to save"},
    {39, "This file contains no data"},
    {40, "Please specify a file name first!"},
    {41, "Data: Coordinate"},
    {42, "&OK"},
    {43, "&Cancel"},
    {44, "Converting"},
    {45, "Please Wait"},
    {46, "Finished"},
    {47, "Conversion finished"},
    {48, "PT Name List file"},
    {49, "Warning!"},
    {50, "Scale factor must be between 0.999600 and 1.000400"},
};

const std::vector<const char*> kFileTypeMessages = {
    "Select program name for editor",
    "Program (*.exe, *.bat)",
    "Zarel Raw Data Format v2.0(*.zvk, .dn?, .raw)",
    "Coordinate file (*.asc)",
    "All files (*.*)",
};

} // namespace

const std::vector<DefaultMessage>& DefaultMessages()
{
    return kMessages;
}

const std::vector<const char*>& DefaultFileTypeMessages()
{
    return kFileTypeMessages;
}

} // namespace tavrelo
