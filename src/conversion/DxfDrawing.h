#pragma once
// A drawing of survey points: the fixed header with the extents, then per point one
// POINT on the point layer and up to three TEXT labels (name, elevation, code) on
// their own layers, then the end lines. Easting is the drawing's X, northing its Y.
// The header and every entity end with a "0" code line, so each entity starts with its
// name line and the end lines with "ENDSEC".
#include "conversion/DxfEmitter.h"
#include "conversion/DxfOptions.h"

#include <array>
#include <string>

namespace tavrelo {

struct DxfPoint {
    double easting = 0;  // X
    double northing = 0; // Y
    double elevation = 0;
    std::array<std::string, 3> labels; // by DxfLabelRow: name, elevation as written, code
};

// The extents of the points handled; they start inverted (nothing seen yet).
struct DxfExtents {
    double minX = 9999999, minY = 9999999, maxX = -9999999, maxY = -9999999;
    void add(double x, double y);
};

class DxfDrawing {
public:
    DxfDrawing(ByteSink& sink, const DxfOptions& options);

    void header(const DxfExtents& extents);
    // The POINT and its labels: the first label starts half its height right of and
    // below the point, each further one 1.2 of its height lower; a ticked row whose
    // text is empty writes nothing but still moves the following rows down.
    void point(const DxfPoint& point);
    void end();

private:
    void pointEntity(double x, double y, double z);
    void textEntity(int row, double x, double y, double z, const std::string& text);

    DxfEmitter m_out;
    bool m_3d;
    std::string m_pointStart; // the lines every POINT starts with: name, layer, colour
    struct Row {
        bool enabled;
        bool writable; // a row without a layer writes no labels
        double height;
        std::string start; // TEXT, layer and colour
        std::string end;   // the height and the closing "0"
    };
    std::array<Row, 3> m_rows;
};

} // namespace tavrelo
