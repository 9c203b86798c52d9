#include "app/gui/QtText.h"

#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/UserInteraction.h"

namespace tavrelo {

QString ToQt(const std::string& cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQt(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

bool PathFromQt(const QString& name, std::string& path)
{
    return Utf8ToCp1252Exactly(name.toStdString(), path);
}

bool AcceptPathFromQt(const QString& name, std::string& path, UserInteraction& ui, const std::string& title)
{
    if (PathFromQt(name, path))
        return true;
    ui.unicodeMessage(RefusedFileNameText(name.toStdString()) +
                          "\r\nThe program cannot open or create a file under this name: rename the file or folder,"
                          " or choose another name.",
                      MessageButtons::Ok, MessageIcon::Critical, title);
    return false;
}

} // namespace tavrelo
