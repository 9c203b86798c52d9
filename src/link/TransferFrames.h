#pragma once
// What the download and upload windows share: the frame of communication settings
// (five caption / value label pairs), the data-format frame and the status frame,
// with their texts from the window's control sections ("DL_" or "UL_" keys) and the
// settings shown as values.
#include "app/SettingsModel.h"

#include <QString>

#include <string>

class QGroupBox;
class QLabel;
class QWidget;

namespace tavrelo {

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
    // (LbDataformat) and Fr3 (LbRAWdata) in window.
    explicit TransferFrames(QWidget* window);

    // Each control section of `which` put onto its control: "<prefix>Form" the window,
    // "<prefix>LbBaundRate" caption label 0, "<prefix>LbBaundRate1" value label 1, ...
    void applyTexts(const SettingsModel& model, SettingsWindow which, const std::string& prefix);
    void showValues(const TransferSettingsTexts& texts);

    // Places the rows and frames; returns the bottom of Fr3 in twips.
    double layOut();

    QGroupBox* Fr3() const { return m_fr3; }
    QLabel* LbRAWdata() const { return m_lbRAWdata; }

private:
    QWidget* m_window;
    QGroupBox* m_fr1;
    QGroupBox* m_fr2;
    QGroupBox* m_fr3;
    QLabel* m_captions[5];
    QLabel* m_values[5];
    QLabel* m_lbDataformat;
    QLabel* m_lbRAWdata;
};

} // namespace tavrelo
