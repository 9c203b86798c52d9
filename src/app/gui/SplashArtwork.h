#pragma once
// The program's splash picture, drawn rather than stored: a total station on its
// tripod over a survey grid, with the program's name.
#include <QPixmap>

namespace tavrelo {

QPixmap SplashArtwork(int side);

} // namespace tavrelo
