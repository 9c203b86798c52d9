#pragma once
// Keyed reading and writing of an INI-style file, with the semantics the settings
// file relies on: section and key names match without regard to letter case, blanks
// around keys and values are ignored, a value is at most 254 characters, a missing
// key and an empty value both read as empty, and the first matching section and key
// win. Texts are bytes in the file's own code page.
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavrelo {

constexpr size_t kProfileValueMax = 254;
// The largest file read as a profile. The settings file is some 30 kB; a larger file
// is not read whole into memory, and reads as one that cannot be read.
constexpr size_t kLargestProfileFile = size_t(1) << 20;

// Lines, by index, that a keyed read or write never takes for a section header: the
// items of a list section that the file's own scan reads (an item "[Default]" there
// opens no section). Lines past its end are not items.
using ItemLines = std::vector<bool>;

// A parsed copy of one file, for the many keyed reads of one settings read; the keys
// are indexed once, so a read costs the same wherever its section stands.
class Profile {
public:
    Profile() = default;
    explicit Profile(const std::string& bytes) { parse(bytes); }
    // False when the file cannot be read, or is larger than kLargestProfileFile; the
    // profile is then empty.
    bool load(const std::string& path);
    void parse(const std::string& bytes);

    // The value, trimmed and cut to 254 characters; "" when missing or empty.
    std::string get(const std::string& section, const std::string& key) const;
    // Whether the value is there and not empty (the "n > 0" of a profile read).
    bool has(const std::string& section, const std::string& key) const { return !get(section, key).empty(); }

    // The file's lines as read, without their ends.
    const std::vector<std::string>& lines() const { return m_lines; }
    // From here on, the lines marked are no headers.
    void setItemLines(ItemLines items);

private:
    void index();

    std::vector<std::string> m_lines;
    ItemLines m_items;
    // Section to key to value, names in upper case; values cut to kProfileValueMax.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> m_sections;
};

// One keyed read straight from the file.
std::string GetProfileString(const std::string& section, const std::string& key, const std::string& path);

// Writes one key: replaces the first matching key's line in place, or adds the key at
// the end of its section, or adds the section at the end of the file; never reorders.
// Control characters in the value become blanks so the value stays one line.
// The file is rewritten through a temporary file; returns 0 or a failure number.
int WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& path);

// Applies edit to the file's lines and writes the result through a temporary file,
// keeping whether the file ended with a line end; a missing file starts empty.
// Returns 0 or a failure number (RunError::FileTooLarge past kLargestProfileFile).
int EditProfileFile(const std::string& path, const std::function<void(std::vector<std::string>&)>& edit);

// The same, with the file's bytes before and after the edit put to accept first: when
// it returns a failure number rather than 0, the file is left as it was and that
// number is returned.
int EditProfileFile(const std::string& path, const std::function<void(std::vector<std::string>&)>& edit,
                    const std::function<int(const std::string& before, const std::string& after)>& accept);

// One keyed value as a save writes it: its section, its key and the value.
struct KeyedValue {
    std::string section;
    std::string key;
    std::string value;
};

// Whether a key's line that already reads as the value is written anew in the
// writer's own form, or left as the user or the defaults wrote it (so that a save
// without changes gives back the bytes that were read).
enum class SameValue { Rewrite, Keep };

// The same edit on lines held in memory. The lines marked in items are no headers; a
// line added is no item, and items grows with the lines.
void SetProfileLine(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                    const std::string& value, SameValue same = SameValue::Rewrite, ItemLines* items = nullptr);

// Control characters (CR, LF, tab and the rest below 32, and DEL) replaced by blanks.
std::string SingleLineValue(const std::string& value);

// Splits bytes into lines with CR LF, CR and LF all ending a line.
std::vector<std::string> SplitLines(const std::string& bytes);

} // namespace tavrelo
