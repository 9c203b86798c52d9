#pragma once
// The sections without keys (the eleven lists, the file-dialog texts and the message
// table) are found by scanning the file's lines from the top, each header expected
// after the one before it. Headers are recognised anywhere in a line, letter case
// significant, as files written by the earlier versions of the program rely on.
#include "app/SettingsModel.h"
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace tavrelo {

// Fills the lists and FileTypeMessages from the lines (lists emptied first) and files
// the message lines by number. False when the file ends before "[Messages]" or a
// receive-format list has more than 19 items; fault then names the section.
bool ScanListsAndMessages(const std::vector<std::string>& lines, SettingsModel& model, std::string& fault);

// The lines the scan takes for items of the lists and of [Messages for file types]:
// for the keyed reads and writes of the same file they open no section, so that a
// "[Default]" typed among a list's items is an item to both.
ItemLines ListItemLines(const std::vector<std::string>& lines);

// One line of [Messages] filed under its number; false for a line that ends the
// section (one beginning with "["). Lines without a number in 1..199 are skipped.
bool FileMessageLine(const std::string& line, SettingsModel& model);

} // namespace tavrelo
