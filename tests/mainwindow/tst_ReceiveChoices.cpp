// The Receive page: source, receive kind and format, the lists they offer, the
// remembered positions, and what is shown for each choice.
#include "helper_Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

struct Page {
    ProgramFolder folder;
    std::unique_ptr<ProgramSession> session;

    Page()
    {
        CreateDefaultIni(folder);
        session = folder.start();
    }
    QRadioButton* option(const char* name) const { return Find<QRadioButton>(*session, name); }
    QComboBox* formats() const { return Find<QComboBox>(*session, "ComboDataFormat"); }
    bool hidden(const char* name) const { return Find<QWidget>(*session, name)->isHidden(); }
    ProgramSettings& settings() const { return session->model.settings; }
    // A user's click on an option button or a list item.
    void click(const char* name) const { QTest::mouseClick(option(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    void pick(int position) const { formats()->setCurrentIndex(position); }
};

} // namespace

class ReceiveChoicesTest : public QObject {
    Q_OBJECT
private slots:
    void eachChoiceOffersItsList_data();
    void eachChoiceOffersItsList();
    void remembersPositionsPerSourceAndKind();
    void otherHidesTheFormatAndKeepsTheName();
    void fileSourceLeavesOtherForRawData();
    void boxAndSettingsButtonFollowTheFormat_data();
    void boxAndSettingsButtonFollowTheFormat();
    void savedChoicesAreRestoredAtStart();
    void outOfRangePositionStartsAtTheFirstItem();
    void emptyListLeavesTheRememberedPosition();
    void formatChoiceEmptiesTheTargetName();
};

void ReceiveChoicesTest::eachChoiceOffersItsList_data()
{
    QTest::addColumn<bool>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::newRow("instrument raw") << false << "OpReceive0" << 8 << "Zarel RAW data format V2.00";
    QTest::newRow("instrument coordinates") << false << "OpReceive1" << 5 << "Coordinate file";
    QTest::newRow("file raw") << true << "OpReceive0" << 5 << "KOF raw data file";
    QTest::newRow("file coordinates") << true << "OpReceive1" << 2 << "DXF file";
}

void ReceiveChoicesTest::eachChoiceOffersItsList()
{
    QFETCH(bool, file);
    QFETCH(QString, kind);
    QFETCH(int, count);
    QFETCH(QString, first);
    Page page;
    page.click(kind.toLatin1());
    if (file)
        page.click("OpSourse1");
    QCOMPARE(page.formats()->count(), count);
    QCOMPARE(page.formats()->itemText(0), first);
    QCOMPARE(page.formats()->currentIndex(), 0);
    QCOMPARE(page.hidden("ComDLN"), file);
    QCOMPARE(page.hidden("ComConv"), !file);
    QCOMPARE(Find<QPushButton>(*page.session, "ComFileName")->isEnabled(), file);
    QCOMPARE(page.settings().OpSourse, int16_t(file ? 1 : 0));
    QCOMPARE(page.settings().OpReceive, int16_t(kind == "OpReceive1" ? 1 : 0));
}

void ReceiveChoicesTest::remembersPositionsPerSourceAndKind()
{
    Page page;
    page.pick(5);            // instrument raw: Eghas
    page.click("OpReceive1");
    page.pick(2);            // instrument coordinates: KOF
    page.click("OpSourse1");
    page.pick(1);            // coordinate file: KOF
    page.click("OpReceive0");
    page.pick(3);            // raw-data file: NEDCAD
    QCOMPARE(page.settings().ComboDataFormatN, int16_t(5));
    QCOMPARE(page.settings().ComboDataFormatC, int16_t(2));
    QCOMPARE(page.settings().ComboDataFormatCFile, int16_t(1));
    QCOMPARE(page.settings().ComboDataFormatNFile, int16_t(3));

    page.click("OpSourse0");
    QCOMPARE(page.formats()->currentText(), QString("Eghas raw data file"));
    page.click("OpReceive1");
    QCOMPARE(page.formats()->currentText(), QString("KOF coordinate file"));
    page.click("OpSourse1");
    QCOMPARE(page.formats()->currentText(), QString("KOF coordinate file"));
    QCOMPARE(page.formats()->count(), 2);
    page.click("OpReceive0");
    QCOMPARE(page.formats()->currentText(), QString("NEDCAD raw data file"));
}

void ReceiveChoicesTest::otherHidesTheFormatAndKeepsTheName()
{
    Page page;
    page.pick(1);
    auto* name = Find<QLineEdit>(*page.session, "TxFileName");
    name->setText("job.kof");
    page.click("OpReceive2");
    for (const char* control : {"ComboDataFormat", "LbDataformat", "CheckOrigDF", "ComSaveSetings"})
        QVERIFY2(page.hidden(control), control);
    QCOMPARE(name->text(), QString("job.kof"));
    QCOMPARE(page.settings().OpReceive, int16_t(2));
    QCOMPARE(page.settings().ComboDataFormatN, int16_t(1));
    QCOMPARE(page.formats()->count(), 8);
}

void ReceiveChoicesTest::fileSourceLeavesOtherForRawData()
{
    Page page;
    page.click("OpReceive2");
    page.click("OpSourse1");
    QVERIFY(page.option("OpReceive0")->isChecked());
    QVERIFY(!page.option("OpReceive2")->isEnabled());
    QCOMPARE(page.settings().OpReceive, int16_t(0));
    QCOMPARE(page.formats()->itemText(0), QString("KOF raw data file"));
    QVERIFY(!page.hidden("ComboDataFormat"));
    QVERIFY(page.hidden("CheckOrigDF"));
    QVERIFY(!page.hidden("ComConv"));

    page.click("OpSourse0");
    QVERIFY(page.option("OpReceive2")->isEnabled());
    QVERIFY(page.option("OpReceive0")->isChecked());
}

void ReceiveChoicesTest::boxAndSettingsButtonFollowTheFormat_data()
{
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("coordinates");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("box");
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("raw 0 own format") << false << false << 0 << false << false << "";
    QTest::newRow("raw 1 KOF") << false << false << 1 << true << true << "KOF settings";
    QTest::newRow("raw 2 MAPA") << false << false << 2 << true << false << "MAPA2 settings";
    QTest::newRow("raw 3 SDR-2x") << false << false << 3 << false << false << "SDR-2x settings";
    QTest::newRow("raw 4 SDR-33") << false << false << 4 << false << false << "SDR-33 settings";
    QTest::newRow("raw 6 NEDCAD") << false << false << 6 << true << false << "NEDCAD settings";
    QTest::newRow("raw 7 coordinates") << false << false << 7 << true << true << "Coordinate file settings";
    QTest::newRow("coord 0") << false << true << 0 << true << true << "Coordinate file settings";
    QTest::newRow("coord 3 SDR-2x") << false << true << 3 << false << true << "SDR-2x settings";
    QTest::newRow("coord 4 SDR-33") << false << true << 4 << false << true << "SDR-33 settings";
    QTest::newRow("file raw 0 KOF") << true << false << 0 << false << true << "KOF settings";
    QTest::newRow("file raw 2 Eghas") << true << false << 2 << false << false << "Eghas settings";
    QTest::newRow("file raw 4 coordinates") << true << false << 4 << false << true << "Coordinate file settings";
    QTest::newRow("file coord 1 KOF") << true << true << 1 << false << true << "KOF settings";
}

void ReceiveChoicesTest::boxAndSettingsButtonFollowTheFormat()
{
    QFETCH(bool, file);
    QFETCH(bool, coordinates);
    QFETCH(int, position);
    QFETCH(bool, box);
    QFETCH(bool, settings);
    QFETCH(QString, tooltip);
    Page page;
    page.click(coordinates ? "OpReceive1" : "OpReceive0");
    page.click(file ? "OpSourse1" : "OpSourse0");
    page.pick(position);
    QCOMPARE(!page.hidden("CheckOrigDF"), box);
    QCOMPARE(!page.hidden("ComSaveSetings"), settings);
    QCOMPARE(Find<QPushButton>(*page.session, "ComSaveSetings")->toolTip(), tooltip);
}

void ReceiveChoicesTest::savedChoicesAreRestoredAtStart()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("Default", "OpSourse", "1"); // the program always starts on the instrument
    folder.setIniValue("Default", "OpReceive", "1");
    folder.setIniValue("Default", "ComboDataFormatC", "1");
    folder.setIniValue("Default", "CheckOrigDF", "1");
    auto session = folder.start();
    QVERIFY(Find<QRadioButton>(*session, "OpSourse0")->isChecked());
    QVERIFY(Find<QRadioButton>(*session, "OpReceive1")->isChecked());
    QCOMPARE(Find<QComboBox>(*session, "ComboDataFormat")->currentText(), QString("DXF file"));
    auto* box = Find<QCheckBox>(*session, "CheckOrigDF");
    QVERIFY(box->isChecked());
    QVERIFY(!box->isHidden());
    QCOMPARE(Find<QPushButton>(*session, "ComSaveSetings")->toolTip(), QString("DXF settings"));
    QCOMPARE(session->model.settings.ComboDataFormatC, int16_t(1));
}

void ReceiveChoicesTest::outOfRangePositionStartsAtTheFirstItem()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("Default", "ComboDataFormatN", "12");
    folder.setIniValue("Default", "ComboDataFormatNFile", "9");
    auto session = folder.start();
    QCOMPARE(Find<QComboBox>(*session, "ComboDataFormat")->currentIndex(), 0);
    QCOMPARE(session->model.settings.ComboDataFormatN, int16_t(0));
    QTest::mouseClick(Find<QRadioButton>(*session, "OpSourse1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(Find<QComboBox>(*session, "ComboDataFormat")->currentIndex(), 0);
    QCOMPARE(session->model.settings.ComboDataFormatNFile, int16_t(0));
}

void ReceiveChoicesTest::emptyListLeavesTheRememberedPosition()
{
    Page page;
    page.session->model.RawFormatList.clear();
    page.settings().ComboDataFormatN = 5;
    page.click("OpReceive1");
    page.click("OpReceive0");
    QCOMPARE(page.formats()->count(), 0);
    QCOMPARE(page.settings().ComboDataFormatN, int16_t(5));
    QCOMPARE(page.settings().OpReceive, int16_t(0));
}

void ReceiveChoicesTest::formatChoiceEmptiesTheTargetName()
{
    Page page;
    auto* name = Find<QLineEdit>(*page.session, "TxFileName");
    auto* mapButton = Find<QPushButton>(*page.session, "ComMapShow");
    for (const char* step : {"format", "source", "kind"}) {
        name->setText("job.kof");
        mapButton->show();
        if (QByteArray(step) == "format")
            page.pick(2);
        else if (QByteArray(step) == "source")
            page.click("OpSourse1");
        else
            page.click("OpReceive1");
        QVERIFY2(name->text().isEmpty(), step);
        QVERIFY2(mapButton->isHidden(), step);
        QVERIFY(!Find<QPushButton>(*page.session, "ComViewFile")->isEnabled());
    }
}

QTEST_MAIN(ReceiveChoicesTest)
#include "tst_ReceiveChoices.moc"
