#include "map/core/MapLayers.h"

namespace tavrelo {

void MapLayers::setDialogDefaults()
{
    for (int i = 0; i < kLayerCount; ++i) {
        LayerOn[i] = -1;
        LabelOn[i][Attribute::Symbol] = -1;
        LabelOn[i][Attribute::Name] = -1;
    }
}

} // namespace tavrelo
