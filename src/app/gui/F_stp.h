#pragma once
// The control text editor of setup mode: the caption, tooltip and font of the object
// handed over by a right click (CurrentEdit), written straight into that object on
// OK. It edits the object in memory only; the window's texts reach the settings file
// when that window saves them. One instance, made at the first right click; OK and
// Cancel hide it, and each showing fills its boxes afresh.
//
// Beyond the bare property copy it keeps an edit from harming the settings file or
// the window: a caption cannot be blanked (the settings read needs one and would
// otherwise rebuild the whole file at the next start), a font size outside 4 to 100
// points is refused with a message, and line breaks or other control characters in a
// caption or tooltip become blanks, so that each stays one line of the file.
#include <QDialog>
#include <QFont>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrelo {

class UserInteraction;

class F_stp : public QDialog {
    Q_OBJECT
public:
    // The platform's font dialog: true with the chosen font, false on Cancel.
    using FontChooser = std::function<bool(QFont& font, QWidget* parent)>;

    static constexpr double kMinFontSize = 4;
    static constexpr double kMaxFontSize = 100;

    static F_stp& instance();

    // Fills the boxes from the hand-over and shows the editor modally over owner;
    // returns when it is hidden.
    void showOver(QWidget* owner, UserInteraction& ui);
    // Another font dialog (tests answer it themselves).
    void setFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }

    // Fills the boxes from the object handed over; a property the object lacks leaves
    // its box as it was.
    void Form_Activate();

private:
    F_stp();
    void createControls();
    void Command1_Click();
    void ComOK_Click();
    bool fontSizeAccepted(QWidget* control, double size);
    void applyCaption(QWidget* control);
    void applyFont(QWidget* control, double size);
    void say(const char* text);

    UserInteraction* m_ui = nullptr;
    FontChooser m_fontChooser;

    QLabel* m_lbCaption;
    QLineEdit* m_txCaption;
    QLabel* m_lbToolTips;
    QLineEdit* m_txToolTips;
    QPushButton* m_comOK;
    QPushButton* m_comCancel;
    QLineEdit* m_txFontName;
    QLabel* m_lbFontName;
    QLineEdit* m_txFontSize;
    QLabel* m_lbFontSize;
    QCheckBox* m_checkFontBold;
    QCheckBox* m_checkFontItalic;
    QPushButton* m_command1;
};

} // namespace tavrelo
