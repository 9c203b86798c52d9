#pragma once
// The DXF settings dialog: the layer of the point entities; for each of the three
// label rows (point name, elevation, code) whether it is written, its layer, text
// size and colour; 3D or 2D output. Its load reads the control texts and
// [DXF Settings]; OK checks the text sizes, writes the section and puts the choices
// into the option store the DXF writers read. Cancel and the close box are the same:
// "Cancel" in TransferStatus, nothing written. In setup mode OK saves the control
// texts only.
//
// The conversion itself is not the dialog's: the opener (the conversion dispatch,
// through its host) runs the DXF writer when exec() returns Accepted.
#include "conversion/DxfOptions.h"
#include "dialogs/DialogTexts.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrelo {

class DxfPalette;
class Profile;
class SettingsModel;
class UpDown;
class UserInteraction;
struct ProgramState;

class F_Dxf : public QDialog {
    Q_OBJECT
public:
    F_Dxf(SettingsModel& model, ProgramState& state, UserInteraction& ui, DxfOptions& store,
          QWidget* owner = nullptr);

    // The choices as the controls hold them now.
    DxfOptions choices() const;
    // Whether a text size is one the writer can use: a whole decimal number above 0.
    static bool IsUsableTextSize(const std::string& text);

    QLineEdit* TxPL() const { return m_txPL; }
    QCheckBox* Check(int row) const { return m_rows[row].check; }
    QLineEdit* TxLN(int row) const { return m_rows[row].txLN; }
    QLineEdit* TxTS(int row) const { return m_rows[row].txTS; }
    UpDown* UpDownOf(int row) const { return m_rows[row].upDown; }
    QPushButton* ComSelColor(int row) const { return m_rows[row].comSelColor; }
    QRadioButton* Option3D(int index) const { return m_option3D[index]; }
    DxfPalette* PicCol() const { return m_palette; }
    // The row's palette index text (the Tag), as OK writes it.
    const std::string& Tag(int row) const { return m_rows[row].tag; }
    DialogTexts* texts() { return &m_texts; }

public slots:
    // Cancel, Escape and the close box.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QCheckBox* check = nullptr;
        QLabel* lbLN = nullptr;
        QLineEdit* txLN = nullptr;
        QLabel* lbTS = nullptr;
        QLineEdit* txTS = nullptr;
        UpDown* upDown = nullptr;
        QLabel* lbColr = nullptr;
        QPushButton* comSelColor = nullptr;
        std::string tag;
    };

    void createControls();
    void createRow(int row);
    void registerTexts();
    void loadOptions(const Profile& ini);
    void showRowColour(int row);
    bool checkTextSizes();
    void hidePalette();
    void Form_Activate();
    void Check_Click(int row);
    void ComSelColor_Click(int row);
    void ComCol_Click(int index);
    void ComOK_Click();

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    DxfOptions& m_store;
    DialogTexts m_texts;
    QLabel* m_lbPL;
    QLineEdit* m_txPL;
    std::array<Row, 3> m_rows;
    std::array<QRadioButton*, 2> m_option3D{};
    QPushButton* m_comOK;
    QPushButton* m_comCancel;
    DxfPalette* m_palette;
    int m_colorRow = 0; // ColorRow: the row whose colour button opened the palette
};

} // namespace tavrelo
