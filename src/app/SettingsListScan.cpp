#include "app/SettingsListScan.h"

#include "app/SettingsLayout.h"
#include "platform/TextRules.h"

#include <cmath>
#include <cstdint>

namespace tavrelo {

namespace {

constexpr size_t kFileTypeMessagesKept = 19;

bool isBlank(const std::string& line)
{
    return Trim(line).empty();
}

bool holdsHeader(const std::string& line, const std::string& section)
{
    return line.find("[" + section + "]") != std::string::npos;
}

// Moves past the line holding the header; false when the lines end first.
bool skipTo(const std::vector<std::string>& lines, size_t& at, const std::string& section)
{
    while (at < lines.size())
        if (holdsHeader(lines[at++], section))
            return true;
    return false;
}

// Collects the non-blank lines, untrimmed, up to the line holding the next header.
bool collectUntil(const std::vector<std::string>& lines, size_t& at, const std::string& next,
                  std::vector<std::string>& items)
{
    while (at < lines.size()) {
        const std::string& line = lines[at++];
        if (holdsHeader(line, next))
            return true;
        if (!isBlank(line))
            items.push_back(line);
    }
    return false;
}

// Marks the lines from at up to the one holding the next header, as collectUntil
// reads them.
void markUntil(const std::vector<std::string>& lines, size_t& at, const std::string& next, ItemLines& items)
{
    for (; at < lines.size(); ++at) {
        if (holdsHeader(lines[at], next)) {
            ++at;
            return;
        }
        items[at] = true;
    }
}

std::string missingSection(const std::string& section, const std::string& before)
{
    return "the section [" + section + "] is missing, or not in its place after [" + before + "]";
}

bool scanLists(const std::vector<std::string>& lines, size_t& at, SettingsModel& model, std::string& fault)
{
    const std::vector<ListSection>& lists = ListSections();
    if (!skipTo(lines, at, lists.front().name)) {
        fault = "the section [" + std::string(lists.front().name) + "] is missing";
        return false;
    }
    for (size_t i = 0; i < lists.size(); ++i) {
        std::vector<std::string>& items = model.*lists[i].items;
        items.clear();
        const std::string next = i + 1 < lists.size() ? lists[i + 1].name : kDefaultSection;
        if (!collectUntil(lines, at, next, items)) {
            fault = missingSection(next, lists[i].name);
            return false;
        }
        if (lists[i].limit != 0 && items.size() > lists[i].limit) {
            fault = "the list [" + std::string(lists[i].name) + "] has more than " + std::to_string(lists[i].limit) +
                    " items";
            return false;
        }
    }
    return true;
}

} // namespace

bool FileMessageLine(const std::string& line, SettingsModel& model)
{
    const std::string text = Trim(line);
    if (text.empty())
        return true;
    if (text[0] == '[')
        return false;
    const size_t comma = text.find(',', 1);
    if (comma == std::string::npos)
        return true;
    // A number too large even for 32 bits is as wrong as 0 or 200: the line is skipped.
    const double number = Val(text.substr(0, comma));
    if (std::fabs(number) > INT32_MAX)
        return true;
    const int32_t n = CLng(number);
    if (n >= 1 && n <= SettingsModel::kMessageCount)
        model.setMessage(n, text.substr(comma + 1));
    return true;
}

ItemLines ListItemLines(const std::vector<std::string>& lines)
{
    ItemLines items(lines.size(), false);
    const std::vector<ListSection>& lists = ListSections();
    size_t at = 0;
    if (!skipTo(lines, at, lists.front().name))
        return items;
    for (size_t i = 0; i < lists.size(); ++i)
        markUntil(lines, at, i + 1 < lists.size() ? lists[i + 1].name : kDefaultSection, items);
    if (skipTo(lines, at, kFileTypeSection))
        markUntil(lines, at, kMessagesSection, items);
    return items;
}

bool ScanListsAndMessages(const std::vector<std::string>& lines, SettingsModel& model, std::string& fault)
{
    size_t at = 0;
    if (!scanLists(lines, at, model, fault))
        return false;
    std::vector<std::string> fileTypes;
    if (!skipTo(lines, at, kFileTypeSection)) {
        fault = missingSection(kFileTypeSection, kDefaultSection);
        return false;
    }
    if (!collectUntil(lines, at, kMessagesSection, fileTypes)) {
        fault = missingSection(kMessagesSection, kFileTypeSection);
        return false;
    }
    if (fileTypes.size() > kFileTypeMessagesKept)
        fileTypes.resize(kFileTypeMessagesKept);
    model.FileTypeMessages = fileTypes;
    while (at < lines.size() && FileMessageLine(lines[at], model))
        ++at;
    return true;
}

} // namespace tavrelo
