#include "mainwindow/StartMessage.h"

#include "app/gui/QtText.h"

#include <cstdio>

namespace tavrelo {

namespace {

void SayOnStandardError(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

} // namespace

MessageAnswer TellAtStart(UserInteraction& ui, const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title)
{
    SayOnStandardError(ToQt(text));
    return ui.message(text, buttons, icon, title);
}

MessageAnswer TellUnicodeAtStart(UserInteraction& ui, const std::string& utf8Text, MessageButtons buttons,
                                 MessageIcon icon, const std::string& title)
{
    SayOnStandardError(QString::fromStdString(utf8Text));
    return ui.unicodeMessage(utf8Text, buttons, icon, title);
}

} // namespace tavrelo
