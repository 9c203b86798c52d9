#include "app/SettingsModel.h"

#include "app/DefaultControlTexts.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {
const std::string kNoText;
}

SettingsModel::SettingsModel()
{
    for (const DefaultControlText& row : DefaultControlTexts()) {
        m_index.emplace(ToUpperAscii(row.key), m_controls.size());
        m_controls.push_back({row.key, row.kind, row.window, ToControlText(row)});
    }
}

ControlText* SettingsModel::control(const std::string& key)
{
    const auto found = m_index.find(ToUpperAscii(key));
    return found == m_index.end() ? nullptr : &m_controls[found->second].text;
}

const ControlText* SettingsModel::control(const std::string& key) const
{
    return const_cast<SettingsModel*>(this)->control(key);
}

const std::string& SettingsModel::message(int n) const
{
    return n >= 1 && n <= kMessageCount ? Messages[static_cast<size_t>(n)] : kNoText;
}

void SettingsModel::setMessage(int n, const std::string& text)
{
    if (n >= 1 && n <= kMessageCount)
        Messages[static_cast<size_t>(n)] = text;
}

const std::string& SettingsModel::fileTypeMessage(int n) const
{
    return n >= 1 && static_cast<size_t>(n) <= FileTypeMessages.size() ? FileTypeMessages[static_cast<size_t>(n) - 1]
                                                                       : kNoText;
}

} // namespace tavrelo
