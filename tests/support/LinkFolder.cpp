#include "support/LinkFolder.h"

#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"

namespace tavrelo::test {

LinkFolder::LinkFolder()
{
    if (!m_dir.isValid())
        return;
    state.AppPath = m_dir.path().toStdString() + "/";
    state.IniPath = state.AppPath + "Tavrelo.ini";
    m_ok = CreateIniFile(model, state).ok() && ReadIniFile(model, state, 1);
}

} // namespace tavrelo::test
