#include "map/F_InfoP.h"

#include "app/gui/QtText.h"
#include "map/MapControls.h"
#include "map/core/MapReports.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tavrelo {

namespace {

// Lines as the labels show them.
QString lines(const std::string& text)
{
    return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed();
}

// The widest value a box is made for: a seven-digit coordinate with three decimals
// and its sign.
const char* const kWidestValue = "-0000000.000";
// The room a line edit gives its text: the margin on either side of the text and the
// cursor's pixel after it.
constexpr int kLineEditTextMargin = 2;
constexpr int kCursorWidth = 1;

// The width a box needs to show text whole in its font and style.
int WidthShowing(const QLineEdit* box, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    const int inner = box->fontMetrics().horizontalAdvance(text) + 2 * kLineEditTextMargin + kCursorWidth +
                      margins.left() + margins.right();
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, box->height()), box).width();
}

// A value shown from its first character, whatever its length (a line edit keeps the
// cursor, and with it the visible part, at the end of a text set from code).
void ShowFromStart(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace

F_InfoP::F_InfoP(const PointInfo& info, QWidget* parent) : QDialog(parent)
{
    setObjectName("F_InfoP");
    setWindowTitle(QStringLiteral("Point Information"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(5805), TwipsToPixels(2205));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    widenBoxes();
    fill(info);
}

namespace {

// The labels are 650 twips wide, laid out for a narrow font: with a wider one the
// caption is drawn a little smaller instead of losing its first letters.
void FitCaption(QLabel* label)
{
    QFont font = label->font();
    const int room = label->width() - 2;
    while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

} // namespace

QLineEdit* F_InfoP::box(const char* name, const char* labelName, const char* caption, double top)
{
    auto* label = MapControl<QLabel>(this, labelName, 30, top, 650, 285);
    label->setText(QString::fromLatin1(caption));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FitCaption(label);
    return MapControl<QLineEdit>(this, name, 700, top, 1185, 285);
}

void F_InfoP::createControls()
{
    m_txAr = box("TxAr", "Label5", "Point N.", 290);
    m_txX = box("TxX", "Label4", "E=", 630);
    m_txY = box("TxY", "Label1", "N=", 960);
    m_txH = box("TxH", "Label2", "Z=", 1320);
    m_txK = box("TxK", "Label3", "Code", 1650);
    for (QLineEdit* coordinate : {m_txX, m_txY, m_txH})
        connect(coordinate, &QLineEdit::editingFinished, this, [coordinate] {
            ShowFromStart(coordinate, ToQt(DecimalPointText(FromQt(coordinate->text()))));
        });
    m_lbTax = MapControl<QLabel>(this, "LbTax", 2070, 90, 2445, 315);
    QFont bold = m_lbTax->font();
    bold.setBold(true);
    bold.setPointSizeF(9.75);
    m_lbTax->setFont(bold);
    m_lbTax->setText(QStringLiteral("Point:"));
    m_lbSta = MapControl<QLabel>(this, "LbSta", 2100, 450, 3405, 495);
    m_lbPol = MapControl<QLabel>(this, "LbPol", 2070, 1140, 1695, 885);
    m_lbPol->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* save = MapControl<QPushButton>(this, "ComOK", 4230, 1260, 1545, 375);
    save->setText(QStringLiteral("Save"));
    save->setEnabled(false);
    auto* exit = MapControl<QPushButton>(this, "ComCansel", 4230, 1770, 1545, 375);
    exit->setText(QStringLiteral("Exit"));
    connect(save, &QPushButton::clicked, this, &QDialog::close);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
    m_rightColumn = {m_lbTax, m_lbSta, m_lbPol, save, exit};
}

// The boxes are laid out for a narrow font; with a wider one they grow until a
// seven-digit coordinate fits, and everything right of them moves over by as much.
void F_InfoP::widenBoxes()
{
    QLineEdit* const boxes[] = {m_txAr, m_txX, m_txY, m_txH, m_txK};
    const int extra = WidthShowing(m_txX, QString::fromLatin1(kWidestValue)) - m_txX->width();
    if (extra <= 0)
        return;
    for (QLineEdit* box : boxes)
        box->resize(box->width() + extra, box->height());
    for (QWidget* control : m_rightColumn)
        control->move(control->x() + extra, control->y());
    setFixedSize(width() + extra, height());
}

void F_InfoP::fill(const PointInfo& info)
{
    m_lbTax->setProperty("Tag", ToQt(info.tag));
    ShowFromStart(m_txAr, ToQt(info.name));
    ShowFromStart(m_txX, ToQt(info.east));
    ShowFromStart(m_txY, ToQt(info.north));
    ShowFromStart(m_txH, ToQt(info.height));
    ShowFromStart(m_txK, ToQt(info.code));
    m_lbSta->setText(lines(info.stationLines));
    m_lbPol->setText(lines(info.polarLines));
    m_lbSta->setVisible(info.observed);
    m_lbPol->setVisible(info.observed);
}

} // namespace tavrelo
