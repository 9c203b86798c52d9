#include "mainwindow/StartMessage.h"

#include "app/gui/QtText.h"

#include <cstdio>

namespace tavrelo {

MessageAnswer TellAtStart(UserInteraction& ui, const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title)
{
    QString line = ToQt(text);
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
    return ui.message(text, buttons, icon, title);
}

} // namespace tavrelo
