#include "platform/Profile.h"

#include "platform/ByteSink.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

std::string trimBlanks(std::string_view text)
{
    return std::string(TrimBlanksAndTabs(text));
}

// The section name of a header line, or false when the line is no header. Most lines
// are none, so nothing is copied before the "[" is seen.
bool sectionName(std::string_view line, std::string_view& name)
{
    const std::string_view t = TrimBlanksAndTabs(line);
    if (t.empty() || t[0] != '[')
        return false;
    const size_t close = t.find(']');
    name = TrimBlanksAndTabs(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return true;
}

bool keyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = TrimBlanksAndTabs(line.substr(0, eq));
    value = TrimBlanksAndTabs(line.substr(eq + 1));
    return true;
}

// The section name of line i, or false when it is no header or an item of a list.
bool headerAt(const std::vector<std::string>& lines, const ItemLines* items, size_t i, std::string_view& name)
{
    if (items && i < items->size() && (*items)[i])
        return false;
    return sectionName(lines[i], name);
}

// Index of the first header line of the section, or npos.
size_t findSection(const std::vector<std::string>& lines, const ItemLines* items, const std::string& section)
{
    const std::string_view wanted = TrimBlanksAndTabs(section);
    std::string_view name;
    for (size_t i = 0; i < lines.size(); ++i)
        if (headerAt(lines, items, i, name) && EqualsNoCase(name, wanted))
            return i;
    return std::string::npos;
}

// The name under which a keyed read looks a section or key up.
std::string lookupName(std::string_view name)
{
    return ToUpperAscii(std::string(TrimBlanksAndTabs(name)));
}

} // namespace

std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string_view rest(bytes);
    std::string_view line;
    while (NextLine(rest, line))
        lines.emplace_back(line);
    return lines;
}

bool Profile::load(const std::string& path)
{
    std::string bytes;
    const bool ok = ReadWholeFile(path, bytes, nullptr, kLargestProfileFile);
    parse(bytes);
    return ok;
}

void Profile::parse(const std::string& bytes)
{
    m_lines = SplitLines(bytes);
    index();
}

void Profile::setItemLines(ItemLines items)
{
    m_items = std::move(items);
    index();
}

// One pass over the lines: the keys of the first header of every section, each with
// the value of its first line there, as a scan from the top would find them.
void Profile::index()
{
    m_sections.clear();
    std::unordered_map<std::string, std::string>* current = nullptr;
    std::string_view name, k, v;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (headerAt(m_lines, &m_items, i, name)) {
            const auto [section, first] = m_sections.try_emplace(lookupName(name));
            current = first ? &section->second : nullptr;
        } else if (current && keyOf(m_lines[i], k, v)) {
            current->try_emplace(lookupName(k), std::string(v.substr(0, kProfileValueMax)));
        }
    }
}

std::string Profile::get(const std::string& section, const std::string& key) const
{
    const auto found = m_sections.find(lookupName(section));
    if (found == m_sections.end())
        return std::string();
    const auto value = found->second.find(lookupName(key));
    return value == found->second.end() ? std::string() : value->second;
}

std::string GetProfileString(const std::string& section, const std::string& key, const std::string& path)
{
    Profile profile;
    profile.load(path);
    return profile.get(section, key);
}

std::string SingleLineValue(const std::string& value)
{
    std::string out = value;
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127)
            c = ' ';
    }
    return out;
}

void SetProfileLine(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                    const std::string& value, SameValue same, ItemLines* items)
{
    const std::string wantedKey = trimBlanks(key);
    const std::string line = wantedKey + "=" + SingleLineValue(value);
    const size_t header = findSection(lines, items, section);
    if (header == std::string::npos) {
        if (!lines.empty() && !trimBlanks(lines.back()).empty())
            lines.push_back(std::string());
        lines.push_back("[" + trimBlanks(section) + "]");
        lines.push_back(line);
        return;
    }
    std::string_view name, k, v;
    size_t lastEntry = header;
    size_t i = header + 1;
    for (; i < lines.size(); ++i) {
        if (headerAt(lines, items, i, name))
            break;
        if (keyOf(lines[i], k, v) && EqualsNoCase(k, wantedKey)) {
            if (same == SameValue::Rewrite || v != trimBlanks(SingleLineValue(value)))
                lines[i] = line;
            return;
        }
        if (!TrimBlanksAndTabs(lines[i]).empty())
            lastEntry = i;
    }
    lines.insert(lines.begin() + static_cast<long>(lastEntry + 1), line);
    if (items && lastEntry + 1 < items->size())
        items->insert(items->begin() + static_cast<long>(lastEntry + 1), false);
}

int EditProfileFile(const std::string& path, const std::function<void(std::vector<std::string>&)>& edit)
{
    return EditProfileFile(path, edit, nullptr);
}

int EditProfileFile(const std::string& path, const std::function<void(std::vector<std::string>&)>& edit,
                    const std::function<int(const std::string& before, const std::string& after)>& accept)
{
    std::string bytes;
    int error = 0;
    if (!ReadWholeFile(path, bytes, &error, kLargestProfileFile) && error != 53)
        return error;
    // Keep whether the file ended with a line end, so only the edited lines change.
    const bool endedWithNewline = EndsLine(bytes);
    std::vector<std::string> lines = SplitLines(bytes);
    edit(lines);
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 < lines.size() || endedWithNewline)
            out += kCrLf;
    }
    if (accept)
        if (const int refused = accept(bytes, out))
            return refused;
    return WriteFileAtomically(path, out);
}

int WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& path)
{
    return EditProfileFile(path, [&](std::vector<std::string>& lines) { SetProfileLine(lines, section, key, value); });
}

} // namespace tavrelo
