#pragma once
// The up-down control beside a DXF text-size box: its arrows step the whole number in
// the buddy box by one, kept between 1 and 100. The box itself stays free text.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tavrelo {

class UpDown : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMin = 1;
    static constexpr int kMax = 100;

    UpDown(QLineEdit* buddy, QWidget* parent);

    // The buddy's number rounded, moved by steps and kept within the range.
    void stepBy(int steps);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace tavrelo
