#pragma once
// The DXF dialog's colour palette (PicCol): eight colour buttons ComCol0..ComCol7 in
// two rows. A palette index k is DXF colour number k + 1.
#include <QColor>
#include <QFrame>

#include <array>

class QPushButton;

namespace tavrelo {

constexpr int kPaletteSize = 8;

// The colour of palette index 0..7: red, yellow, green, cyan, blue, magenta, white, grey.
QColor PaletteColour(int index);

// Shows a colour on a button without a caption, as its back colour.
void ShowBackColour(QPushButton* button, const QColor& colour);

class DxfPalette : public QFrame {
    Q_OBJECT
public:
    explicit DxfPalette(QWidget* parent);

    QPushButton* ComCol(int index) const { return m_buttons[index]; }
    // Size and button places in twips (Form_Activate).
    void arrange();

signals:
    void picked(int index);

protected:
    // Leaving the last colour while the palette is open returns to the first, so Tab
    // cycles through the eight colours.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QPushButton*, kPaletteSize> m_buttons{};
};

} // namespace tavrelo
