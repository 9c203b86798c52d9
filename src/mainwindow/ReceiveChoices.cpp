// The choices of the Receive page: source, receive kind and format, and what follows
// from them for the format list, the original-data box and the Settings button.
#include "mainwindow/ReceivePage.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "mainwindow/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace tavrelo {

namespace {

constexpr int kRaw = 0;
constexpr int kCoordinates = 1;
constexpr int kOther = 2;

// The format list, its remembered position and its Settings-button tooltips, by
// source (instrument, file) and kind (raw, coordinates).
struct FormatChoice {
    std::vector<std::string> SettingsModel::*items;
    int16_t ProgramSettings::*position;
    std::vector<std::string> SettingsModel::*tips;
};

const FormatChoice kFormatChoices[2][2] = {
    {{&SettingsModel::RawFormatList, &ProgramSettings::ComboDataFormatN, &SettingsModel::TipRawFormat},
     {&SettingsModel::CoordFormatList, &ProgramSettings::ComboDataFormatC, &SettingsModel::TipCoordFormat}},
    {{&SettingsModel::RawFormatFileList, &ProgramSettings::ComboDataFormatNFile, &SettingsModel::TipRawFormatFile},
     {&SettingsModel::CoordFormatFileList, &ProgramSettings::ComboDataFormatCFile,
      &SettingsModel::TipCoordFormatFile}},
};

bool OneOf(int value, std::initializer_list<int> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

} // namespace

bool ReceivePage::fileSource() const
{
    return !m_opSourse[0]->isChecked();
}

int ReceivePage::selectedKind() const
{
    for (int i = 0; i < 3; ++i)
        if (m_opReceive[i]->isChecked())
            return i;
    return -1;
}

void ReceivePage::selectSource(int index)
{
    const int source = index == 1 ? 1 : 0;
    CheckSilently(m_opSourse[source]);
    OpSourse_Click(source);
}

void ReceivePage::selectReceive(int index)
{
    const int kind = index >= kRaw && index <= kOther ? index : kRaw;
    CheckSilently(m_opReceive[kind]);
    OpReceive_Click(kind);
}

void ReceivePage::selectFormat(int position)
{
    SelectSilently(m_comboDataFormat, position);
    ComboDataFormat_Click();
}

void ReceivePage::restoreChoices()
{
    ProgramSettings& s = m_model.settings;
    // The kind buttons first agree with the setting, so that the source handler
    // refills the list of the remembered kind rather than storing the design one.
    CheckSilently(m_opReceive[s.OpReceive >= kRaw && s.OpReceive <= kOther ? s.OpReceive : kRaw]);
    selectSource(s.OpSourse);
    selectReceive(s.OpReceive);
    selectSource(s.OpSourse);
    CheckSilently(m_checkOrigDF, s.CheckOrigDF > 0);
}

void ReceivePage::OpSourse_Click(int index)
{
    m_model.settings.OpSourse = static_cast<int16_t>(index);
    const bool file = index == 1;
    m_comFileName->setEnabled(file);
    if (file && m_opReceive[kOther]->isChecked())
        selectReceive(kRaw);
    m_opReceive[kOther]->setEnabled(!file);
    m_comDLN->setVisible(!file);
    m_comConv->setVisible(file);
    m_txFileName->clear();
    CheckOrigDFONOFF();
    TranCombo();
    ShowSettingsCommand();
}

void ReceivePage::OpReceive_Click(int index)
{
    m_model.settings.OpReceive = static_cast<int16_t>(index);
    TranCombo();
    const bool other = index == kOther;
    if (other) {
        m_comboDataFormat->hide();
        m_checkOrigDF->hide();
        m_lbDataformat->hide();
        m_comSaveSetings->hide();
    } else {
        m_comboDataFormat->show();
        m_lbDataformat->show();
    }
    ToolTipsTextSettCom();
    CheckOrigDFONOFF();
    ShowSettingsCommand();
}

void ReceivePage::TranCombo()
{
    const int kind = selectedKind();
    if (kind != kRaw && kind != kCoordinates)
        return;
    const FormatChoice& choice = kFormatChoices[fileSource()][kind];
    const std::vector<std::string>& items = m_model.*choice.items;
    FillSilently(m_comboDataFormat, items);
    // An empty list has nothing to select and leaves the remembered position alone.
    if (items.empty()) {
        selectFormat(-1);
        return;
    }
    int16_t& position = m_model.settings.*choice.position;
    if (position < 0 || static_cast<size_t>(position) >= items.size())
        position = 0;
    selectFormat(position);
}

void ReceivePage::ComboDataFormat_Click()
{
    m_txFileName->clear();
    const int kind = selectedKind();
    const int position = m_comboDataFormat->currentIndex();
    // An empty list has no position to remember; the old one stays.
    if ((kind == kRaw || kind == kCoordinates) && position >= 0) {
        m_model.settings.*kFormatChoices[fileSource()][kind].position = static_cast<int16_t>(position);
        m_model.settings.OpReceive = static_cast<int16_t>(kind);
    }
    ToolTipsTextSettCom();
    CheckOrigDFONOFF();
    ShowSettingsCommand();
}

void ReceivePage::CheckOrigDFONOFF()
{
    const ProgramSettings& s = m_model.settings;
    const bool hidden = fileSource() || s.OpReceive == kOther ||
                        (s.OpReceive == kRaw && OneOf(s.ComboDataFormatN, {0, 3, 4})) ||
                        (s.OpReceive == kCoordinates && OneOf(s.ComboDataFormatC, {3, 4}));
    m_checkOrigDF->setVisible(!hidden);
}

void ReceivePage::ShowSettingsCommand()
{
    const ProgramSettings& s = m_model.settings;
    const int kind = selectedKind();
    bool shown = kind == kCoordinates;
    if (kind == kRaw)
        shown = fileSource() ? OneOf(s.ComboDataFormatNFile, {0, 4}) : OneOf(s.ComboDataFormatN, {1, 7});
    m_comSaveSetings->setVisible(shown);
}

void ReceivePage::ToolTipsTextSettCom()
{
    const int kind = m_model.settings.OpReceive == kRaw ? kRaw : kCoordinates;
    const FormatChoice& choice = kFormatChoices[fileSource()][kind];
    const std::vector<std::string>& tips = m_model.*choice.tips;
    const int16_t position = m_model.settings.*choice.position;
    // A position past the tooltip table has no tooltip.
    const bool known = position >= 0 && static_cast<size_t>(position) < tips.size();
    m_comSaveSetings->setToolTip(known ? ToQt(tips[static_cast<size_t>(position)]) : QString());
}

void ReceivePage::TxFileName_Change()
{
    m_comViewFile->setEnabled(false);
    m_fileNameChanged = true;
    emit targetNameEdited();
}

} // namespace tavrelo
