#include "support/LinkFolder.h"

#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"
#include "app/gui/QtText.h"

namespace tavrelo::test {

LinkFolder::LinkFolder()
{
    if (!m_dir.isValid())
        return;
    state.AppPath = FromQt(m_dir.path()) + "/";
    state.IniPath = state.AppPath + "Tavrelo.ini";
    m_ok = CreateIniFile(model, state).ok() && ReadIniFile(model, state, 1);
}

} // namespace tavrelo::test
