// "View Map" on the main window: shown after a conversion whose output is a
// coordinate calculation, opening the map of that result; hidden again by an edit
// of the target name and by a file opened in the map window.
#include "helper_Receive.h"

#include "map/F_map.h"
#include "map/MapPicture.h"

#include <QPushButton>

using namespace tavrelo;
using namespace tavrelo::test;

class ViewMapTest : public QObject {
    Q_OBJECT
private slots:
    void calculationShowsViewMapAndItsMap();
    void otherFormatsLeaveItHidden();
};

namespace {

void ConvertToCoordinates(ReceiveDriver& r, const char* target)
{
    r.choose(true, 0, 4); // raw-data file to "Coordinate file"
    r.chooseSource(r.copyFixture("survey.raw"));
    r.typeTarget(QString::fromStdString(r.path(target)));
    ModalAnswerer answers(&r.session);
    answers.expect("F_SetCalcCoo", "ComOK");
    answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");
    QVERIFY(answers.done());
}

} // namespace

void ViewMapTest::calculationShowsViewMapAndItsMap()
{
    ReceiveDriver r;
    auto* viewMap = Find<QPushButton>(*r.session, "ComMapShow");
    QVERIFY(r.session->state.MapSwitch); // on once the main window has loaded
    QVERIFY(viewMap->isHidden());
    ConvertToCoordinates(r, "out.asc");
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("OK"));
    QVERIFY(!viewMap->isHidden());
    // The calculation filled the program's one set of map tables.
    const int points = r.session->state.Map.ObsPointCount();
    QVERIFY(points > 0);

    viewMap->click();
    F_map* map = r.session->mainWindow->mapWindow();
    QVERIFY(map);
    QVERIFY(map->isVisible());
    QVERIFY(!map->frame().points.empty());
    QVERIFY(r.session->state.Map.view.drawable());
    QCOMPARE(r.session->state.Map.view.PicWidth, map->picture()->width()); // the real picture size

    // A file opened in the map window hides View Map; the next result shows it again.
    map->seams().openFileName = [&r](QWidget*, const QStringList&, int* chosen) {
        *chosen = 1;
        return QString::fromStdString(r.copyFixture("survey.raw", "again.raw"));
    };
    map->findChild<QAction*>("MnOpen")->trigger();
    QVERIFY(viewMap->isHidden());
    QCOMPARE(r.session->state.Map.ObsPointCount(), points);
    ConvertToCoordinates(r, "second.asc");
    QVERIFY(!viewMap->isHidden());
    r.typeTarget("other.asc");
    QVERIFY(viewMap->isHidden());
}

void ViewMapTest::otherFormatsLeaveItHidden()
{
    ReceiveDriver r;
    r.choose(true, 0, 1); // raw-data file to MAPA 2
    r.chooseSource(r.copyFixture("survey.raw"));
    r.typeTarget(QString::fromStdString(r.path("out.txt")));
    ModalAnswerer answers(&r.session);
    answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("OK"));
    QVERIFY(Find<QPushButton>(*r.session, "ComMapShow")->isHidden());
}

QTEST_MAIN(ViewMapTest)
#include "tst_ViewMap.moc"
