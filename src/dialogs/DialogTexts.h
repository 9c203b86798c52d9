#pragma once
// The control text sections of one option dialog: which widget shows which section,
// with which kind. The dialog's load applies them from the settings file, its OK in
// setup mode (the KOF dialog's in every mode) takes the widgets' live texts back into
// the model and saves them, with the window's option keys when it saves both, in one
// edit of the settings file. In setup mode a press of the right or middle button on a
// member asks for the text editor through editRequested; whoever shows the dialog
// joins that request to the editor (openEditorOnRequest).
#include "app/ControlText.h"
#include "app/SettingsFileResult.h"
#include "app/gui/SetupEditing.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tavrelo {

class Profile;
class SettingsModel;
struct KeyedValue;
class UserInteraction;
struct ProgramState;

class DialogTexts : public QObject {
    Q_OBJECT
public:
    explicit DialogTexts(QObject* parent = nullptr) : QObject(parent) {}

    // A widget and its section, in the order the sections are read and saved.
    void add(QWidget* widget, const std::string& key, ControlKind kind);
    // A right-click member for setup mode (also one that has no section of its own).
    void addEditable(QWidget* widget, EditKind kind, QWidget* handedOver = nullptr);

    // Each section read into the model (ReadControlSection) and put onto its widget.
    void load(const Profile& ini, SettingsModel& model, ProgramState& state) const;
    // The widgets' live texts, fonts and sizes into the model.
    void collect(SettingsModel& model) const;
    // collect, then the sections written into the settings file, in order, and after
    // them values, all in one guarded edit (SaveWindowSettings).
    SettingsFileResult save(SettingsModel& model, const std::string& iniPath,
                            const std::vector<KeyedValue>& values = {}) const;

    // A dialog's load: the settings file read once for its texts (load), then handed
    // to loadOptions. While the file is being rewritten nothing is read: false.
    bool loadWithOptions(SettingsModel& model, ProgramState& state,
                         const std::function<void(const Profile&)>& loadOptions) const;

    // Right-clicks on the editable members ask for the editor while setupMode is on.
    void setSetupMode(bool setupMode) { m_setupMode = setupMode; }
    // Each request shows the text editor modally over the dialog.
    void openEditorOnRequest(QWidget* dialog, UserInteraction& ui);

    const std::vector<std::string> keys() const;

signals:
    void editRequested(QWidget* control, tavrelo::EditKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* widget;
        std::string key;
        ControlKind kind;
    };
    struct Editable {
        QWidget* pressed;
        QWidget* handedOver;
        EditKind kind;
    };

    std::vector<Entry> m_entries;
    std::vector<Editable> m_editables;
    bool m_setupMode = false;
};

} // namespace tavrelo
