#include "map/core/LabelLayout.h"

#include "platform/TextRules.h"

namespace tavrelo {

namespace {

class Builder {
public:
    Builder(Pixel p, double h2, const TextWidth& width) : m_p(p), m_h2(h2), m_x0(p.x + 4.0), m_width(width) {}

    void centred(std::string_view text) { add(text, m_x0, m_p.y - m_h2); }

    void twoRows(std::string_view upper, std::string_view lower)
    {
        add(upper, m_x0, m_p.y - 2 * m_h2);
        m_block.rule = true;
        m_block.ruleX0 = m_p.x + 4;
        m_block.ruleX1 = m_block.ruleX0 + RoundPixel(m_width(upper));
        m_block.ruleY = m_p.y;
        add(lower, m_x0, m_p.y);
    }

    void nameLeft(std::string_view name) { add(name, m_p.x - m_width(name) - 4.0, m_p.y - m_h2); }

    LabelBlock take() { return std::move(m_block); }

private:
    void add(std::string_view text, double x, double y)
    {
        LabelText& t = m_block.texts[m_block.count++];
        t.text = std::string(text);
        t.x = x;
        t.y = y;
    }

    Pixel m_p;
    double m_h2;
    double m_x0;
    const TextWidth& m_width;
    LabelBlock m_block;
};

} // namespace

LabelBlock LayoutLabel(const LabelSwitches& on, bool listPoint, std::string_view name, double elevation,
                       std::string_view code, Pixel p, double h2, const TextWidth& width)
{
    Builder b(p, h2, width);
    const std::string height = on.elevation ? FormatMask(elevation, "0.00") : std::string();
    const bool noCode = code.empty();
    const int key = (on.name ? 4 : 0) | (on.elevation ? 2 : 0) | (on.code ? 1 : 0);
    switch (key) {
    case 4: b.centred(name); break;
    case 2: b.centred(height); break;
    case 1: b.centred(code); break;
    case 6: b.twoRows(name, height); break;
    case 3:
        if (noCode && !listPoint)
            b.centred(height);
        else
            b.twoRows(code, height);
        break;
    case 5:
        if (noCode)
            b.centred(name);
        else
            b.twoRows(name, code);
        break;
    case 7:
        if (noCode) {
            b.twoRows(name, height);
        } else {
            b.twoRows(code, height);
            b.nameLeft(name);
        }
        break;
    default: break;
    }
    return b.take();
}

} // namespace tavrelo
