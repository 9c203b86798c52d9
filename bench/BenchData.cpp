#include "BenchData.h"

#include "platform/FileSystem.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace tavrelo::bench {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGon = kPi / 200.0;
constexpr int kSideShotsPerStation = 18;

// xorshift64*: portable, unlike the standard distributions.
class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    double uniform(double low, double high)
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        const uint64_t bits = (m_state * 2685821657736338717ULL) >> 11;
        return low + (high - low) * (static_cast<double>(bits) / 9007199254740992.0);
    }

private:
    uint64_t m_state;
};

double gonAzimuth(double dx, double dy)
{
    double a = std::atan2(dy, dx) / kGon;
    return a < 0 ? a + 400.0 : a;
}

double wrapGon(double g)
{
    g = std::fmod(g, 400.0);
    return g < 0 ? g + 400.0 : g;
}

class RawWriter {
public:
    RawWriter(std::FILE* file, int64_t records) : m_file(file), m_left(records) {}
    bool full() const { return m_left <= 0; }
    void record(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    std::FILE* m_file;
    int64_t m_left;
};

void RawWriter::record(const char* format, ...)
{
    if (full())
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(m_file, format, args);
    va_end(args);
    std::fputs("\r\n", m_file);
    --m_left;
}

} // namespace

bool GenerateRawFile(int64_t records, const std::string& path)
{
    std::FILE* file = OpenFile(path, "wb");
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    Random random(20240611);
    std::fputs("CO,Zarel RAW data format V2.00\r\nCO,Angle Units: GONS\r\nCO,Temp:20.0 Press:760.0\r\n", file);
    RawWriter out(file, records);
    double bx = 6500000.0, by = 500000.0;           // backsight K0
    double sx = bx + 150.0, sy = by + 80.0;         // first station K1
    out.record("UP,K0,,%.3f,%.3f,%.3f,BM", bx, by, 100.0);
    out.record("UP,K1,,%.3f,%.3f,%.3f,BM", sx, sy, 101.0);
    std::string station = "K1", backsight = "K0";
    for (int64_t n = 1; !out.full(); ++n) {
        const double azBack = gonAzimuth(bx - sx, by - sy);
        const double circle = random.uniform(0, 400);
        const double o = wrapGon(circle - azBack);
        out.record("ST,%s,,%s,,%.3f,%.4f,%.4f", station.c_str(), backsight.c_str(), random.uniform(1.3, 1.7), azBack,
                   circle);
        out.record("F1,%s,%.3f,%.3f,%.4f,%.4f", backsight.c_str(), 1.5, std::hypot(bx - sx, by - sy), circle,
                   random.uniform(95, 105));
        for (int k = 0; k < kSideShotsPerStation; ++k)
            out.record("SS,P%lld_%d,%.3f,%.3f,%.4f,%.4f,,%s", static_cast<long long>(n), k, random.uniform(1, 2),
                       random.uniform(5, 300), random.uniform(0, 400), random.uniform(90, 110),
                       k % 3 ? "TREE" : "");
        const double azNext = random.uniform(0, 400), distance = random.uniform(100, 250);
        const std::string next = "S" + std::to_string(n + 1);
        out.record("SS,%s,%.3f,%.3f,%.4f,%.4f,,", next.c_str(), 1.5, distance, wrapGon(azNext + o), 100.0);
        bx = sx;
        by = sy;
        sx += distance * std::cos(azNext * kGon);
        sy += distance * std::sin(azNext * kGon);
        backsight = station;
        station = next;
    }
    const bool ok = std::ferror(file) == 0;
    return std::fclose(file) == 0 && ok;
}

bool GenerateCoordinateFile(int64_t points, const std::string& path)
{
    std::FILE* file = OpenFile(path, "wb");
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    Random random(20240612);
    for (int64_t i = 1; i <= points; ++i)
        std::fprintf(file, "P%lld,%.3f,%.3f,%.3f,%s\r\n", static_cast<long long>(i),
                     random.uniform(6500000, 6510000), random.uniform(500000, 510000), random.uniform(0, 500),
                     i % 4 ? "TREE" : "");
    const bool ok = std::ferror(file) == 0;
    return std::fclose(file) == 0 && ok;
}

} // namespace tavrelo::bench
