// The map case of tavrelo-bench: a full redraw of a large survey into an offscreen
// image, and the hit test at random places against the plain walk of VisibleIndex.
#include "BenchMap.h"

#include "map/MapRenderer.h"
#include "map/core/MapFrame.h"
#include "map/core/MapHitTest.h"
#include "map/core/MapTables.h"

#include <QGuiApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <random>

namespace tavrelo::bench {

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Observed points and stations spread over 10 km by 6 km, side shots and CP points.
void fillSurvey(MapTables& t, int32_t points, int32_t stations)
{
    std::mt19937_64 random(20240613);
    std::uniform_real_distribution<double> east(500000, 510000), north(6500000, 6506000), height(50, 250);
    t.clearForCalculation(static_cast<size_t>(stations), static_cast<size_t>(points));
    for (int32_t s = 1; s <= stations; ++s) {
        MapStation st;
        st.name = "ST" + std::to_string(s);
        st.X = north(random);
        st.Y = east(random);
        st.type = s % 10 == 0 ? PointType::UP : PointType::Station;
        t.addStation(std::move(st));
        t.widenExtents(t.Stations.back().X, t.Stations.back().Y);
    }
    for (int32_t i = 1; i <= points; ++i) {
        MapObsPoint p;
        p.X = north(random);
        p.Y = east(random);
        p.H = height(random);
        p.type = i % 7 == 0 ? PointType::Control : PointType::SideShot;
        const int32_t s = 1 + i % stations;
        t.addObsPoint(p, "P" + std::to_string(i), i % 3 ? "TREE" : "", t.Stations[s].name, "BS");
        t.widenExtents(p.X, p.Y);
    }
}

// Average milliseconds of a full redraw (frame and painting) over runs.
double timeRedraw(MapTables& t, MapFrame& frame, const MapRenderer& renderer, QImage& image, int runs)
{
    const auto start = Clock::now();
    for (int r = 0; r < runs; ++r) {
        BuildMapFrame(t, frame);
        renderer.render(t, frame, image);
    }
    return millisecondsSince(start) / runs;
}

} // namespace

int BenchMap(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    constexpr int32_t kPoints = 1000000, kStations = 10000, kWidth = 1600, kHeight = 1000;
    MapTables t;
    t.layers.setDialogDefaults();
    fillSurvey(t, kPoints, kStations);
    t.view.picture = ViewSize{kWidth, kHeight, 15, 15};
    FitViewToData(t);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const MapRenderer renderer(QFont(QStringLiteral("DejaVu Sans"), 8));
    MapFrame frame;

    BuildMapFrame(t, frame); // warm-up
    const double whole = timeRedraw(t, frame, renderer, image, 10);
    std::fprintf(stderr, "map redraw, %d observed points and %d stations at %dx%d: %.1f ms (%zu points and %zu "
                         "stations drawn, labels %s)\n",
                 kPoints, kStations, kWidth, kHeight, whole, frame.points.size(), frame.stations.size(),
                 frame.labelsShown ? "drawn" : "left out: too many in view");

    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, kWidth), y(0, kHeight);
    constexpr int kProbes = 2000;
    double gridMs = 0, plainMs = 0;
    int hits = 0, mismatches = 0;
    for (int k = 0; k < kProbes; ++k) {
        const double px = x(random), py = y(random);
        auto start = Clock::now();
        const int32_t fast = FindObsPointAt(t, &frame, px, py);
        gridMs += millisecondsSince(start);
        start = Clock::now();
        const int32_t plain = FindObsPointAt(t, nullptr, px, py);
        plainMs += millisecondsSince(start);
        hits += fast > 0;
        mismatches += fast != plain;
    }
    std::fprintf(stderr, "map hit test: %.4f ms with the grid, %.3f ms by the plain walk (%d places, %d hits, "
                         "%d different answers)\n",
                 gridMs / kProbes, plainMs / kProbes, kProbes, hits, mismatches);

    // A closer view with labels: about 1:2000 around the centre.
    t.view.MapScale = 2000;
    const double labelled = timeRedraw(t, frame, renderer, image, 10);
    std::fprintf(stderr, "map redraw at 1:2000 with labels: %.1f ms (%zu points, %d labelled, labels %s)\n",
                 labelled, frame.points.size(), frame.labelledCount, frame.labelsShown ? "drawn" : "left out");
    return mismatches == 0 ? 0 : 1;
}

} // namespace tavrelo::bench
