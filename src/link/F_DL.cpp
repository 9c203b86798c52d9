#include "link/F_DL.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "dialogs/DialogTexts.h"
#include "link/SerialLink.h"
#include "link/TransferFrames.h"
#include "link/core/DownloadReceiver.h"
#include "platform/UserInteraction.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace tavrelo {

namespace {

// Cancel under the frames; the window grows when its stored height leaves them no room.
constexpr double kButtonGap = 105;

const char* const kSetupTitle = "Setup";

// The shortest time between two paints of the byte count.
constexpr qint64 kCountPaintMs = 100;

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
    , m_frames(std::make_unique<TransferFrames>(this, *m_texts, "DL_"))
{
    setObjectName("F_DL");
    createControls();
    joinSetupMode();
    // Nothing is read while the settings file is rebuilt (the rebuild writes from the
    // model and makes no window).
    m_texts->loadWithOptions(model, state, [](const Profile&) {});
    layOut();
    connect(m_comCancel, &QPushButton::clicked, this, &F_DL::ComCancel_Click);
    m_countTurn.setSingleShot(true);
    connect(&m_countTurn, &QTimer::timeout, this, &F_DL::paintByteCount);
}

F_DL::~F_DL() = default;

void F_DL::createControls()
{
    m_comCancel = new QPushButton(this);
    m_comCancel->setObjectName("ComCancel");
    m_texts->add(m_comCancel, "DL_ComCancel", ControlKind::Captioned);
}

// Setup mode's right-click members: the window, its frames and labels, and Cancel.
void F_DL::joinSetupMode()
{
    auto* members = new RightClickMembers(this, m_state.SetupMode, m_ui);
    members->add(this, EditKind::Window);
    m_frames->addSetupMembers(*members);
    members->add(m_comCancel, EditKind::Caption);
}

void F_DL::layOut()
{
    const double buttonTop = m_frames->layOut() + kButtonGap;
    SetTwipsTop(m_comCancel, buttonTop);
    const double needed = buttonTop + TwipsHeight(m_comCancel) + kButtonGap + kWindowFrameHeightTwips;
    if (WindowOuterHeight(this) < needed)
        SetWindowOuterHeight(this, needed);
    SetTwipsLeft(m_comCancel, (WindowOuterWidth(this) - TwipsWidth(m_comCancel)) / 2);
}

void F_DL::showSettings(const TransferSettingsTexts& texts)
{
    m_frames->showValues(texts);
    SetTwipsLeft(m_comCancel, (WindowOuterWidth(this) - TwipsWidth(m_comCancel)) / 2);
}

void F_DL::showByteCount(qint64 byteCount)
{
    m_byteCount = byteCount;
    if (m_countTurn.isActive())
        return;
    const qint64 since = m_sinceCountPainted.isValid() ? m_sinceCountPainted.elapsed() : kCountPaintMs;
    if (since >= kCountPaintMs)
        paintByteCount();
    else
        m_countTurn.start(static_cast<int>(kCountPaintMs - since));
}

void F_DL::paintPendingByteCount()
{
    if (!m_countTurn.isActive())
        return;
    m_countTurn.stop();
    paintByteCount();
}

void F_DL::paintByteCount()
{
    m_sinceCountPainted.start();
    m_frames->LbRAWdata()->setText(ToQt(ByteCountText(m_byteCount)));
    m_frames->LbRAWdata()->adjustSize();
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
    if (status && !m_state.SetupMode) // in setup mode it shows its caption, perhaps edited
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
