#pragma once
// On top of the option dialog fixture, what the coordinate dialog tests need: which
// keys a dialog changed, a settings file without a section and a screenshot of the
// dialog.
#include "OptionDialogTestSupport.h"

#include <QImage>
#include <QWidget>
#include <QtTest>

#include <map>
#include <set>
#include <string>

namespace tavrelo::test {

// "Section|Key" of every keyed line that differs between two versions of the file,
// a line added or removed included.
inline std::set<std::string> ChangedKeys(const std::string& before, const std::string& after)
{
    auto keyed = [](const std::string& bytes) {
        std::map<std::string, std::string> lines;
        std::string section;
        for (const std::string& line : SplitLines(bytes)) {
            if (!line.empty() && line.front() == '[')
                section = line.substr(1, line.size() - 2);
            else if (line.find('=') != std::string::npos)
                lines.emplace(section + "|" + line.substr(0, line.find('=')), line);
        }
        return lines;
    };
    const auto a = keyed(before);
    const auto b = keyed(after);
    std::set<std::string> changed;
    for (const auto& [key, line] : a)
        if (!b.count(key) || b.at(key) != line)
            changed.insert(key);
    for (const auto& [key, line] : b)
        if (!a.count(key))
            changed.insert(key);
    return changed;
}

// The settings file without that section, header and keys.
inline void RemoveSection(const std::string& iniPath, const std::string& section)
{
    EditProfileFile(iniPath, [&](std::vector<std::string>& lines) {
        std::vector<std::string> kept;
        bool inside = false;
        for (const std::string& line : lines) {
            if (!line.empty() && line.front() == '[')
                inside = line == "[" + section + "]";
            if (!inside)
                kept.push_back(line);
        }
        lines = kept;
    });
}

// With TAVRELO_SCREENSHOTS naming a folder, the dialog as shown is saved there.
inline void SaveScreenshot(QWidget* dialog, const char* name)
{
    const QByteArray folder = qgetenv("TAVRELO_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    dialog->show();
    QCoreApplication::processEvents();
    dialog->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

} // namespace tavrelo::test
