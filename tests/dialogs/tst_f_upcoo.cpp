// The upload field-order dialog: what differs from its conversion twin (its section,
// seven items, the upload request word, its own window section).
#include "CoordDialogTestSupport.h"

#include "conversion/CoordinateFieldOptions.h"
#include "dialogs/F_UpCoo.h"
#include "dialogs/F_UsDeCo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const char* const kSection = "Coordinate UpLoad Settings";

} // namespace

class TestF_UpCoo : public QObject {
    Q_OBJECT

    OptionDialogFixture f;
    CoordinateFieldOptions store{FieldSection::UpLoad};

    std::unique_ptr<F_UpCoo> make() { return std::make_unique<F_UpCoo>(f.model, f.state, store, f.ui); }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = CoordinateFieldOptions(FieldSection::UpLoad);
    }

    void newFileOffersSevenItems()
    {
        auto dialog = make();
        QComboBox* list = Child<QComboBox>(dialog.get(), "Comb2");
        QCOMPARE(list->count(), 7);
        QCOMPARE(list->itemText(5), QString("Ignore")); // the new file's text for item 5
        QCOMPARE(list->currentData().toInt(), 2);
        QCOMPARE(dialog->windowTitle(), QString("Coordinate file"));
    }

    void storedIndexPastSevenItemsKeepsTheFirst_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("7") << "7" << 0;
        QTest::newRow("6.5 to even") << "6.5" << 6;
        QTest::newRow("2.5 to even") << "2.5" << 2;
    }

    void storedIndexPastSevenItemsKeepsTheFirst()
    {
        QFETCH(QString, value);
        f.setKey(kSection, "Field3", value.toStdString());
        auto dialog = make();
        QTEST(Child<QComboBox>(dialog.get(), "Comb2")->currentData().toInt(), "index");
    }

    void okAnswersTheUploadRequest_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<bool>("space");
        QTest::addColumn<QString>("word");
        QTest::newRow("upload, comma") << "UpLoadCoord" << false << "Comma";
        QTest::newRow("upload, blank") << "UpLoadCoord" << true << "Space";
        QTest::newRow("settings only") << "" << true << "";
    }

    void okAnswersTheUploadRequest()
    {
        QFETCH(QString, request);
        QFETCH(bool, space);
        f.state.TransferStatus = request.toStdString();
        const std::string before = f.iniBytes();
        auto dialog = make();
        Child<QComboBox>(dialog.get(), "Comb4")->setCurrentIndex(6);
        Child<QRadioButton>(dialog.get(), space ? "Op1" : "Op0")->setChecked(true);
        Child<QPushButton>(dialog.get(), "ComOK")->click();

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QTEST(QString::fromStdString(f.state.TransferStatus), "word");
        for (const std::string& key : ChangedKeys(before, f.iniBytes()))
            QVERIFY2(key.rfind(std::string(kSection) + "|", 0) == 0, key.c_str());
        QCOMPARE(GetProfileString(kSection, "Field5", f.state.IniPath), std::string("6"));
        QCOMPARE(GetProfileString("Coordinate Settings", "Field5", f.state.IniPath), std::string("4"));
        QCOMPARE(store.field[4], 6);
    }

    void closeBoxAfterSendSendsNothing()
    {
        f.state.TransferStatus = "UpLoadCoord";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        Child<QComboBox>(dialog.get(), "Comb0")->setCurrentIndex(3);
        dialog->close();
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(store.field[0], 0);
    }

    void setupModeSavesItsWindowAndTheSharedSections()
    {
        f.state.SetupMode = true;
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->setWindowTitle("Upload order");
        Child<QLabel>(dialog.get(), "Lb0")->setText("Feld 1:");
        Child<QPushButton>(dialog.get(), "ComOK")->click();

        std::set<std::string> sections;
        for (const std::string& key : ChangedKeys(before, f.iniBytes()))
            sections.insert(key.substr(0, key.find('|')));
        QVERIFY(!sections.count(kSection));
        QVERIFY(!sections.count("CoordForm"));
        QVERIFY(sections.count("CoordFormUL"));
        QCOMPARE(GetProfileString("CoordFormUL", "Caption", f.state.IniPath), std::string("Upload order"));
        QCOMPARE(GetProfileString("CoordForm_Lb0", "Caption", f.state.IniPath), std::string("Feld 1:"));
        QCOMPARE(F_UpCoo::TextKeys().size(), size_t(11));

        CoordinateFieldOptions conversion(FieldSection::Coordinate);
        F_UsDeCo twin(f.model, f.state, conversion, f.ui);
        QCOMPARE(Child<QLabel>(&twin, "Lb0")->text(), QString("Feld 1:"));
        QCOMPARE(twin.windowTitle(), QString("Coordinate file"));
    }

    void screenshot()
    {
        auto dialog = make();
        SaveScreenshot(dialog.get(), "F_UpCoo");
    }
};

QTEST_MAIN(TestF_UpCoo)
#include "tst_f_upcoo.moc"
