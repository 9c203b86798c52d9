#include "dialogs/DialogTexts.h"

#include "app/SettingsFileReader.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsModel.h"
#include "app/ProgramState.h"
#include "app/gui/ControlBinding.h"
#include "platform/Profile.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tavrelo {

void DialogTexts::add(QWidget* widget, const std::string& key, ControlKind kind)
{
    m_entries.push_back({widget, key, kind});
}

void DialogTexts::addEditable(QWidget* widget, EditKind kind, QWidget* handedOver)
{
    m_editables.push_back({widget, handedOver ? handedOver : widget, kind});
    widget->installEventFilter(this);
}

void DialogTexts::load(const Profile& ini, SettingsModel& model, ProgramState& state) const
{
    for (const Entry& entry : m_entries) {
        ControlText* text = model.control(entry.key);
        if (!text)
            continue;
        ReadControlSection(ini, *text, entry.key, entry.kind, state);
        ApplyControlText(entry.widget, entry.kind, *text);
    }
}

void DialogTexts::collect(SettingsModel& model) const
{
    for (const Entry& entry : m_entries)
        if (ControlText* text = model.control(entry.key))
            ReadControlText(entry.widget, entry.kind, *text);
}

SettingsFileResult DialogTexts::save(SettingsModel& model, const std::string& iniPath,
                                     const std::vector<KeyedValue>& values) const
{
    collect(model);
    return SaveWindowSettings(model, keys(), values, iniPath);
}

bool DialogTexts::loadWithOptions(SettingsModel& model, ProgramState& state,
                                  const std::function<void(const Profile&)>& loadOptions) const
{
    if (state.CreateIniMode)
        return false;
    Profile ini;
    LoadSettingsProfile(ini, state.IniPath);
    load(ini, model, state);
    loadOptions(ini);
    return true;
}

void DialogTexts::openEditorOnRequest(QWidget* dialog, UserInteraction& ui)
{
    connect(this, &DialogTexts::editRequested, dialog,
            [dialog, &ui](QWidget* control, EditKind kind) { ShowControlTextEditor(control, kind, dialog, ui); });
}

const std::vector<std::string> DialogTexts::keys() const
{
    std::vector<std::string> keys;
    for (const Entry& entry : m_entries)
        keys.push_back(entry.key);
    return keys;
}

bool DialogTexts::eventFilter(QObject* watched, QEvent* event)
{
    if (m_setupMode && event->type() == QEvent::ContextMenu) {
        // A text box's own menu would open after the editor closes.
        for (const Editable& editable : m_editables)
            if (editable.pressed == watched)
                return true;
    }
    if (!m_setupMode || event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    for (const Editable& editable : m_editables) {
        if (editable.pressed == watched) {
            // A press handed on by a control inside the member that is none itself
            // (a field list in its frame) asks for nothing.
            if (!editable.pressed->childAt(press->position().toPoint()))
                emit editRequested(editable.handedOver, editable.kind);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavrelo
