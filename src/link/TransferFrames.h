#pragma once
// What the download and upload windows share: the frame of communication settings
// (five caption / value label pairs), the data-format frame and the status frame, one
// under the other, with their control text sections ("DL_" or "UL_" keys) and the
// chosen settings shown as values.
#include "app/SettingsModel.h"

#include <string>

class QGroupBox;
class QLabel;
class QWidget;

namespace tavrelo {

class DialogTexts;
class RightClickMembers;

// The texts shown as values: speed, data bits and flow control as the Settings page
// lists them, and the data format.
struct TransferSettingsTexts {
    std::string speed;
    std::string dataBits;
    std::string flowControl;
    std::string dataFormat;
};

// The chosen communication items of the Settings page, and the data format given.
TransferSettingsTexts ChosenTransferTexts(const SettingsModel& model, const std::string& dataFormat);

class TransferFrames {
public:
    // Makes Fr1 (the label pairs LbBaundRate0/1 .. LbFlowControl0/1), Fr2
    // (LbDataformat) and Fr3 (LbRAWdata) in window and adds the window's own section
    // and theirs to texts, in the order the settings file lists them ("<prefix>Form",
    // the frames, the caption labels, the value labels, LbDataformat, LbRAWdata).
    TransferFrames(QWidget* window, DialogTexts& texts, const std::string& prefix);

    // The values (speed, data bits, "None", "1", flow control) and the data format,
    // every label sized to its text.
    void showValues(const TransferSettingsTexts& texts);

    // Places the frames and their labels; returns the bottom of Fr3 in twips.
    double layOut();

    // Setup mode's right-click members: frames and caption labels edit their caption;
    // the values and the data format, which the transfer sets, their tooltip and font.
    void addSetupMembers(RightClickMembers& members) const;

    QGroupBox* Fr3() const { return m_fr[2]; }
    QLabel* LbRAWdata() const { return m_lbRAWdata; }

private:
    QWidget* m_window;
    QGroupBox* m_fr[3];
    QLabel* m_caption[5];
    QLabel* m_value[5];
    QLabel* m_lbDataformat;
    QLabel* m_lbRAWdata;
};

} // namespace tavrelo
