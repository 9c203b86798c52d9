#include "link/TransferFrames.h"

#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "dialogs/DialogTexts.h"
#include "link/core/PortSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace tavrelo {

namespace {

// The label pairs: caption label (index 0) and value label (index 1) of each row.
const char* const kPairs[5] = {"LbBaundRate", "LbDataBits", "LbParity", "LbStopBit", "LbFlowControl"};
constexpr double kRowTops[5] = {336, 672, 1008, 1344, 1680};
constexpr double kCaptionLeft = 144;
constexpr double kValueLeft = 1752;
// The frames one under the other.
constexpr double kFrameLeft = 120;
constexpr double kFrameTops[3] = {60, 2175, 2850};
constexpr double kInFrameTop = 300;
// Parity none and one stop bit: the link's fixed settings.
constexpr const char* kParity = "None";
constexpr const char* kStopBits = "1";

template <class Control>
Control* Make(QWidget* parent, const QString& name)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    return control;
}

void Place(QWidget* widget, double left, double top)
{
    SetTwipsLeft(widget, left);
    SetTwipsTop(widget, top);
}

} // namespace

TransferSettingsTexts ChosenTransferTexts(const SettingsModel& model, const std::string& dataFormat)
{
    const ProgramSettings& s = model.settings;
    return {ListItem(model.SpeedList, s.Speed), ListItem(model.DataBitsList, s.DataBits),
            ListItem(model.FlowControlList, s.FlowControl), dataFormat};
}

TransferFrames::TransferFrames(QWidget* window, DialogTexts& texts, const std::string& prefix)
    : m_window(window)
{
    texts.add(window, prefix + "Form", ControlKind::Window);
    for (int i = 0; i < 3; ++i) {
        m_fr[i] = Make<QGroupBox>(window, QStringLiteral("Fr%1").arg(i + 1));
        texts.add(m_fr[i], prefix + "Fr" + std::to_string(i + 1), ControlKind::Captioned);
    }
    for (int i = 0; i < 5; ++i) {
        m_caption[i] = Make<QLabel>(m_fr[0], QString::fromLatin1(kPairs[i]) + "0");
        texts.add(m_caption[i], prefix + kPairs[i], ControlKind::Captioned);
    }
    for (int i = 0; i < 5; ++i) {
        m_value[i] = Make<QLabel>(m_fr[0], QString::fromLatin1(kPairs[i]) + "1");
        texts.add(m_value[i], prefix + kPairs[i] + "1", ControlKind::TextBox);
    }
    m_lbDataformat = Make<QLabel>(m_fr[1], "LbDataformat");
    texts.add(m_lbDataformat, prefix + "LbDataformat", ControlKind::TextBox);
    m_lbRAWdata = Make<QLabel>(m_fr[2], "LbRAWdata");
    texts.add(m_lbRAWdata, prefix + "LbRAWdata", ControlKind::Captioned);
}

void TransferFrames::addSetupMembers(RightClickMembers& members) const
{
    for (QGroupBox* frame : m_fr)
        members.add(frame, EditKind::Caption);
    for (int i = 0; i < 5; ++i) {
        members.add(m_caption[i], EditKind::Caption);
        members.add(m_value[i], EditKind::NoCaption);
    }
    members.add(m_lbDataformat, EditKind::NoCaption);
    members.add(m_lbRAWdata, EditKind::Caption);
}

void TransferFrames::showValues(const TransferSettingsTexts& texts)
{
    const std::string values[5] = {texts.speed, texts.dataBits, kParity, kStopBits, texts.flowControl};
    for (int i = 0; i < 5; ++i)
        m_value[i]->setText(ToQt(values[i]));
    m_lbDataformat->setText(ToQt(texts.dataFormat));
    for (QLabel* label : m_window->findChildren<QLabel*>())
        label->adjustSize();
}

double TransferFrames::layOut()
{
    for (int i = 0; i < 3; ++i)
        Place(m_fr[i], kFrameLeft, kFrameTops[i]);
    for (int i = 0; i < 5; ++i) {
        Place(m_caption[i], kCaptionLeft, kRowTops[i]);
        Place(m_value[i], kValueLeft, kRowTops[i]);
    }
    Place(m_lbDataformat, kCaptionLeft, kInFrameTop);
    Place(m_lbRAWdata, kCaptionLeft, kInFrameTop);
    return TwipsTop(m_fr[2]) + TwipsHeight(m_fr[2]);
}

} // namespace tavrelo
