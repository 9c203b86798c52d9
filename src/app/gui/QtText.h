#pragma once
// The core keeps every text in Windows-1252; Qt holds Unicode. Texts cross between the
// two here and nowhere else.
#include <QString>

#include <string>

namespace tavrelo {

QString ToQt(const std::string& cp1252);
// A character that Windows-1252 cannot hold becomes "?".
std::string FromQt(const QString& text);

} // namespace tavrelo
