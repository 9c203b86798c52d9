#pragma once
// The two frames that the field-order dialogs and the calculation settings dialog
// share: "Format" (Fr1) with five labelled lists Lb0..Lb4 / Comb0..Comb4, whose list
// index is the item of output position 1..5, and "Separator" (Fr2) with the options
// Op0 (comma) and Op1 (blank). The lists carry their index as item data.
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace tavrelo {

class DialogTexts;
struct CoordinateFieldOptions;

class FieldOrderFrames {
public:
    static constexpr int kFields = 5;

    explicit FieldOrderFrames(QWidget* parent);

    // Fills the lists with the options' item texts and selects the stored choices.
    void display(const CoordinateFieldOptions& options);
    // The chosen list indexes and separator into options.
    void collect(CoordinateFieldOptions& options) const;

    // The frames, their labels and options as captioned right-click members.
    void addEditables(DialogTexts& texts) const;

    // Tab order: first, the five lists, then the two options.
    void setTabOrderAfter(QWidget* first);

    // Places the rows and frames (twips) and returns the frames' common bottom edge.
    double layout();
    // Fr1's and Fr2's widths together, for the dialog's width.
    double framesWidth() const;

    QGroupBox* Fr1;
    QGroupBox* Fr2;
    QLabel* Lb[kFields];
    QComboBox* Comb[kFields];
    QRadioButton* Op[2];
};

// Centres a button at top in a window of that outer width, then fixes the window's
// size: outer width, client height (twips).
void FinishWindowLayout(QWidget* window, QWidget* button, double top, double outerWidth, double clientHeight);

// Moves a widget to left, top (twips) within its parent.
void MoveTwips(QWidget* widget, double left, double top);

} // namespace tavrelo
