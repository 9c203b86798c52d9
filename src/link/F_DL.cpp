#include "link/F_DL.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "dialogs/DialogTexts.h"
#include "link/SerialLink.h"
#include "link/core/DownloadReceiver.h"
#include "platform/UserInteraction.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tavrelo {

namespace {

// The label pairs: caption label (index 0) and value label (index 1) of each row.
const char* const kPairs[5] = {"LbBaundRate", "LbDataBits", "LbParity", "LbStopBit", "LbFlowControl"};
constexpr double kRowTops[5] = {336, 672, 1008, 1344, 1680};
constexpr double kCaptionLeft = 144;
constexpr double kValueLeft = 1752;
// Frames one under the other, then Cancel; the window grows when its stored height
// leaves them no room.
constexpr double kFrameLeft = 120;
constexpr double kFrameTops[3] = {60, 2175, 2850};
constexpr double kInFrameTop = 300;
constexpr double kButtonGap = 105;

const char* const kSetupTitle = "Setup";

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

std::string WithoutAccessMark(const QString& caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    return FromQt(text);
}

} // namespace

F_DL::F_DL(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_comm(new SerialLink(this))
    , m_texts(new DialogTexts(this))
{
    setObjectName("F_DL");
    createControls();
    // Nothing is read while the settings file is rebuilt (the rebuild writes from the
    // model and makes no window).
    m_texts->loadWithOptions(model, state, [](const Profile&) {});
    layOut();
    connect(m_comCancel, &QPushButton::clicked, this, &F_DL::ComCancel_Click);
}

F_DL::~F_DL() = default;

void F_DL::createControls()
{
    m_texts->add(this, "DL_Form", ControlKind::Window);
    for (int i = 0; i < 3; ++i) {
        m_fr[i] = Make<QGroupBox>(this, QStringLiteral("Fr%1").arg(i + 1));
        m_texts->add(m_fr[i], "DL_Fr" + std::to_string(i + 1), ControlKind::Captioned);
    }
    for (int i = 0; i < 5; ++i) {
        m_caption[i] = Make<QLabel>(m_fr[0], QString::fromLatin1(kPairs[i]) + "0");
        m_texts->add(m_caption[i], std::string("DL_") + kPairs[i], ControlKind::Captioned);
    }
    for (int i = 0; i < 5; ++i) {
        m_value[i] = Make<QLabel>(m_fr[0], QString::fromLatin1(kPairs[i]) + "1");
        m_texts->add(m_value[i], std::string("DL_") + kPairs[i] + "1", ControlKind::TextBox);
    }
    m_lbDataformat = Make<QLabel>(m_fr[1], "LbDataformat");
    m_texts->add(m_lbDataformat, "DL_LbDataformat", ControlKind::TextBox);
    m_lbRAWdata = Make<QLabel>(m_fr[2], "LbRAWdata");
    m_texts->add(m_lbRAWdata, "DL_LbRAWdata", ControlKind::Captioned);
    m_comCancel = Make<QPushButton>(this, "ComCancel");
    m_texts->add(m_comCancel, "DL_ComCancel", ControlKind::Captioned);
}

void F_DL::layOut()
{
    for (int i = 0; i < 3; ++i)
        Place(m_fr[i], kFrameLeft, kFrameTops[i]);
    for (int i = 0; i < 5; ++i) {
        Place(m_caption[i], kCaptionLeft, kRowTops[i]);
        Place(m_value[i], kValueLeft, kRowTops[i]);
    }
    Place(m_lbDataformat, kCaptionLeft, kInFrameTop);
    Place(m_lbRAWdata, kCaptionLeft, kInFrameTop);
    const double buttonTop = TwipsTop(m_fr[2]) + TwipsHeight(m_fr[2]) + kButtonGap;
    SetTwipsTop(m_comCancel, buttonTop);
    const double needed = buttonTop + TwipsHeight(m_comCancel) + kButtonGap + kWindowFrameHeightTwips;
    if (WindowOuterHeight(this) < needed)
        SetWindowOuterHeight(this, needed);
    SetTwipsLeft(m_comCancel, (WindowOuterWidth(this) - TwipsWidth(m_comCancel)) / 2);
}

void F_DL::showSettings(const std::string& speed, const std::string& dataBits, const std::string& flowControl,
                        const std::string& dataFormat)
{
    const std::string values[5] = {speed, dataBits, "None", "1", flowControl};
    for (int i = 0; i < 5; ++i)
        m_value[i]->setText(ToQt(values[i]));
    m_lbDataformat->setText(ToQt(dataFormat));
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    SetTwipsLeft(m_comCancel, (WindowOuterWidth(this) - TwipsWidth(m_comCancel)) / 2);
}

void F_DL::showByteCount(qint64 byteCount)
{
    m_lbRAWdata->setText(ToQt(ByteCountText(byteCount)));
    m_lbRAWdata->adjustSize();
}

void F_DL::centreOn(const QWidget* owner)
{
    if (!owner)
        return;
    const QRect outer = owner->frameGeometry();
    const QSize mine = frameGeometry().size();
    move(outer.left() + (outer.width() - mine.width()) / 2, outer.top() + (outer.height() - mine.height()) / 2);
}

void F_DL::collectTexts(SettingsModel& model) const
{
    ControlText* status = model.control("DL_LbRAWdata");
    const std::string designed = status ? status->Caption : std::string();
    m_texts->collect(model);
    if (status)
        status->Caption = designed;
}

void F_DL::ComCancel_Click()
{
    if (m_state.SetupMode) {
        hide();
        return;
    }
    emit cancelRequested();
}

void F_DL::refuseInSetupMode()
{
    m_ui.message("The program is in setup mode.\r\nPress <" + WithoutAccessMark(m_comCancel->text()) + "> button",
                 MessageButtons::Ok, MessageIcon::Information, kSetupTitle);
}

// The close box: refused in setup mode; otherwise it stops a running download as
// Cancel does, and the download's end closes the window.
void F_DL::closeEvent(QCloseEvent* event)
{
    if (m_state.SetupMode) {
        event->ignore();
        refuseInSetupMode();
        return;
    }
    event->ignore();
    emit cancelRequested();
}

// Escape is Cancel.
void F_DL::reject()
{
    ComCancel_Click();
}

} // namespace tavrelo
