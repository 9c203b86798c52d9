#include "link/F_UL.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "dialogs/DialogTexts.h"
#include "platform/ByteSink.h"
#include "platform/RunError.h"
#include "platform/UserInteraction.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace tavrelo {

namespace {

constexpr double kMargin = 120;
constexpr double kBarTop = 300;
constexpr double kBarHeight = 195;
constexpr double kButtonGap = 105;

// A button caption without its access-key marks.
std::string PlainCaption(const QPushButton* button)
{
    return FromQt(button->text().remove(QLatin1Char('&')));
}

} // namespace

F_UL::F_UL(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_link(this)
    , m_sender(m_link)
    , m_texts(new DialogTexts(this))
    , m_frames(this, *m_texts, "UL_")
    , m_prBar(new QProgressBar(m_frames.Fr3()))
    , m_comSend(new QPushButton(this))
    , m_comCancel(new QPushButton(this))
{
    setObjectName("F_UL");
    setModal(true);
    m_prBar->setObjectName("PrBar");
    m_prBar->setTextVisible(false);
    m_comSend->setObjectName("ComSend");
    m_comCancel->setObjectName("ComCancel");
    m_comSend->setDefault(true);
    m_texts->add(m_comSend, "UL_ComSend", ControlKind::Captioned);
    m_texts->add(m_comCancel, "UL_ComCancel", ControlKind::Captioned);
    m_texts->loadWithOptions(model, state, [](const Profile&) {});
    m_prBar->hide();
    joinSetupMode();
    wire();
    layOut();
}

// Setup mode's right-click members: the window, its frames and labels, and buttons.
void F_UL::joinSetupMode()
{
    auto* members = new RightClickMembers(this, m_state.SetupMode, m_ui);
    members->add(this, EditKind::Window);
    m_frames.addSetupMembers(*members);
    members->add(m_comSend, EditKind::Caption);
    members->add(m_comCancel, EditKind::Caption);
}

void F_UL::collectTexts(SettingsModel& model) const
{
    m_texts->collect(model);
}

void F_UL::wire()
{
    connect(m_comSend, &QPushButton::clicked, this, &F_UL::ComSend_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &F_UL::ComCancel_Click);
    connect(&m_sender, &UploadSender::progress, this, [this](qint64 sent) {
        m_prBar->setValue(static_cast<int>(std::min<qint64>(sent, m_prBar->maximum())));
    });
    connect(&m_sender, &UploadSender::finished, this, &F_UL::onFinished);
}

void F_UL::prepare(const UploadJob& job)
{
    m_job = job;
    if (!m_state.CreateIniMode) // in setup mode too: the value labels are edited as they stand
        m_frames.showValues(job.texts);
}

void F_UL::layOut()
{
    const double framesBottom = m_frames.layOut();
    QGroupBox* fr3 = m_frames.Fr3();
    SetTwipsLeft(m_prBar, kMargin);
    SetTwipsTop(m_prBar, kBarTop);
    SetTwipsWidth(m_prBar, TwipsWidth(fr3) - 2 * kMargin);
    SetTwipsHeight(m_prBar, kBarHeight);
    const double buttonTop = framesBottom + kButtonGap;
    SetTwipsLeft(m_comSend, kMargin);
    SetTwipsTop(m_comSend, buttonTop);
    SetTwipsLeft(m_comCancel, kMargin + TwipsWidth(fr3) - TwipsWidth(m_comCancel));
    SetTwipsTop(m_comCancel, buttonTop);
    const double needed = buttonTop + std::max(TwipsHeight(m_comSend), TwipsHeight(m_comCancel)) + kButtonGap
                          + kWindowFrameHeightTwips;
    if (WindowOuterHeight(this) < needed)
        SetWindowOuterHeight(this, needed);
}

void F_UL::ComSend_Click()
{
    if (m_state.SetupMode) {
        hide();
        return;
    }
    m_prBar->setRange(0, 100);
    m_prBar->setValue(0);
    m_frames.LbRAWdata()->hide();
    m_prBar->show();
    m_comSend->setEnabled(false);
    QCoreApplication::processEvents();

    UploadKind kind;
    if (!UploadKindOfRequest(m_state.TransferStatus, kind))
        return;
    FileSink temp(m_job.tempPath, FileSink::Mode::Truncate);
    UploadBuild build = BuildUploadFile(kind, m_job.inputPath, temp, m_job.options);
    if (!temp.close() && build.ok())
        build.error = temp.error();
    if (!build.ok()) {
        showError(UploadBuildProblem(build, m_job.inputPath));
        done(QDialog::Rejected);
        return;
    }
    if (!build.hasLines()) {
        done(QDialog::Rejected); // nothing to send; the caller reports it
        return;
    }
    m_leftOutText = UploadLeftOutText(build);
    UploadTempFile(build.LineCount);
}

void F_UL::UploadTempFile(int64_t lineCount)
{
    m_prBar->setRange(0, static_cast<int>(std::min<int64_t>(lineCount, std::numeric_limits<int>::max())));
    m_prBar->setValue(0);
    m_state.AbortFlag = false;
    if (!m_sender.start(m_job.tempPath)) {
        showError(RunErrorDescription(RunError::FileNotFound) + ": " + m_job.tempPath);
        done(QDialog::Rejected);
    }
}

void F_UL::onFinished(bool complete, const QString& reason)
{
    if (!complete) {
        if (!reason.isEmpty()) // the port failed; a cancel has said so itself
            showError(m_model.message(17) + "\r\n" + FromQt(reason));
        done(QDialog::Rejected);
        return;
    }
    // Every line sent: the bar ends full, though its maximum counts the header lines too.
    m_prBar->setValue(m_prBar->maximum());
    m_state.TransferStatus = "UpOK";
    done(QDialog::Accepted);
    std::string text = m_model.message(22);
    if (!m_leftOutText.empty())
        text += "\r\n" + m_leftOutText;
    m_ui.message(text, MessageButtons::Ok, MessageIcon::None, m_model.message(21));
}

// The window closes now, or when the sender has sent the rest of a line the device
// took in part (onFinished closes it then).
void F_UL::stopSending()
{
    m_state.AbortFlag = true;
    m_sender.cancel();
    if (!m_sender.running())
        done(QDialog::Rejected);
}

void F_UL::ComCancel_Click()
{
    if (m_state.SetupMode) {
        hide();
        return;
    }
    m_state.DialogAnswer = "End";
    m_state.TransferStatus = "Esc";
    stopSending();
}

void F_UL::reject()
{
    if (m_state.SetupMode) {
        m_ui.message("The program is in setup mode.\r\nPress <" + PlainCaption(m_comCancel) + "> or <"
                         + PlainCaption(m_comSend) + "> button",
                     MessageButtons::Ok, MessageIcon::Information, "Setup");
        return;
    }
    stopSending();
}

void F_UL::showError(const std::string& text)
{
    m_ui.message(text, MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
}

} // namespace tavrelo
