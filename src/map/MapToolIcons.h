#pragma once
// The pictures of the map toolbar's buttons, drawn at run time.
#include <QIcon>

namespace tavrelo {

enum class MapToolIcon {
    Pan, ZoomRealTime, ZoomWindow, Information, NewScale, Layers, Find, Statistics, PrintPreview, Print
};

QIcon MakeMapToolIcon(MapToolIcon icon);

} // namespace tavrelo
