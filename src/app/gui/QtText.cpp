#include "app/gui/QtText.h"

#include "platform/Cp1252.h"

namespace tavrelo {

QString ToQt(const std::string& cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQt(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

} // namespace tavrelo
