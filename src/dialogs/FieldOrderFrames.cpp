#include "dialogs/FieldOrderFrames.h"

#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogTexts.h"
#include "conversion/CoordinateFieldOptions.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>
#include <vector>

namespace tavrelo {

namespace {

// The window's layout rules, in twips.
constexpr double kMargin = 96;
constexpr double kFirstRowTop = 264;
constexpr double kListLeft = 1296;
constexpr double kListWidth = 1575;
constexpr double kListMinHeight = 315;
constexpr double kOptionLeft = 240;

} // namespace

void MoveTwips(QWidget* widget, double left, double top)
{
    SetTwipsLeft(widget, left);
    SetTwipsTop(widget, top);
}

void FinishWindowLayout(QWidget* window, QWidget* button, double top, double outerWidth, double clientHeight)
{
    // Centred on the form's own width, border included, as its design has it.
    MoveTwips(button, (outerWidth - TwipsWidth(button)) / 2, top);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    SetWindowOuterWidth(window, outerWidth);
    SetWindowOuterHeight(window, clientHeight + kWindowFrameHeightTwips);
    window->setFixedSize(window->size());
}

FieldOrderFrames::FieldOrderFrames(QWidget* parent)
    : Fr1(MakeNamed<QGroupBox>(parent, "Fr1"))
    , Fr2(MakeNamed<QGroupBox>(parent, "Fr2"))
{
    for (int i = 0; i < kFields; ++i) {
        Lb[i] = MakeNamed<QLabel>(Fr1, "Lb", i);
        Lb[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Comb[i] = MakeNamed<QComboBox>(Fr1, "Comb", i);
        Comb[i]->setEditable(false);
    }
    for (int i = 0; i < 2; ++i)
        Op[i] = MakeNamed<QRadioButton>(Fr2, "Op", i);
}

void FieldOrderFrames::display(const CoordinateFieldOptions& options)
{
    for (int i = 0; i < kFields; ++i) {
        const QSignalBlocker blocker(Comb[i]);
        Comb[i]->clear();
        for (int item = 0; item < options.itemCount(); ++item)
            Comb[i]->addItem(ToQt(options.itemTexts[item]), item);
        Comb[i]->setCurrentIndex(Comb[i]->findData(options.field[i]));
    }
    const QSignalBlocker comma(Op[0]);
    const QSignalBlocker blank(Op[1]);
    Op[options.separator == 0 ? 0 : 1]->setChecked(true);
}

void FieldOrderFrames::collect(CoordinateFieldOptions& options) const
{
    for (int i = 0; i < kFields; ++i)
        options.field[i] = Comb[i]->currentData().toInt();
    options.separator = Op[0]->isChecked() ? 0 : 1;
}

void FieldOrderFrames::addEditables(DialogTexts& texts) const
{
    for (QWidget* frame : std::initializer_list<QWidget*>{Fr1, Fr2})
        texts.addEditable(frame, EditKind::Caption);
    for (QWidget* label : Lb)
        texts.addEditable(label, EditKind::Caption);
    for (QWidget* option : Op)
        texts.addEditable(option, EditKind::Caption);
}

void FieldOrderFrames::setTabOrderAfter(QWidget* first)
{
    std::vector<QWidget*> order{first};
    order.insert(order.end(), std::begin(Comb), std::end(Comb));
    order.insert(order.end(), std::begin(Op), std::end(Op));
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

double FieldOrderFrames::layout()
{
    MoveTwips(Fr1, kMargin, kMargin);
    MoveTwips(Fr2, TwipsWidth(Fr1) + 2 * kMargin, kMargin);
    double y = kFirstRowTop;
    for (int i = 0; i < kFields; ++i) {
        SetTwipsWidth(Comb[i], kListWidth);
        SetTwipsHeight(Comb[i], std::max(kListMinHeight, Comb[i]->sizeHint().height() * double(kTwipsPerPixel)));
        MoveTwips(Comb[i], kListLeft, y);
        PlaceCaptionLabel(Lb[i], Comb[i], kMargin, LabelAlign::Centre);
        // The two options stand level with the first two rows' labels.
        if (i < 2)
            MoveTwips(Op[i], kOptionLeft, TwipsTop(Lb[i]));
        y += TwipsHeight(Comb[i]) + kMargin;
    }
    SetTwipsHeight(Fr1, y + kMargin);
    SetTwipsHeight(Fr2, y + kMargin);
    return TwipsTop(Fr1) + TwipsHeight(Fr1);
}

double FieldOrderFrames::framesWidth() const
{
    return TwipsWidth(Fr1) + TwipsWidth(Fr2);
}

} // namespace tavrelo
