#include "mainwindow/F_EdSdF.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/TitleBar.h"
#include "app/gui/Twips.h"
#include "link/core/SendFile.h"
#include "mainwindow/Controls.h"
#include "platform/RunError.h"
#include "platform/UserInteraction.h"

#include <QPushButton>
#include <QRadioButton>

namespace tavrelo {

namespace {

// Design places in twips.
constexpr double kClientWidth = 2370;
constexpr double kClientHeight = 1725;
constexpr double kOptionTops[] = {200, 550, 900};
constexpr double kOptionWidth = 2076;
constexpr double kOptionHeight = 255;
constexpr double kButtonTop = 1260;
constexpr double kButtonWidth = 855;
constexpr double kButtonHeight = 345;
constexpr int kOptionMessages[] = {24, 25, 48};
constexpr const char* kCancelled = "PALI";

void SizeTwips(QWidget* widget, double width, double height)
{
    SetTwipsWidth(widget, width);
    SetTwipsHeight(widget, height);
}

} // namespace

F_EdSdF::F_EdSdF(const SettingsModel& model, ProgramState& state, UserInteraction& ui, OpenInEditor openInEditor,
                 QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_openInEditor(std::move(openInEditor))
{
    setObjectName("F_EdSdF");
    setModal(true);
    setWindowTitle(ToQt(model.message(23)));
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    m_comOK = MakeControlAt<QPushButton>(this, "ComOK", 120, kButtonTop);
    m_comCancel = MakeControlAt<QPushButton>(this, "ComCancel", 1410, kButtonTop);
    for (int i = 0; i < 3; ++i) {
        m_opEditNewFile[i] =
            MakeControlAt<QRadioButton>(this, ArrayName("OpEditNewFile", i).c_str(), 120, kOptionTops[i]);
        m_opEditNewFile[i]->setText(ToQt(model.message(kOptionMessages[i])));
        SizeTwips(m_opEditNewFile[i], kOptionWidth, kOptionHeight);
    }
    FitWidthToTitle(this);
    m_opEditNewFile[0]->setChecked(true);
    m_comOK->setText(ToQt(model.message(42)));
    m_comCancel->setText(ToQt(model.message(43)));
    for (QPushButton* button : {m_comOK, m_comCancel})
        SizeTwips(button, kButtonWidth, kButtonHeight);
    m_comOK->setDefault(true); // Enter is OK
    setTabOrder(m_comOK, m_comCancel);
    m_comOK->setFocus();
    connect(m_comOK, &QPushButton::clicked, this, &F_EdSdF::ComOK_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &F_EdSdF::reject);
}

void F_EdSdF::prepare(const std::string& fileName, int sendFormat, const QString& editor)
{
    m_fileName = fileName;
    m_sendFormat = sendFormat;
    m_editor = editor;
    m_created = false;
}

void F_EdSdF::showEvent(QShowEvent* event)
{
    if (m_sendFormat >= 0 && m_sendFormat < 3)
        m_opEditNewFile[m_sendFormat]->setChecked(true);
    QDialog::showEvent(event);
}

int F_EdSdF::selectedKind() const
{
    for (int i = 0; i < 3; ++i)
        if (m_opEditNewFile[i]->isChecked())
            return i;
    return 0;
}

void F_EdSdF::ComOK_Click()
{
    m_state.DialogAnswer.clear();
    EditnewFile();
}

void F_EdSdF::EditnewFile()
{
    // The name as the Send tab checks it, so the file created is the file it then finds.
    const std::string path = StripQuotes(m_fileName);
    const int error = path.empty() ? RunError::BadFileName
                                   : CreateSendFile(path, static_cast<NewSendFileKind>(selectedKind()));
    if (error != RunError::None) {
        m_ui.message(RunErrorDescription(error) + ": " + path, MessageButtons::Ok, MessageIcon::Critical,
                     m_model.message(11));
        reject();
        return;
    }
    m_created = true;
    QString reason;
    if (!m_openInEditor(m_editor, ToQt(path), &reason))
        m_ui.message(FromQt(reason), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
    accept();
}

void F_EdSdF::reject()
{
    // Cancel, Escape and the close box alike: nothing created, the name is refused.
    m_state.DialogAnswer = kCancelled;
    QDialog::reject();
}

} // namespace tavrelo
