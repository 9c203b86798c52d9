// The map window driven as a user would: File, Open of a raw-data file and of a
// coordinate list, the tools on the picture, the new scale, the point information,
// the layers dialog and the statistics, with small image checks of what is drawn.
#include "app/ProgramState.h"
#include "conversion/OptionStores.h"
#include "map/F_InfoP.h"
#include "map/F_OnOff.h"
#include "map/F_map.h"
#include "map/MapFileFilters.h"
#include "map/MapPicture.h"
#include "app/gui/Twips.h"
#include "map/core/MapLayers.h"
#include "map/core/MapReports.h"
#include "map/core/MapTables.h"
#include "platform/UserInteraction.h"
#include "support/FileDialogUser.h"

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <tuple>

#include <sys/resource.h>

using namespace tavrelo;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(TAVRELO_TEST_DATA "/") + QString::fromLatin1(name);
}

// The centres of the drawn point symbols: white pixels with white on all four sides.
QList<QPoint> Symbols(const QImage& image)
{
    QList<QPoint> found;
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 1; y + 1 < image.height(); ++y)
        for (int x = 1; x + 1 < image.width(); ++x)
            if (image.pixel(x, y) == white && image.pixel(x - 1, y) == white && image.pixel(x + 1, y) == white &&
                image.pixel(x, y - 1) == white && image.pixel(x, y + 1) == white)
                found << QPoint(x, y);
    return found;
}

enum class Ink { Green, Red };

// Pixels inside the rectangle where the label green or the station red stands out
// (text is drawn smoothed, so its pixels are shades of the colour).
int CountColour(const QImage& image, const QRect& area, Ink ink)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int main = ink == Ink::Green ? c.green() : c.red();
            const int other = ink == Ink::Green ? std::max(c.red(), c.blue()) : std::max(c.green(), c.blue());
            n += main > 120 && main > 3 * other;
        }
    return n;
}

const Ink kGreen = Ink::Green;
const Ink kRed = Ink::Red;

// A map window over program tables of its own, its seams answered by the test.
struct MapDriver {
    ProgramState state;
    OptionStores options;
    RecordingInteraction ui;
    QPointer<F_map> map;
    QString nextFile;
    bool nextIsList = true;
    QStringList inputs;
    QStringList offered; // the input box's default texts
    QPointer<QDialog> modal;
    int printerDialogs = 0;

    // At the window's default size unless a size is given.
    explicit MapDriver(QSize size = QSize(640, 480))
    {
        map = new F_map(state.Map, ui, [this] { return options.context(state, ui, 0); });
        MapSeams& s = map->seams();
        s.openFileName = [this](QWidget*, const QStringList&, int* chosen) {
            *chosen = nextIsList ? 0 : 1;
            return nextFile;
        };
        s.inputText = [this](QWidget*, const QString&, const QString&, QString& text) {
            offered << text;
            if (inputs.isEmpty())
                return false;
            text = inputs.takeFirst();
            return true;
        };
        s.selectPrinter = [this](QWidget*) { ++printerDialogs; };
        s.showModal = [this](QDialog& dialog) { modal = &dialog; };
        if (size.isValid())
            map->resize(size);
        map->show();
    }
    ~MapDriver() { delete map; }

    void open(const QString& path, bool list)
    {
        nextFile = path;
        nextIsList = list;
        action("MnOpen")->trigger();
    }
    QAction* action(const char* name) const { return map->findChild<QAction*>(QString::fromLatin1(name)); }
    template <class T>
    T* find(QObject* in, const char* name) const { return in->findChild<T*>(QString::fromLatin1(name)); }
    QImage image() const { return map->picture()->image(); }
    QString status(const char* panel) const { return find<QLabel>(map, panel)->text(); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), map->picture()->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(map->picture(), &event);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, at, button, button);
        mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
    void drag(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        const QPoint step = (to - from) / 4;
        for (int i = 1; i <= 4; ++i)
            mouse(QEvent::MouseMove, i == 4 ? to : from + step * i, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
};

// A box's value as the user sees it, against the same value in a box wide enough for
// anything: shown from its first character, and shown whole.
struct ValueShown {
    bool fromStart = false;
    bool whole = false;
};

QImage Drawn(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

ValueShown Shown(QLineEdit* box)
{
    QLineEdit wide;
    wide.setFont(box->font());
    wide.setText(box->text());
    wide.setCursorPosition(0);
    wide.resize(box->width() + 400, box->height());
    const QImage seen = Drawn(box), reference = Drawn(&wide);
    int textRight = -1; // the last column of the reference that holds a dark pixel
    for (int x = 0; x < reference.width() - 8; ++x)
        for (int y = 3; y < reference.height() - 3; ++y)
            if (qGray(reference.pixel(x, y)) < 128)
                textRight = x;
    ValueShown shown;
    const int compared = std::min(textRight + 1, seen.width() - 4);
    shown.fromStart = textRight > 0 && seen.copy(0, 0, compared, seen.height()) ==
                                           reference.copy(0, 0, compared, seen.height());
    shown.whole = shown.fromStart && textRight < seen.width() - 4;
    return shown;
}

QPoint Leftmost(QList<QPoint> points)
{
    return *std::min_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
}
QPoint Rightmost(QList<QPoint> points)
{
    return *std::max_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
}
QPoint Topmost(QList<QPoint> points)
{
    return *std::min_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
}

} // namespace

class MapWindowTest : public QObject {
    Q_OBJECT
private slots:
    void rawFileIsCalculatedOntoTheMap();
    void coordinateListReplacesTheMapEastToTheRight();
    void degenerateFiles_data();
    void degenerateFiles();
    void panFollowsThePointer();
    void realTimeZoomAndNewScale();
    void zoomWindowDrawsEveryPointInView();
    void informationOfAPointAndRaysOfAStation();
    void layersAndLabels();
    void statisticsAndMenus();
    void rawFilterTakesAnyCase();
    void statusBarFitsAtTheDefaultSize();
    void layersDialogHoldsItsButtons_data();
    void layersDialogHoldsItsButtons();
    void pointInformationShowsValuesWhole_data();
    void pointInformationShowsValuesWhole();
    void manyPointsKeepReadableLabels_data();
    void manyPointsKeepReadableLabels();
    void openThroughTheRealFileDialog_data();
    void openThroughTheRealFileDialog();
    void filterPositionFromEitherAnswer();
    void aFileWithoutLineEndsChangesNothing_data();
    void aFileWithoutLineEndsChangesNothing();
    void aRawFileCutShortShowsItsWholeRecords_data();
    void aRawFileCutShortShowsItsWholeRecords();
    void aCoordinateListCutShortShowsItsWholePoints_data();
    void aCoordinateListCutShortShowsItsWholePoints();
};

void MapWindowTest::rawFileIsCalculatedOntoTheMap()
{
    MapDriver d;
    QSignalSpy opened(d.map, &F_map::fileOpened);
    d.open(Fixture("small.raw"), false);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(d.state.Map.ObsPointCount(), 3);
    QCOMPARE(d.state.Map.StationCount(), 2);
    QVERIFY(d.ui.messages.empty());
    const QList<QPoint> symbols = Symbols(d.image());
    QCOMPARE(symbols.size(), 3);
    // P1 was shot due north of K1, P2 due east, C1 west: P2 rightmost, C1 leftmost,
    // both level; P1 above them.
    const QPoint p1 = Topmost(symbols), p2 = Rightmost(symbols), c1 = Leftmost(symbols);
    QCOMPARE(p2.y(), c1.y());
    QVERIFY(p1.y() < p2.y() - 20);
    QVERIFY(p1.x() > c1.x() && p1.x() < p2.x());
    // The station names in red beside their circles, the point names in green.
    QVERIFY(CountColour(d.image(), d.image().rect(), kRed) > 10);
    QVERIFY(CountColour(d.image(), QRect(p2 + QPoint(3, -8), QSize(20, 16)), kGreen) > 5);
    QVERIFY(d.status("StBScale").startsWith("1:"));
}

void MapWindowTest::coordinateListReplacesTheMapEastToTheRight()
{
    MapDriver d;
    d.open(Fixture("small.raw"), false);
    d.open(Fixture("points.asc"), true);
    QCOMPARE(d.state.Map.ObsPointCount(), 0);
    QCOMPARE(d.state.Map.StationCount(), 0);
    QCOMPARE(d.state.Map.CooPointCount(), 3);
    const QList<QPoint> symbols = Symbols(d.image());
    QCOMPARE(symbols.size(), 3);
    // A at N 1000 E 2000, B 100 m east of it, C 80 m north of it.
    const QPoint b = Rightmost(symbols), c = Topmost(symbols);
    QPoint a;
    for (const QPoint& p : symbols)
        if (p != b && p != c)
            a = p;
    QCOMPARE(a.y(), b.y());
    QCOMPARE(a.x(), c.x());
    QVERIFY(b.x() - a.x() > 100);
    QVERIFY(a.y() - c.y() > 80);
    // The distances keep their ratio: 100 m across, 80 m up.
    QVERIFY(qAbs((b.x() - a.x()) * 0.8 - (a.y() - c.y())) <= 2);
}

void MapWindowTest::degenerateFiles_data()
{
    QTest::addColumn<QByteArray>("text"); // empty: no such file
    QTest::addColumn<bool>("list");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("points"); // on the map afterwards (3: the earlier list stayed)
    QTest::newRow("one point") << QByteArray("P1,500,700,1,X\r\n") << true << "" << 1;
    QTest::newRow("all at one place") << QByteArray("P1,500,700,1\r\nP2,500,700,2\r\n") << true << "" << 2;
    QTest::newRow("a list without heights") << QByteArray("P1,500,700\r\nP2,500,700\r\n") << true << "" << 2;
    QTest::newRow("no valid point") << QByteArray("Name,North,East,H\r\nx,y\r\n") << true
                                    << "This file contains no data" << 3;
    QTest::newRow("missing list") << QByteArray() << true << "cannot be opened: File not found" << 3;
    QTest::newRow("raw file without points") << QByteArray("CO,Zarel RAW data format V2.00\r\n") << false
                                             << "This file contains no data" << 3;
    QTest::newRow("missing raw file") << QByteArray() << false << "cannot be opened: File not found" << 3;
}

void MapWindowTest::degenerateFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, list);
    QFETCH(QString, message);
    QFETCH(int, points);
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    const float scale = d.state.Map.view.MapScale;
    QTemporaryDir dir;
    const QString path = dir.filePath("case.asc");
    if (!text.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    d.open(path, list);
    const MapTables& t = d.state.Map;
    QCOMPARE(t.CooPointCount() + t.ObsPointCount(), points);
    if (message.isEmpty()) {
        QVERIFY(d.ui.messages.empty());
        QVERIFY(t.view.MapScale >= 0.01f);
        const QList<QPoint> symbols = Symbols(d.image());
        QCOMPARE(symbols.size(), 1); // all at one place: one symbol, in the middle
        QVERIFY((symbols[0] - QPoint(d.image().width() / 2, d.image().height() / 2)).manhattanLength() <= 2);
        QCOMPARE(d.status("StBScale"), QString("1:500.0"));
    } else {
        QCOMPARE(d.ui.messages.size(), size_t(1));
        QVERIFY2(QString::fromStdString(d.ui.messages[0].text).contains(message),
                 d.ui.messages[0].text.c_str());
        if (text.isEmpty()) // the failure names the file
            QVERIFY(QString::fromStdString(d.ui.messages[0].text).contains(path));
        QCOMPARE(t.view.MapScale, scale);
        QCOMPARE(Symbols(d.image()).size(), 3);
    }
}

void MapWindowTest::panFollowsThePointer()
{
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    d.action("TbPan")->trigger();
    const QList<QPoint> before = Symbols(d.image());
    d.drag(QPoint(300, 200), QPoint(340, 210));
    const QList<QPoint> after = Symbols(d.image());
    QCOMPARE(after.size(), 3);
    QCOMPARE(Leftmost(after) - Leftmost(before), QPoint(40, 10));
}

void MapWindowTest::realTimeZoomAndNewScale()
{
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    d.action("TbZoomRealTime")->trigger();
    const float before = d.state.Map.view.MapScale;
    d.drag(QPoint(300, 100), QPoint(300, 140)); // down: zoom out
    QVERIFY(d.state.Map.view.MapScale > before * 1.05f);
    QCOMPARE(d.status("StBScale"), QString::fromStdString(ScaleText(d.state.Map.view.MapScale)));
    const float out = d.state.Map.view.MapScale;
    d.drag(QPoint(300, 140), QPoint(300, 100)); // up: zoom in
    QVERIFY(d.state.Map.view.MapScale < out);

    d.inputs << "0,5" << "2500";
    d.action("TbNewScale")->trigger(); // a decimal comma reads as 0: ignored
    QVERIFY(d.state.Map.view.MapScale != 0.5f);
    d.action("TbNewScale")->trigger();
    QCOMPARE(d.state.Map.view.MapScale, 2500.0f);
    QCOMPARE(d.status("StBScale"), QString("1:2500.0"));
    QVERIFY(d.action("TbZoomRealTime")->isChecked()); // a command keeps the tool

    // The box offers the current scale with the digits of its 32-bit value; a scale
    // too great for the view is refused like one below 0.01.
    d.state.Map.view.MapScale = 9225.8037109375f;
    d.inputs << "1e39";
    d.action("TbNewScale")->trigger();
    QCOMPARE(d.offered.last(), QString("9225.804"));
    QCOMPARE(d.state.Map.view.MapScale, 9225.8037109375f);
}

void MapWindowTest::zoomWindowDrawsEveryPointInView()
{
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    const QList<QPoint> all = Symbols(d.image());
    const QPoint c = Topmost(all), a(c.x(), Rightmost(all).y()); // A below C, level with B
    d.action("TbZoomWindow")->trigger();
    d.click(a + QPoint(-10, 10));
    QVERIFY(d.map->picture()->bandShown());
    const QImage under = d.image();
    d.mouse(QEvent::MouseMove, c + QPoint(20, -10), Qt::NoButton, Qt::NoButton);
    QCOMPARE(d.map->picture()->band(), QRect(a + QPoint(-10, 10), c + QPoint(20, -10)));
    QCOMPARE(d.image(), under); // the band is an overlay: the map stays as drawn
    d.click(c + QPoint(20, -10));
    QVERIFY(!d.map->picture()->bandShown());
    const QList<QPoint> zoomed = Symbols(d.image());
    QVERIFY(d.state.Map.view.MapScale < d.state.Map.view.PrevMapScale);
    // A and C fill the picture up and down; every point whose pixel is in the picture
    // is drawn, and only those.
    int inView = 0;
    for (int i = 1; i <= d.state.Map.CooPointCount(); ++i) {
        const MapCooPoint& p = d.state.Map.CooPoints[i];
        const Pixel px = PixelOf(d.state.Map.view, p.Y, p.X);
        inView += px.x >= 1 && px.y >= 1 && px.x < d.image().width() - 1 && px.y < d.image().height() - 1;
    }
    QCOMPARE(zoomed.size(), inView);
    QVERIFY(zoomed.size() >= 2);
    QVERIFY(Topmost(zoomed).y() < 40);
}

void MapWindowTest::informationOfAPointAndRaysOfAStation()
{
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    const QPoint b = Rightmost(Symbols(d.image()));
    d.action("TbInformation")->trigger();
    d.click(b + QPoint(2, -1));
    QVERIFY(d.modal);
    QCOMPARE(d.modal->objectName(), QString("F_InfoP"));
    QCOMPARE(d.find<QLineEdit>(d.modal, "TxAr")->text(), QString("B"));
    QCOMPARE(d.find<QLineEdit>(d.modal, "TxX")->text(), QString("2100.000")); // E=
    QCOMPARE(d.find<QLineEdit>(d.modal, "TxY")->text(), QString("1000.000")); // N=
    QCOMPARE(d.find<QLabel>(d.modal, "Label4")->text(), QString("E="));
    for (const char* caption : {"Label5", "Label4", "Label1", "Label2", "Label3"}) {
        const QLabel* label = d.find<QLabel>(d.modal, caption);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), caption);
    }
    QCOMPARE(d.find<QLabel>(d.modal, "LbTax")->property("Tag").toString(), QString("C2"));
    QVERIFY(d.find<QLabel>(d.modal, "LbSta")->isHidden());
    d.find<QPushButton>(d.modal, "ComCansel")->click();
    QTRY_VERIFY(!d.modal);

    d.open(Fixture("small.raw"), false);
    const QList<QPoint> symbols = Symbols(d.image());
    d.click(Rightmost(symbols)); // P2
    QVERIFY(d.modal);
    QCOMPARE(d.find<QLineEdit>(d.modal, "TxAr")->text(), QString("P2"));
    QVERIFY(!d.find<QLabel>(d.modal, "LbSta")->isHidden());
    QVERIFY(d.find<QLabel>(d.modal, "LbSta")->text().startsWith("Station: K1"));
    QVERIFY(d.find<QLabel>(d.modal, "LbPol")->text().startsWith("SD = 50.000"));
    delete d.modal;

    // K1 stands where the rays start: 50 m west of P2, level with it.
    // K1 stands below P1, level with P2; its ray to P2 runs right along that row.
    const QPoint station(Topmost(symbols).x(), Rightmost(symbols).y());
    const QRect rayRow(station + QPoint(30, -1), Rightmost(symbols) - QPoint(4, -1));
    const int redBefore = CountColour(d.image(), rayRow, kRed);
    d.click(station);
    QVERIFY(!d.modal);
    const int redAfter = CountColour(d.image(), rayRow, kRed);
    QVERIFY2(redAfter > redBefore + 10, qPrintable(QString("%1 %2").arg(redBefore).arg(redAfter)));
}

void MapWindowTest::layersAndLabels()
{
    MapDriver d;
    d.open(Fixture("points.asc"), true);
    const QPoint a(Topmost(Symbols(d.image())).x(), Rightmost(Symbols(d.image())).y());
    const QRect besideA(a + QPoint(3, -20), QSize(40, 40));
    QVERIFY(CountColour(d.image(), besideA, kGreen) > 5); // the name, on by default
    const int nameOnly = CountColour(d.image(), besideA, kGreen);

    d.action("TbViewingSelections")->trigger();
    auto* dialog = qobject_cast<F_OnOff*>(d.modal.data());
    QVERIFY(dialog);
    auto* layers = d.find<QListWidget>(dialog, "LsOnOff");
    auto* attributes = d.find<QListWidget>(dialog, "ListLayres");
    QCOMPARE(layers->count(), 8);
    QCOMPARE(layers->item(3)->text(), QString("Points <UP>"));
    layers->setCurrentRow(3);
    attributes->item(2)->setCheckState(Qt::Checked); // elevation: at once in the switches
    QVERIFY(d.state.Map.layers.labelOn(3, 2));
    d.find<QPushButton>(dialog, "ComOK")->click();
    QVERIFY(CountColour(d.image(), besideA, kGreen) > nameOnly + 5); // name over elevation

    // All attributes off: the layer goes off on OK; nothing of it is drawn or counted.
    d.action("TbViewingSelections")->trigger();
    d.find<QPushButton>(dialog, "ComOxiOLL0")->click();
    QCOMPARE(layers->item(3)->checkState(), Qt::Unchecked);
    d.find<QPushButton>(dialog, "ComOK")->click();
    QVERIFY(!d.state.Map.layers.layerOn(3));
    QCOMPARE(Symbols(d.image()).size(), 0);
    QCOMPARE(CountColour(d.image(), d.image().rect(), kGreen), 0);
    d.action("TbInformation")->trigger();
    d.click(a);
    QVERIFY(!d.modal || d.modal == dialog); // nothing to pick

    // Cancel commits the layer ticks without a redraw.
    d.action("TbViewingSelections")->trigger();
    d.find<QPushButton>(dialog, "ComNaiOLL0")->click();
    layers->item(3)->setCheckState(Qt::Checked);
    const QImage before = d.image();
    d.find<QPushButton>(dialog, "ComCancel")->click();
    QVERIFY(d.state.Map.layers.layerOn(3));
    QCOMPARE(d.image(), before);
    d.map->RedrawMap();
    QCOMPARE(Symbols(d.image()).size(), 3);
}

void MapWindowTest::statisticsAndMenus()
{
    MapDriver d;
    d.open(Fixture("small.raw"), false);
    d.action("TbStatistics")->trigger();
    QCOMPARE(d.ui.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(d.ui.messages[0].title), QString("Sum "));
    QVERIFY(QString::fromStdString(d.ui.messages[0].text)
                .startsWith("Stations: 2\r\nUP: 2\r\nPoints: 3\r\nSS: 2\r\nCP: 1\r\n"));

    d.action("MnPrinterSelect")->trigger();
    QCOMPARE(d.printerDialogs, 1);
    for (const char* disabled : {"MnPrintPreview", "MnPrint"})
        QVERIFY(!d.action(disabled)->isEnabled());
    d.action("TbInformation")->trigger();
    d.action("TbFind")->trigger();
    QVERIFY(d.action("TbInformation")->isChecked());
    QVERIFY(!d.action("TbPan")->isChecked());
    QCOMPARE(d.map->tool(), MapTool::Information);
    d.mouse(QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    QVERIFY(d.status("StBPosition").startsWith("E="));
    QVERIFY(d.status("StBPosition").contains("N="));
}

void MapWindowTest::rawFilterTakesAnyCase()
{
    const QString raw = RawDataFilter();
    const QString patterns = raw.mid(raw.lastIndexOf('(') + 1).chopped(1);
    for (const char* name : {"job.zvk", "JOB.ZVK", "a.Dn1", "b.RAW"}) {
        bool matched = false;
        for (const QString& p : patterns.split(' '))
            matched = matched || QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                                     .match(QString::fromLatin1(name))
                                     .hasMatch();
        QVERIFY2(matched, name);
    }
}

void MapWindowTest::layersDialogHoldsItsButtons_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<bool>("designPlaces"); // the font leaves the controls where the design has them
    QTest::newRow("small font") << QFont(QStringLiteral("DejaVu Sans"), 6) << true;
    QTest::newRow("desktop font") << QApplication::font() << false;
    QTest::newRow("large desktop font") << QFont(QStringLiteral("DejaVu Sans"), 12) << false;
}

// Every button holds its text, nothing overlaps, the buttons stay under their lists,
// and the dialog leaves as much room right of its controls as left of them.
void MapWindowTest::layersDialogHoldsItsButtons()
{
    QFETCH(QFont, font);
    QFETCH(bool, designPlaces);
    const QFont desktop = QApplication::font();
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&desktop] { QApplication::setFont(desktop); });
    MapLayers layers;
    F_OnOff dialog(layers);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto control = [&dialog](const char* name) { return dialog.findChild<QWidget*>(name)->geometry(); };
    const int margin = control("LsOnOff").left();
    const char* const buttons[] = {"ComNaiOLL0", "ComOxiOLL0", "ComNaiOLL1", "ComOxiOLL1", "ComOK", "ComCancel"};
    for (const char* name : buttons) {
        const auto* button = dialog.findChild<QPushButton*>(name);
        const QStyle* style = button->style();
        const int text = button->fontMetrics().horizontalAdvance(button->text().remove('&')) +
                         2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        QVERIFY2(button->width() >= text, name);
        QVERIFY2(dialog.width() - control(name).right() - 1 >= margin, name);
        QVERIFY2(control(name).bottom() < dialog.height(), name);
        for (const char* other : buttons)
            QVERIFY2(other == name || !control(name).intersects(control(other)), name);
    }
    for (const auto& [list, first, second] : {std::tuple{"ListLayres", "ComNaiOLL0", "ComOxiOLL0"},
                                               std::tuple{"LsOnOff", "ComNaiOLL1", "ComOxiOLL1"}}) {
        QVERIFY2(control(second).right() <= control(list).right(), second);
        QVERIFY2(control(first).left() >= control(list).left(), first);
    }
    QVERIFY(!control("LsOnOff").intersects(control("ListLayres")));
    if (designPlaces) {
        QCOMPARE(dialog.height(), TwipsToPixels(2895));
        QCOMPARE(control("ComOxiOLL0"), QRect(TwipsToPixels(3990), TwipsToPixels(1140), TwipsToPixels(1065),
                                              TwipsToPixels(315)));
    }
}

// The scale, the note and a seven-digit position all readable in the window's
// default size.
void MapWindowTest::statusBarFitsAtTheDefaultSize()
{
    MapDriver d{QSize()};
    QVERIFY(QTest::qWaitForWindowExposed(d.map));
    QTemporaryDir dir;
    QFile list(dir.filePath("dense.asc"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (int i = 0; i < 2000; ++i) // a dense block: too many for labels
        list.write(QStringLiteral("P%1,%2,%3,1\r\n").arg(i).arg(6501000 + i % 50).arg(-1234000 - i / 50).toLatin1());
    list.close();
    d.open(list.fileName(), true);
    d.state.Map.view.MapScale = 12345678.9f;
    d.mouse(QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton, Qt::NoButton); // shows the scale
    d.mouse(QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton);
    QVERIFY(!d.status("StBNote").isEmpty());
    QVERIFY(d.status("StBPosition").contains("N=65"));
    const QWidget* bar = d.find<QWidget>(d.map, "StB");
    QVERIFY(d.map->rect().contains(bar->geometry()));
    QRect previous;
    for (const char* name : {"StBScale", "StBNote", "StBPosition"}) {
        const QLabel* panel = d.find<QLabel>(d.map, name);
        QVERIFY2(bar->rect().contains(panel->geometry()), name);
        QVERIFY2(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width(), name);
        QVERIFY2(!panel->geometry().intersects(previous), name);
        previous = panel->geometry();
    }
}

void MapWindowTest::pointInformationShowsValuesWhole_data()
{
    QTest::addColumn<QFont>("font");
    QTest::newRow("desktop font") << QApplication::font();
    QTest::newRow("large desktop font") << QFont(QStringLiteral("DejaVu Sans"), 12);
}

// A seven-digit northing reads whole, from its first digit, in the desktop's font; a
// name or code longer than its box starts at its first character.
void MapWindowTest::pointInformationShowsValuesWhole()
{
    QFETCH(QFont, font);
    const QFont desktop = QApplication::font();
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&desktop] { QApplication::setFont(desktop); });
    MapTables t;
    t.CooPoints.push_back({6501695.680, -1234567.891, 123.456f});
    t.PointNames.push_back("BOUNDARY-STONE-0001");
    t.PointCodes.push_back("FENCE POST NORTH");
    F_InfoP dialog(CooPointInfo(t, 1));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QPushButton*>("ComCansel")->setFocus();
    for (const char* name : {"TxX", "TxY", "TxH", "TxAr", "TxK"}) {
        auto* box = dialog.findChild<QLineEdit*>(name);
        const ValueShown shown = Shown(box);
        QVERIFY2(shown.fromStart, name);
        if (QByteArray("TxX TxY TxH").contains(name))
            QVERIFY2(shown.whole, name);
    }
    QCOMPARE(dialog.findChild<QLineEdit*>("TxY")->text(), QString("6501695.680"));
    // What stands right of the boxes stays clear of them and inside the window.
    const int boxesRight = dialog.findChild<QLineEdit*>("TxX")->geometry().right();
    for (const char* name : {"LbTax", "LbSta", "LbPol", "ComOK", "ComCansel"}) {
        const QWidget* control = dialog.findChild<QWidget*>(name);
        QVERIFY2(control->x() > boxesRight, name);
        QVERIFY2(dialog.rect().contains(control->geometry()), name);
    }
}

void MapWindowTest::manyPointsKeepReadableLabels_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("labels");
    QTest::newRow("5 000 points") << 100 << 50 << false;
    QTest::newRow("150 points") << 15 << 10 << true;
}

// A grid of points 10 m apart in the map's default picture of 605 x 364 pixels:
// labels only while they can be read, the symbols always.
void MapWindowTest::manyPointsKeepReadableLabels()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, labels);
    MapDriver d;
    d.map->resize(d.map->size() + QSize(605, 364) - d.map->picture()->size());
    QTRY_COMPARE(d.map->picture()->size(), QSize(605, 364));
    QTemporaryDir dir;
    QFile list(dir.filePath("grid.asc"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            list.write(QStringLiteral("P%1,%2,%3,50.00,\r\n").arg(r * columns + c).arg(r * 10).arg(c * 10).toLatin1());
    list.close();
    d.open(list.fileName(), true);
    QCOMPARE(d.state.Map.CooPointCount(), columns * rows);
    QCOMPARE(Symbols(d.image()).size(), columns * rows);
    const QImage image = d.image();
    const double green = CountColour(image, image.rect(), kGreen) / double(image.width() * image.height());
    QCOMPARE(d.status("StBNote").isEmpty(), labels);
    if (labels)
        QVERIFY2(green > 0.002 && green < 0.2, qPrintable(QString::number(green)));
    else
        QCOMPARE(green, 0.0);
}

void MapWindowTest::openThroughTheRealFileDialog_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("listPoints");
    QTest::addColumn<int>("observedPoints");
    QTest::newRow("coordinate list") << 0 << "points.asc" << 3 << 0;
    QTest::newRow("raw-data file") << 1 << "small.raw" << 0 << 3;
}

// The program's own file dialog, answered as a user answers it: the choice of
// filter decides how the file is read.
void MapWindowTest::openThroughTheRealFileDialog()
{
    QFETCH(int, filter);
    QFETCH(QString, file);
    QFETCH(int, listPoints);
    QFETCH(int, observedPoints);
    MapDriver d;
    d.map->seams().openFileName = DefaultMapSeams().openFileName;
    test::FileDialogUser user;
    user.answerNext(filter, Fixture(file.toLatin1().constData()));
    d.action("MnOpen")->trigger();
    QCOMPARE(user.shownFilters, QStringList({"Coordinate lists *.asc, *.seq", "Raw data files *.zvk, *.dn?, *.raw"}));
    QVERIFY2(d.ui.messages.empty(), d.ui.messages.empty() ? "" : d.ui.messages[0].text.c_str());
    QCOMPARE(d.state.Map.CooPointCount(), listPoints);
    QCOMPARE(d.state.Map.ObsPointCount(), observedPoints);
    QCOMPARE(Symbols(d.image()).size(), 3);
}

void MapWindowTest::filterPositionFromEitherAnswer()
{
    const QStringList filters{CoordinateListFilter(), RawDataFilter()};
    struct Case {
        QString answer;
        int position;
    };
    const Case cases[] = {
        {CoordinateListFilter(), 0},              // a desktop's dialog: the whole filter
        {RawDataFilter(), 1},
        {"Coordinate lists *.asc, *.seq", 0},     // Qt's dialog with the patterns hidden
        {"Raw data files *.zvk, *.dn?, *.raw", 1},
        {"", -1},
        {"Coordinate lists", -1},
    };
    for (const Case& c : cases)
        QCOMPARE(NameFilterPosition(filters, c.answer), c.position);
}

void MapWindowTest::aFileWithoutLineEndsChangesNothing_data()
{
    QTest::addColumn<int>("filter");
    QTest::newRow("coordinate list") << 0;
    QTest::newRow("raw-data file") << 1;
}

// A wrong file chosen, 1 GB without a line end (sparse): refused after its first
// bytes with the file and the line named; the map keeps what it showed.
void MapWindowTest::aFileWithoutLineEndsChangesNothing()
{
    QFETCH(int, filter);
    QTemporaryDir dir;
    const QString huge = dir.filePath(filter == 0 ? "huge.asc" : "huge.raw");
    {
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("P1,1000,2000,10,");
        QVERIFY(file.resize(1'000'000'000));
    }
    MapDriver d;
    d.open(Fixture("small.raw"), false);
    QCOMPARE(Symbols(d.image()).size(), 3);
    d.map->seams().openFileName = DefaultMapSeams().openFileName;
    test::FileDialogUser user;
    user.answerNext(filter, huge);
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    d.action("MnOpen")->trigger();
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    QCOMPARE(d.ui.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(d.ui.messages[0].text),
             huge + " is not a survey data file: line 1 is longer than 10000 characters.");
    QCOMPARE(d.ui.messages[0].icon, MessageIcon::Critical);
    QCOMPARE(d.state.Map.ObsPointCount(), 3);
    QCOMPARE(Symbols(d.image()).size(), 3);
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 32 * 1024, "the peak grew by more than 32 MB");
}

void MapWindowTest::aRawFileCutShortShowsItsWholeRecords_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("told");
    const QString unended = "1 record(s) were left out because they are cut short: the last one, at line 9, has no"
                            " line end (as when a transfer ends early).";
    QTest::newRow("cut before its zenith angle, no line end") << QByteArray("SS,33,0.000,9.362,148.7") << unended;
    QTest::newRow("cut inside its zenith angle, no line end")
        << QByteArray("SS,33,0.000,9.362,148.7000,1") << unended;
    QTest::newRow("cut after the comma before its zenith angle, no line end")
        << QByteArray("SS,33,0.000,9.362,148.7000,") << unended;
    QTest::newRow("cut before its zenith angle, then a line end")
        << QByteArray("SS,33,0.000,9.362,148.7\r\n")
        << QString("1 record(s) were left out because they end before their last value (cut short, as when a"
                   " transfer ends early), the first at line 9.");
}

// The kept copy of a transfer that ended inside a side shot: the shot is not drawn
// on its station, and the warning says what was left out.
void MapWindowTest::aRawFileCutShortShowsItsWholeRecords()
{
    QFETCH(QByteArray, tail);
    QFETCH(QString, told);
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.zvk");
    QFile source(Fixture("small.raw"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QFile file(cut);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(source.readAll() + tail);
    file.close();
    MapDriver d;
    d.open(cut, false);
    QCOMPARE(d.ui.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(d.ui.messages[0].text), told);
    QCOMPARE(d.ui.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(d.state.Map.ObsPointCount(), 3);
    QCOMPARE(Symbols(d.image()).size(), 3);
}

void MapWindowTest::aCoordinateListCutShortShowsItsWholePoints_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("told");
    const QString unended = "1 record(s) were left out because they are cut short: the last one, at line 3, has no"
                            " line end (as when a transfer ends early).";
    QTest::newRow("cut inside the easting, no line end") << QByteArray("P7,520,6") << unended;
    QTest::newRow("cut inside the code, no line end") << QByteArray("P7,520,660,3,TR") << unended;
    QTest::newRow("cut before the easting, no line end") << QByteArray("P7,520,") << unended;
    QTest::newRow("marked cut short by an append, then a line end")
        << QByteArray("CO,Cut short: P7,520,6\r\n")
        << QString("1 record(s) marked \"Cut short:\" were left out, the first at line 3: each was the last line of"
                   " the file, cut off, when more data was appended after it.");
}

// A coordinate list whose last point came only in part: that point is not drawn
// (read whole, it would lie far off the others), and the warning says what was left
// out, as it does for raw data.
void MapWindowTest::aCoordinateListCutShortShowsItsWholePoints()
{
    QFETCH(QByteArray, tail);
    QFETCH(QString, told);
    QTemporaryDir dir;
    const QString cut = dir.filePath(QString::fromUtf8("Måling øst.asc"));
    QFile file(cut);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("P1,500,700,1,X\r\nP2,540,640,2,Y\r\n" + tail);
    file.close();
    MapDriver d;
    d.open(cut, true);
    QCOMPARE(d.ui.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(d.ui.messages[0].text), told);
    QCOMPARE(d.ui.messages[0].icon, MessageIcon::Exclamation);
    QCOMPARE(d.ui.messages[0].title, std::string("Warning"));
    QCOMPARE(d.state.Map.CooPointCount(), 2);
    QCOMPARE(Symbols(d.image()).size(), 2);
}

QTEST_MAIN(MapWindowTest)
#include "tst_F_map.moc"
