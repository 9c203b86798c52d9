#pragma once
// Which layers of the map are shown and which attributes their points carry.
// Layer t is the point type t: 0 stations, 1 side shots, 2 CP and SO points, 3 UP
// known points and every coordinate-list point, 4 MP, 5 CC, 6 RE, 7 MC.
#include <cstdint>

namespace tavrelo {

namespace Attribute {
constexpr int Symbol = 0;
constexpr int Name = 1;
constexpr int Elevation = 2;
constexpr int Code = 3;
} // namespace Attribute

constexpr int kLayerCount = 8;      // layers the dialog lists
constexpr int kAttributeCount = 4;  // attributes the dialog lists

struct MapLayers {
    int16_t LayerOn[13] = {};
    int16_t LabelOn[11][5] = {};

    // The defaults the layers dialog sets when it loads: every listed layer on with
    // its symbol and name; elevation and code keep what they were.
    void setDialogDefaults();

    bool layerOn(int layer) const { return layer >= 0 && layer < 13 && LayerOn[layer] != 0; }
    bool labelOn(int layer, int attribute) const
    {
        return layer >= 0 && layer < 11 && attribute >= 0 && attribute < 5 && LabelOn[layer][attribute] != 0;
    }
    // Any of the texts (name, elevation, code) of the layer is on.
    bool anyText(int layer) const
    {
        return labelOn(layer, Attribute::Name) || labelOn(layer, Attribute::Elevation) ||
               labelOn(layer, Attribute::Code);
    }
};

} // namespace tavrelo
