// The conversion field-order dialog: load from the settings file, OK, Cancel, the
// close box and setup mode. The upload twin's differences are in tst_f_upcoo.
#include "CoordDialogTestSupport.h"

#include "conversion/CoordinateFieldOptions.h"
#include "dialogs/F_UpCoo.h"
#include "dialogs/F_UsDeCo.h"
#include "app/gui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const char* const kSection = "Coordinate Settings";

QList<int> Fields(QWidget* dialog)
{
    QList<int> fields;
    for (int i = 0; i < 5; ++i)
        fields << Child<QComboBox>(dialog, qPrintable(QString("Comb%1").arg(i)))->currentData().toInt();
    return fields;
}

bool Space(QWidget* dialog)
{
    return Child<QRadioButton>(dialog, "Op1")->isChecked();
}

} // namespace

class TestF_UsDeCo : public QObject {
    Q_OBJECT

    OptionDialogFixture f;
    CoordinateFieldOptions store{FieldSection::Coordinate};

    std::unique_ptr<F_UsDeCo> make() { return std::make_unique<F_UsDeCo>(f.model, f.state, store, f.ui); }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = CoordinateFieldOptions(FieldSection::Coordinate);
    }

    void newFileShowsItsTextsAndChoices()
    {
        auto dialog = make();
        QCOMPARE(dialog->windowTitle(), QString("Coordinate file"));
        QCOMPARE(Child<QGroupBox>(dialog.get(), "Fr1")->title(), QString("Format"));
        QCOMPARE(Child<QGroupBox>(dialog.get(), "Fr2")->title(), QString("Separator"));
        QCOMPARE(Child<QLabel>(dialog.get(), "Lb4")->text(), QString("Field 5:"));
        QCOMPARE(Child<QRadioButton>(dialog.get(), "Op1")->text(), QString("Space"));
        QCOMPARE(Child<QPushButton>(dialog.get(), "ComOK")->text(), QString("&OK"));
        QComboBox* list = Child<QComboBox>(dialog.get(), "Comb3");
        QCOMPARE(list->count(), 8);
        QCOMPARE(list->itemText(7), QString("Ignore"));
        QCOMPARE(Fields(dialog.get()), (QList<int>{0, 1, 2, 3, 4}));
        QVERIFY(!Space(dialog.get()));
    }

    void missingSectionShowsDefaultItemsFirstItemAndComma()
    {
        RemoveSection(f.state.IniPath, kSection);
        auto dialog = make();
        QCOMPARE(Child<QComboBox>(dialog.get(), "Comb0")->itemText(1), QString("Northing"));
        QCOMPARE(Fields(dialog.get()), (QList<int>{0, 0, 0, 0, 0}));
        QVERIFY(!Space(dialog.get()));
    }

    void storedValuesAreRoundedThenRangeChecked_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<bool>("space");
        QTest::newRow("7 is Ignore") << "Field3" << "7" << QList<int>{0, 1, 7, 3, 4} << false;
        QTest::newRow("2.5 to even") << "Field3" << "2.5" << QList<int>{0, 1, 2, 3, 4} << false;
        QTest::newRow("3.5 to even") << "Field4" << "3.5" << QList<int>{0, 1, 2, 4, 4} << false;
        QTest::newRow("7.5 rounds past the list") << "Field2" << "7.5" << QList<int>{0, 0, 2, 3, 4} << false;
        QTest::newRow("8 past the list") << "Field5" << "8" << QList<int>{0, 1, 2, 3, 0} << false;
        QTest::newRow("negative") << "Field2" << "-1" << QList<int>{0, 0, 2, 3, 4} << false;
        QTest::newRow("empty") << "Field2" << "" << QList<int>{0, 0, 2, 3, 4} << false;
        QTest::newRow("separator 2") << "Separator" << "2" << QList<int>{0, 1, 2, 3, 4} << true;
        QTest::newRow("separator -1") << "Separator" << "-1" << QList<int>{0, 1, 2, 3, 4} << false;
        QTest::newRow("separator text") << "Separator" << "blank" << QList<int>{0, 1, 2, 3, 4} << false;
    }

    void storedValuesAreRoundedThenRangeChecked()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        f.setKey(kSection, key.toStdString(), value.toStdString());
        auto dialog = make();
        QTEST(Fields(dialog.get()), "fields");
        QTEST(Space(dialog.get()), "space");
    }

    void storedItemTextsAreShown()
    {
        f.setKey(kSection, "ComboField2", "Nord");
        auto dialog = make();
        QCOMPARE(Child<QComboBox>(dialog.get(), "Comb4")->itemText(1), QString("Nord"));
    }

    void okSavesExactlyItsLinesAndUpdatesTheStore()
    {
        f.state.TransferStatus = "ConvertToKOF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        for (int i = 0; i < 5; ++i)
            Child<QComboBox>(dialog.get(), qPrintable(QString("Comb%1").arg(i)))->setCurrentIndex(2);
        Child<QRadioButton>(dialog.get(), "Op1")->setChecked(true);
        Child<QPushButton>(dialog.get(), "ComOK")->click();

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const std::set<std::string> expected{"Coordinate Settings|Field1", "Coordinate Settings|Field2",
                                             "Coordinate Settings|Field3", "Coordinate Settings|Field4",
                                             "Coordinate Settings|Field5", "Coordinate Settings|Separator"};
        QCOMPARE(ChangedKeys(before, f.iniBytes()), expected);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(GetProfileString(kSection, "Field" + std::to_string(n), f.state.IniPath), std::string("2"));
        QCOMPARE(GetProfileString(kSection, "Separator", f.state.IniPath), std::string("1"));
        QCOMPARE(f.state.TransferStatus, std::string("ConvertToKOF"));
        QCOMPARE(store.field, (std::array<int, 5>{2, 2, 2, 2, 2}));
        QCOMPARE(store.separatorText(), std::string(" "));

        auto again = make(); // a fresh instance reads what was saved
        QCOMPARE(Fields(again.get()), (QList<int>{2, 2, 2, 2, 2}));
        QVERIFY(Space(again.get()));
    }

    void closingWithoutOkChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box") << "close";
        QTest::newRow("Escape") << "escape";
    }

    void closingWithoutOkChangesNothing()
    {
        QFETCH(QString, how);
        f.state.TransferStatus = "UpLoadCoord";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        Child<QComboBox>(dialog.get(), "Comb0")->setCurrentIndex(4);
        Child<QRadioButton>(dialog.get(), "Op1")->setChecked(true);
        if (how == "close")
            dialog->close();
        else
            QTest::keyClick(dialog.get(), Qt::Key_Escape);

        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(store.field, (std::array<int, 5>{0, 1, 2, 3, 4}));
        QCOMPARE(store.separator, 0);
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
    }

    void setupModeOkSavesTheTextsOnlyAndTheTwinSeesThem()
    {
        f.state.SetupMode = true;
        f.state.TransferStatus = "UpLoadCoord";
        const std::vector<std::string> options = f.sectionLines(kSection);
        auto dialog = make();
        Child<QComboBox>(dialog.get(), "Comb0")->setCurrentIndex(4);
        Child<QLabel>(dialog.get(), "Lb2")->setText("Feld 3:");
        dialog->setWindowTitle("Koordinaten");
        Child<QPushButton>(dialog.get(), "ComOK")->click();

        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.sectionLines(kSection), options);
        QCOMPARE(GetProfileString("CoordForm_Lb2", "Caption", f.state.IniPath), std::string("Feld 3:"));
        QCOMPARE(GetProfileString("CoordForm", "Caption", f.state.IniPath), std::string("Koordinaten"));
        QCOMPARE(store.field[0], 0);
        // The pending upload request is not the texts' business.
        QCOMPARE(f.state.TransferStatus, std::string("UpLoadCoord"));

        CoordinateFieldOptions upload(FieldSection::UpLoad);
        F_UpCoo twin(f.model, f.state, upload, f.ui);
        QCOMPARE(Child<QLabel>(&twin, "Lb2")->text(), QString("Feld 3:"));
        QCOMPARE(twin.windowTitle(), QString("Coordinate file"));
    }

    void bothTwinsKeepTheirDesignPlaces()
    {
        CoordinateFieldOptions upload(FieldSection::UpLoad);
        F_UsDeCo conversion(f.model, f.state, store, f.ui);
        F_UpCoo sending(f.model, f.state, upload, f.ui);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&conversion, &sending}) {
            dialog->show();
            QCoreApplication::processEvents();
            auto* ok = Child<QPushButton>(dialog, "ComOK");
            QCOMPARE(TwipsTop(ok), 2592.0);
            QCOMPARE(dialog->height() * double(kTwipsPerPixel), 3090.0);
            // Centred on the form's width, its border included.
            QCOMPARE(TwipsLeft(ok) * 2 + TwipsWidth(ok), WindowOuterWidth(dialog));
            for (int i = 0; i < 2; ++i) {
                const QByteArray index = QByteArray::number(i);
                QCOMPARE(TwipsTop(Child<QRadioButton>(dialog, "Op" + index)),
                         TwipsTop(Child<QLabel>(dialog, "Lb" + index)));
            }
            dialog->hide();
        }
    }

    void screenshot()
    {
        auto dialog = make();
        SaveScreenshot(dialog.get(), "F_UsDeCo");
    }
};

QTEST_MAIN(TestF_UsDeCo)
#include "tst_f_usdeco.moc"
