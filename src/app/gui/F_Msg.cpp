#include "app/gui/F_Msg.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/TitleBar.h"
#include "app/gui/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tavrelo {

namespace {

struct Place {
    int left, top, width, height; // twips
};

void PlaceTwips(QWidget* widget, const Place& place)
{
    SetTwipsLeft(widget, place.left);
    SetTwipsTop(widget, place.top);
    SetTwipsWidth(widget, place.width);
    SetTwipsHeight(widget, place.height);
}

constexpr Place kIm{150, 180, 480, 480};
constexpr Place kLbMsg{810, 240, 4230, 570};
constexpr Place kComAppend{216, 1080, 1380, 324};
constexpr Place kComOverwite{2040, 1080, 1380, 324};
constexpr Place kComCancel{3768, 1080, 1380, 324};
constexpr int kClientWidth = 5295;
constexpr int kClientHeight = 1620;

QPushButton* MakeButton(QWidget* parent, const char* name, const std::string& caption, const Place& place)
{
    auto* button = new QPushButton(ToQt(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    PlaceTwips(button, place);
    return button;
}

} // namespace

F_Msg::F_Msg(const SettingsModel& model, ProgramState& state, QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_im(new QLabel(this))
    , m_lbMsg(new QLabel(this))
    , m_comAppend(MakeButton(this, "ComAppend", model.message(8), kComAppend))
    , m_comOverwite(MakeButton(this, "ComOverwite", model.message(9), kComOverwite))
    , m_comCancel(MakeButton(this, "ComCancel", model.message(10), kComCancel))
{
    setObjectName("F_Msg");
    setModal(true);
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    m_im->setObjectName("Im");
    m_im->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    PlaceTwips(m_im, kIm);
    m_lbMsg->setObjectName("LbMsg");
    m_lbMsg->setWordWrap(true);
    PlaceTwips(m_lbMsg, kLbMsg);
    setTabOrder(m_comAppend, m_comOverwite);
    setTabOrder(m_comOverwite, m_comCancel);

    connect(m_comAppend, &QPushButton::clicked, this, [this] { answer("Append", 1); });
    connect(m_comOverwite, &QPushButton::clicked, this, [this] { answer("Overwite", 2); });
    connect(m_comCancel, &QPushButton::clicked, this, [this] { answer("Cancel", 0); });
}

void F_Msg::showEvent(QShowEvent* event)
{
    // The question travels in DialogAnswer, which is then free for the answer.
    m_lbMsg->setText(ToQt(m_state.DialogAnswer));
    m_state.DialogAnswer.clear();
    FitWidthToTitle(this);
    QDialog::showEvent(event);
}

void F_Msg::reject()
{
    answer("Cancel", 0);
}

void F_Msg::answer(const char* word, int outputFileMode)
{
    m_state.DialogAnswer = word;
    m_state.OutputFileMode = outputFileMode;
    done(outputFileMode == 0 ? QDialog::Rejected : QDialog::Accepted);
}

std::string AskAppendOrOverwrite(const SettingsModel& model, ProgramState& state, QWidget* owner)
{
    F_Msg question(model, state, owner);
    question.setWindowTitle(ToQt(model.message(6)));
    state.DialogAnswer = model.message(7);
    question.exec();
    return state.DialogAnswer;
}

} // namespace tavrelo
