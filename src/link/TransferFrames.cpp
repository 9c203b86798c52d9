#include "link/TransferFrames.h"

#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "link/core/PortSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace tavrelo {

namespace {

const char* const kPairNames[] = {"LbBaundRate", "LbDataBits", "LbParity", "LbStopBit", "LbFlowControl"};
// Rows of the label pairs in Fr1, and the two columns, in twips.
constexpr double kRowTops[] = {336, 672, 1008, 1344, 1680};
constexpr double kCaptionLeft = 144;
constexpr double kValueLeft = 1752;
constexpr double kMargin = 120;
constexpr double kFrameGap = 60;
constexpr double kLabelTop = 264;
// Parity none and one stop bit: the link's fixed settings.
constexpr const char* kParity = "None";
constexpr const char* kStopBits = "1";

template <class Control>
Control* Named(QWidget* parent, const QString& name)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    return control;
}

} // namespace

TransferSettingsTexts ChosenTransferTexts(const SettingsModel& model, const std::string& dataFormat)
{
    const ProgramSettings& s = model.settings;
    return {ListItem(model.SpeedList, s.Speed), ListItem(model.DataBitsList, s.DataBits),
            ListItem(model.FlowControlList, s.FlowControl), dataFormat};
}

TransferFrames::TransferFrames(QWidget* window)
    : m_window(window)
    , m_fr1(Named<QGroupBox>(window, "Fr1"))
    , m_fr2(Named<QGroupBox>(window, "Fr2"))
    , m_fr3(Named<QGroupBox>(window, "Fr3"))
    , m_lbDataformat(Named<QLabel>(m_fr2, "LbDataformat"))
    , m_lbRAWdata(Named<QLabel>(m_fr3, "LbRAWdata"))
{
    for (int i = 0; i < 5; ++i) {
        m_captions[i] = Named<QLabel>(m_fr1, QString::fromLatin1(kPairNames[i]) + "0");
        m_values[i] = Named<QLabel>(m_fr1, QString::fromLatin1(kPairNames[i]) + "1");
    }
}

void TransferFrames::applyTexts(const SettingsModel& model, SettingsWindow which, const std::string& prefix)
{
    for (const ControlEntry& entry : model.controls()) {
        if (entry.window != which || entry.key.rfind(prefix, 0) != 0)
            continue;
        const QString name = QString::fromStdString(entry.key.substr(prefix.size()));
        QWidget* control = name == QLatin1String("Form") ? m_window : m_window->findChild<QWidget*>(name);
        if (!control)
            control = m_window->findChild<QWidget*>(name + "0"); // a caption label of a pair
        if (control)
            ApplyControlText(control, entry.kind, entry.text);
    }
}

void TransferFrames::showValues(const TransferSettingsTexts& texts)
{
    const std::string values[] = {texts.speed, texts.dataBits, kParity, kStopBits, texts.flowControl};
    for (int i = 0; i < 5; ++i)
        m_values[i]->setText(ToQt(values[i]));
    m_lbDataformat->setText(ToQt(texts.dataFormat));
    for (QLabel* label : m_captions)
        label->adjustSize();
    for (QLabel* label : m_values)
        label->adjustSize();
    m_lbDataformat->adjustSize();
}

double TransferFrames::layOut()
{
    for (int i = 0; i < 5; ++i) {
        SetTwipsLeft(m_captions[i], kCaptionLeft);
        SetTwipsTop(m_captions[i], kRowTops[i]);
        SetTwipsLeft(m_values[i], kValueLeft);
        SetTwipsTop(m_values[i], kRowTops[i]);
    }
    SetTwipsLeft(m_lbDataformat, kCaptionLeft);
    SetTwipsTop(m_lbDataformat, kLabelTop);
    SetTwipsLeft(m_lbRAWdata, kCaptionLeft);
    SetTwipsTop(m_lbRAWdata, kLabelTop);
    double top = kMargin;
    for (QGroupBox* frame : {m_fr1, m_fr2, m_fr3}) {
        SetTwipsLeft(frame, kMargin);
        SetTwipsTop(frame, top);
        top += TwipsHeight(frame) + kFrameGap;
    }
    return top - kFrameGap;
}

} // namespace tavrelo
