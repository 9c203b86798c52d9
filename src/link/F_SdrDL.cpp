#include "link/F_SdrDL.h"

#include "app/gui/QtText.h"
#include "app/gui/TitleBar.h"
#include "app/gui/Twips.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tavrelo {

namespace {

constexpr double kMargin = 120;
constexpr double kIndent = 264;       // the second and third line stand indented
constexpr double kFirstGap = 150;     // under the first line
constexpr double kLineGap = 48;       // between the second and third line
constexpr double kButtonGap = 240;
constexpr double kMinClientWidth = 4200;
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 375;

} // namespace

F_SdrDL::F_SdrDL(const SdrInstruction& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_comOK(new QPushButton(this))
{
    setObjectName("F_SdrDL");
    setWindowTitle(ToQt(texts.caption.empty() ? std::string("SDR") : texts.caption));
    for (int i = 0; i < 3; ++i) {
        m_lb[i] = new QLabel(this);
        m_lb[i]->setObjectName(QStringLiteral("Lb%1").arg(i + 1));
        if (static_cast<size_t>(i) < texts.lines.size())
            m_lb[i]->setText(ToQt(texts.lines[i]));
    }
    m_comOK->setObjectName("ComOK");
    m_comOK->setText(ToQt(texts.ok));
    m_comOK->setDefault(true);
    connect(m_comOK, &QPushButton::clicked, this, &QDialog::accept);
    layOut();
}

// Each line sized to its text; a long line pushes the ones under it down.
void F_SdrDL::layOut()
{
    for (QLabel* label : m_lb)
        label->adjustSize();
    SetTwipsLeft(m_lb[0], kMargin);
    SetTwipsTop(m_lb[0], kMargin);
    SetTwipsLeft(m_lb[1], kIndent);
    SetTwipsTop(m_lb[1], kMargin + TwipsHeight(m_lb[0]) + kFirstGap);
    SetTwipsLeft(m_lb[2], kIndent);
    SetTwipsTop(m_lb[2], TwipsTop(m_lb[1]) + TwipsHeight(m_lb[1]) + kLineGap);

    double width = kMinClientWidth;
    for (QLabel* label : m_lb)
        width = std::max(width, TwipsLeft(label) + TwipsWidth(label) + kMargin);
    const double buttonTop = TwipsTop(m_lb[2]) + TwipsHeight(m_lb[2]) + kButtonGap;
    SetTwipsWidth(m_comOK, kButtonWidth);
    SetTwipsHeight(m_comOK, kButtonHeight);
    SetTwipsTop(m_comOK, buttonTop);
    SetTwipsLeft(m_comOK, (width - kButtonWidth) / 2);
    setFixedSize(TwipsToPixels(width), TwipsToPixels(buttonTop + kButtonHeight + kMargin));
    FitWidthToTitle(this);
}

} // namespace tavrelo
