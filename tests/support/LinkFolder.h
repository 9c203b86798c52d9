#pragma once
// A program folder of its own for a serial-link test: a settings file written with
// its defaults and read into the model (messages and port lists included), the
// program state pointing at the folder and a recorder for message boxes.
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "platform/UserInteraction.h"

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace tavrelo::test {

class LinkFolder {
public:
    LinkFolder();
    bool isValid() const { return m_ok; }
    QString path() const { return m_dir.path(); }
    std::string file(const std::string& name) const { return state.AppPath + name; }

    SettingsModel model;
    ProgramState state;
    RecordingInteraction ui;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

} // namespace tavrelo::test
