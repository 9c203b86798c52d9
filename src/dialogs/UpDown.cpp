#include "dialogs/UpDown.h"

#include "app/gui/QtText.h"
#include "platform/TextRules.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace tavrelo {

UpDown::UpDown(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setObjectName("Up");
    m_down->setObjectName("Down");
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::stepBy(int steps)
{
    const double value = Val(FromQt(m_buddy->text()));
    const double whole = std::isfinite(value) ? std::clamp(std::nearbyint(value), double(kMin), double(kMax)) : kMin;
    const int next = std::clamp(static_cast<int>(whole) + steps, kMin, kMax);
    m_buddy->setText(QString::number(next));
}

void UpDown::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

} // namespace tavrelo
