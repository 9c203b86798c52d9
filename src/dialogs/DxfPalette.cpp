#include "dialogs/DxfPalette.h"

#include "dialogs/DialogControls.h"

#include <QEvent>
#include <QPushButton>

namespace tavrelo {

namespace {

constexpr QRgb kColours[kPaletteSize] = {
    qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(255, 255, 255), qRgb(128, 128, 128),
};

constexpr double kWidth = 1042; // twips
constexpr double kHeight = 542;
constexpr double kButton = 250;
constexpr double kSecondRowTop = 256;

} // namespace

QColor PaletteColour(int index)
{
    return index >= 0 && index < kPaletteSize ? QColor(kColours[index]) : QColor(kColours[0]);
}

void ShowBackColour(QPushButton* button, const QColor& colour)
{
    button->setProperty("BackColor", colour);
    button->setStyleSheet(QString("QPushButton { background-color: %1; border: 1px solid #404040; }"
                                  "QPushButton:focus { border: 2px solid #000000; }"
                                  "QPushButton:disabled { background-color: #c0c0c0; border: 1px solid #a0a0a0; }")
                              .arg(colour.name()));
}

DxfPalette::DxfPalette(QWidget* parent) : QFrame(parent)
{
    setObjectName("PicCol");
    setFrameShape(QFrame::Box);
    for (int i = 0; i < kPaletteSize; ++i) {
        m_buttons[i] = MakeNamed<QPushButton>(this, "ComCol", i);
        m_buttons[i]->setAutoDefault(false);
        m_buttons[i]->setFocusPolicy(Qt::StrongFocus);
        ShowBackColour(m_buttons[i], PaletteColour(i));
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { emit picked(i); });
    }
    m_buttons[kPaletteSize - 1]->installEventFilter(this);
    arrange();
    hide();
}

void DxfPalette::arrange()
{
    SetTwipsWidth(this, kWidth);
    SetTwipsHeight(this, kHeight);
    for (int i = 0; i < kPaletteSize; ++i)
        PlaceTwips(m_buttons[i], {(i % 4) * kButton, i < 4 ? 0 : kSecondRowTop, kButton, kButton});
}

bool DxfPalette::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buttons[kPaletteSize - 1] && event->type() == QEvent::FocusOut && isVisible())
        m_buttons[0]->setFocus();
    return QFrame::eventFilter(watched, event);
}

} // namespace tavrelo
