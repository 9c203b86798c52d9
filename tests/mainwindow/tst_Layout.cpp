// The main window's layout from its size in twips; its fixed border outside setup
// mode and its sizable one in setup mode; the setup-mode overlays.
#include "helper_Session.h"

#include "app/gui/Twips.h"
#include "mainwindow/SetupOverlay.h"

#include <QComboBox>

#include <cmath>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

int Px(double twips)
{
    return TwipsToPixels(twips);
}

// The window's outer size in twips for a client area of w x h pixels.
double OuterWidth(int w) { return w * kTwipsPerPixel + kWindowFrameWidthTwips; }
double OuterHeight(int h) { return h * kTwipsPerPixel + kWindowFrameHeightTwips; }

void CheckFrameLayout(const ProgramSession& session, double W, double H)
{
    const QTabWidget* tab = session.mainWindow->MainTab();
    QCOMPARE(tab->geometry(), QRect(Px(60), Px(30), Px(W - 230), Px(H - 1000)));
    const auto* exit = Find<QPushButton>(session, "ComExit");
    const auto* help = Find<QPushButton>(session, "ComHelp");
    QCOMPARE(exit->pos(), QPoint(Px(W - 170 - 1095), Px(H - 850)));
    QCOMPARE(help->pos(), QPoint(Px(W - 500 - 1095 - 1095), Px(H - 850)));
    QCOMPARE(Find<QLabel>(session, "LbLogon")->pos(), QPoint(Px(60), Px(H - 800)));
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void fixedWindowOutsideSetupMode();
    void setupModeWindowFollowsItsSize();
    void tooSmallAWindowIsNotLaidOut();
    void commLabelsFollowTheListWidths();
    void overlaysOnlyInSetupMode();
    void eachPageIsLaidOutWhenShown();
};

void LayoutTest::fixedWindowOutsideSetupMode()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start();
    F_DatTr* window = session->mainWindow.get();
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->size(), QSize(Px(7305 - kWindowFrameWidthTwips), Px(5475 - kWindowFrameHeightTwips)));
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    CheckFrameLayout(*session, 7305, 5475);
    // Wider texts in the file give a larger window, laid out for its size.
    folder.setIniValue("Main Form", "Width", "9000");
    folder.setIniValue("Main Form", "Height", "6000");
    auto wider = folder.start();
    CheckFrameLayout(*wider, 9000, 6000);
    QCOMPARE(Find<QLineEdit>(*wider, "TxFileName")->width(), Px(9000 - 3300));
}

void LayoutTest::setupModeWindowFollowsItsSize()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start("Custom Layout");
    F_DatTr* window = session->mainWindow.get();
    QVERIFY(window->minimumSize() != window->maximumSize());
    QVERIFY(window->windowFlags() & Qt::WindowMaximizeButtonHint);

    window->resize(700, 450);
    QTRY_COMPARE(window->size(), QSize(700, 450));
    const double W = OuterWidth(700), H = OuterHeight(450);
    CheckFrameLayout(*session, W, H);
    QCOMPARE(Find<QLineEdit>(*session, "TxFileName")->width(), Px(W - 3300));
    QCOMPARE(Find<QComboBox>(*session, "ComboDataFormat")->width(), Px(W - 3300));
    auto* fr2 = Find<QWidget>(*session, "Fr2");
    QCOMPARE(fr2->width(), Px((W - 230) / 2 - 150));
    const auto* viewFile = Find<QPushButton>(*session, "ComViewFile");
    const QPoint viewInTab = viewFile->mapTo(window->MainTab(), QPoint(0, 0));
    QCOMPARE(viewInTab.x() + viewFile->width(), Px(W - 230 - 90));
    QCOMPARE(viewInTab.y(), Px(H - 1200 - 375));
}

void LayoutTest::tooSmallAWindowIsNotLaidOut()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start("Custom Layout");
    F_DatTr* window = session->mainWindow.get();
    const QRect before = window->MainTab()->geometry();
    window->resize(70, 35); // 1170 x 975 twips outside
    QTRY_COMPARE(window->size(), QSize(70, 35));
    QCOMPARE(window->MainTab()->geometry(), before);
}

// Each list is shown as wide as its items need (a font wider than the designed one
// would cut "Xon/Xoff" short) and the labels and lists follow the widths shown, while
// the settings file keeps the widths it gave.
void LayoutTest::commLabelsFollowTheListWidths()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("StCombComm1", "Width", "2010");
    auto session = folder.start();
    session->mainWindow->MainTab()->setCurrentIndex(2);
    double p = 144;
    for (int i = 0; i < 4; ++i) {
        const QByteArray label = "StLbComm" + QByteArray::number(i);
        const QByteArray name = "StCombComm" + QByteArray::number(i);
        const auto* combo = Find<QComboBox>(*session, name);
        for (int item = 0; item < combo->count(); ++item)
            QVERIFY2(combo->width() > combo->fontMetrics().horizontalAdvance(combo->itemText(item)) + 20, name);
        QVERIFY2(combo->width() >= Px(i == 1 ? 2010 : 1020), name);
        QCOMPARE(Find<QWidget>(*session, label)->x(), Px(p));
        QCOMPARE(combo->x(), Px(p));
        p = std::round(p + ShownTwipsWidth(combo) + 144);
    }
    QCOMPARE(Find<QWidget>(*session, "StLbComm4")->x(), Px(p));
    QCOMPARE(Find<QWidget>(*session, "StLbComm5")->x(), Px(p));
    QCOMPARE(TwipsWidth(Find<QComboBox>(*session, "StCombComm1")), 2010.0);

    session->mainWindow->collectSettings();
    const std::vector<double> saved = {1020, 2010, 1020, 1020};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(session->model.control("StCombComm" + std::to_string(i))->Width, saved[size_t(i)]);
}

void LayoutTest::overlaysOnlyInSetupMode()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    {
        auto session = folder.start();
        const auto overlays = session->mainWindow->findChildren<SetupOverlay*>();
        QCOMPARE(overlays.size(), 11);
        for (int page = 0; page < 3; ++page) {
            session->mainWindow->MainTab()->setCurrentIndex(page);
            for (const SetupOverlay* overlay : overlays)
                QVERIFY2(!overlay->isVisible(), qPrintable(overlay->objectName()));
        }
    }
    auto session = folder.start("Custom Layout");
    session->mainWindow->MainTab()->setCurrentIndex(2);
    for (const char* name : {"ImStCombComm0", "ImStCombComm1", "ImStCombComm2", "ImStCombComm3", "ImStCombCoord0"}) {
        const auto* overlay = Find<SetupOverlay>(*session, name);
        QVERIFY2(overlay->isVisible(), name);
        QCOMPARE(overlay->geometry().topLeft(), overlay->covered()->geometry().topLeft());
        QCOMPARE(overlay->width(), Px(ShownTwipsWidth(overlay->covered()) + 90));
        QCOMPARE(overlay->toolTip(), QString("Press right kay to setup"));
    }
    QVERIFY(!Find<SetupOverlay>(*session, "ImStCombCoord1")->isVisible());
    QVERIFY(!Find<SetupOverlay>(*session, "ImTxEditor")->isVisible());
    QTest::mouseClick(Find<QRadioButton>(*session, "StOpEditor1"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(Find<SetupOverlay>(*session, "ImTxEditor")->isVisible());

    session->mainWindow->MainTab()->setCurrentIndex(0);
    QVERIFY(Find<SetupOverlay>(*session, "ImComboDataFormat")->isVisible());
    QTest::mouseClick(Find<QRadioButton>(*session, "OpReceive2"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!Find<SetupOverlay>(*session, "ImComboDataFormat")->isVisible());
}

void LayoutTest::eachPageIsLaidOutWhenShown()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start();
    const double W = 7305, H = 5475, T = W - 230;
    QTabWidget* tab = session->mainWindow->MainTab();
    tab->setCurrentIndex(1);
    const auto inTab = [&](const char* name) { return Find<QWidget>(*session, name)->mapTo(tab, QPoint(0, 0)); };
    QCOMPARE(inTab("FrSend"), QPoint(Px(92), Px(380)));
    const auto* send = Find<QWidget>(*session, "ComSend");
    QCOMPARE(inTab("ComSend").y() + send->height(), Px(H - 1000) - Px(120));
    QCOMPARE(Find<QWidget>(*session, "TxFileNameSend")->width(), Px(W - 3300));
    tab->setCurrentIndex(2);
    QCOMPARE(inTab("StFrComm"), QPoint(Px(90), Px(380)));
    QCOMPARE(Find<QWidget>(*session, "StFrEditor")->width(), Px(T - 180));
    QCOMPARE(Find<QWidget>(*session, "ComEditorBrowse")->x(), Px(W - 876 - 554));
    tab->setCurrentIndex(0);
    QCOMPARE(inTab("Fr3"), QPoint(Px(90), Px(2100)));
    QVERIFY(!Find<QWidget>(*session, "ComDLN")->isHidden());
    QVERIFY(Find<QWidget>(*session, "ComConv")->isHidden());
}

QTEST_MAIN(LayoutTest)
#include "tst_Layout.moc"
