#include "app/gui/F_MsgCon.h"

#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/TitleBar.h"
#include "app/gui/Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace tavrelo {

namespace {

constexpr int kClientWidth = 3375;
constexpr int kClientHeight = 1590;
constexpr int kOkWidth = 855;

QLabel* MakeLine(QWidget* parent, const char* name, int top, int height)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    SetTwipsLeft(label, 120);
    SetTwipsTop(label, top);
    SetTwipsWidth(label, 3135);
    SetTwipsHeight(label, height);
    return label;
}

} // namespace

F_MsgCon::F_MsgCon(const SettingsModel& model, QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_lb1(MakeLine(this, "Lb1", 390, 285))
    , m_lb2(MakeLine(this, "Lb2", 810, 315))
    , m_comOK(new QPushButton(QStringLiteral("&OK"), this))
{
    setObjectName("F_MsgCon");
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    setWindowTitle(ToQt(model.message(44)));
    m_comOK->setObjectName("ComOK");
    SetTwipsTop(m_comOK, 1110);
    SetTwipsWidth(m_comOK, kOkWidth);
    SetTwipsHeight(m_comOK, 375);
    // Half of what the button leaves of the window's outer width, frame included.
    SetTwipsLeft(m_comOK, static_cast<float>(WindowOuterWidth(this) - kOkWidth) / 2.0f);
    m_comOK->hide();
    connect(m_comOK, &QPushButton::clicked, this, &QDialog::accept);
    FitWidthToTitle(this);
}

void F_MsgCon::showConverting(const std::string& sourceCaption)
{
    setWindowTitle(ToQt(m_model.message(44)));
    FitWidthToTitle(this);
    m_lb1->setText(ToQt(m_model.message(44) + " " + sourceCaption));
    m_lb2->setText(ToQt(m_model.message(45)));
    m_lb2->show();
    m_comOK->hide();
    setModal(false);
    show();
    QCoreApplication::processEvents();
}

void F_MsgCon::showFinished()
{
    setWindowTitle(ToQt(m_model.message(46)));
    FitWidthToTitle(this);
    m_lb1->setText(ToQt(m_model.message(47)));
    m_lb2->hide();
    m_comOK->show();
    m_comOK->setDefault(true);
    hide();
    exec();
}

} // namespace tavrelo
