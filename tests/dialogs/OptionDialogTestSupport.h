#pragma once
// What the KOF, DXF and SDR-33 dialog tests share: a program folder of their own with
// a settings file written with its defaults, a look at one section's lines, controls
// by name, the ways to leave without OK and a picture of the dialog.
#include "app/ProgramState.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsModel.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <string>
#include <utility>
#include <vector>

namespace tavrelo::test {

class OptionDialogFixture {
public:
    // A fresh folder and a settings file with the defaults, read into the model.
    bool reset()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return false;
        state = ProgramState();
        state.AppPath = m_dir->path().toStdString() + "/";
        state.IniPath = state.AppPath + "Tavrelo.ini";
        model = SettingsModel();
        ui.clear();
        // As at start-up: the file written with its defaults, then read (messages included).
        return CreateIniFile(model, state).ok() && ReadIniFile(model, state, 1);
    }

    std::string iniBytes() const
    {
        std::string bytes;
        ReadWholeFile(state.IniPath, bytes);
        return bytes;
    }

    void setKey(const std::string& section, const std::string& key, const std::string& value) const
    {
        WriteProfileString(section, key, value, state.IniPath);
    }

    // The lines of a section as they stand in the file, without blank lines.
    std::vector<std::string> sectionLines(const std::string& section) const
    {
        std::vector<std::string> lines;
        bool inside = false;
        for (const std::string& line : SplitLines(iniBytes())) {
            const std::string t = Trim(line);
            if (!t.empty() && t.front() == '[') {
                inside = EqualsNoCase(t, "[" + section + "]");
                continue;
            }
            if (inside && !t.empty())
                lines.push_back(line);
        }
        return lines;
    }

    // The sections whose lines differ between two versions of the file (same line
    // count and order assumed, as keyed writes replace lines in place).
    static std::vector<std::string> changedSections(const std::string& before, const std::string& after)
    {
        const std::vector<std::string> a = SplitLines(before), b = SplitLines(after);
        std::vector<std::string> changed;
        std::string section;
        for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
            const std::string& line = i < b.size() ? b[i] : a[i];
            const std::string t = Trim(line);
            if (!t.empty() && t.front() == '[')
                section = t.substr(1, t.size() - 2);
            const bool same = i < a.size() && i < b.size() && a[i] == b[i];
            if (!same && (changed.empty() || changed.back() != section))
                changed.push_back(section);
        }
        return changed;
    }

    ProgramState state;
    SettingsModel model;
    RecordingInteraction ui;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// A missing control ends the run: no check after it could mean anything.
template <class Widget = QWidget>
Widget* Child(QWidget* dialog, const char* name)
{
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

inline void Click(QWidget* dialog, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(dialog, name), Qt::LeftButton);
}

// The data rows of a cancel test: its Cancel button, the close box, Escape.
inline void AddWaysToLeaveWithoutOk()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

inline void LeaveWithoutOk(QDialog* dialog, int way)
{
    if (way == 0)
        Click(dialog, "ComCancel");
    else if (way == 1)
        dialog->close();
    else
        QTest::keyClick(dialog, Qt::Key_Escape);
}

// Shows the dialog and, once it is on screen and drawn, saves it as folder/name.png.
inline bool ShowAndSavePicture(QWidget* dialog, const QString& folder, const char* name)
{
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        return false;
    QTest::qWait(200);
    return dialog->grab().save(folder + "/" + name + ".png");
}

} // namespace tavrelo::test
