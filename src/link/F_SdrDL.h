#pragma once
// The instruction box shown before an SDR-2x or SDR-33 download: which download option
// to select on the instrument. The Download command fills its texts from the message
// table; the download goes on however the box is closed.
#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace tavrelo {

// The box's caption, its three lines and the button caption.
struct SdrInstruction {
    std::string caption;
    std::vector<std::string> lines;
    std::string ok;
};

class F_SdrDL : public QDialog {
    Q_OBJECT
public:
    explicit F_SdrDL(const SdrInstruction& texts, QWidget* parent = nullptr);

private:
    void layOut();

    QLabel* m_lb[3];
    QPushButton* m_comOK;
};

} // namespace tavrelo
