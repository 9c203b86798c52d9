#pragma once
// "Point Information": one picked point's name, easting, northing, elevation and
// code, and for an observed point the station and backsight it was measured from
// and its polar observation. Exit (and the disabled Save) close it.
#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;

namespace tavrelo {

struct PointInfo;

class F_InfoP : public QDialog {
    Q_OBJECT
public:
    F_InfoP(const PointInfo& info, QWidget* parent = nullptr);

private:
    void createControls();
    void widenBoxes();
    void fill(const PointInfo& info);
    QLineEdit* box(const char* name, const char* labelName, const char* caption, double top);

    QLineEdit* m_txAr;
    QLineEdit* m_txX;
    QLineEdit* m_txY;
    QLineEdit* m_txH;
    QLineEdit* m_txK;
    QLabel* m_lbTax;
    QLabel* m_lbSta;
    QLabel* m_lbPol;
    std::vector<QWidget*> m_rightColumn; // the labels and buttons right of the boxes
};

} // namespace tavrelo
