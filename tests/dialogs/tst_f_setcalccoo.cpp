// The coordinate calculation settings dialog: load, the scale-factor and control-file
// checks, OK (what the calculator then reads), Cancel, the close box and setup mode.
#include "CoordDialogTestSupport.h"

#include "conversion/CalcOptions.h"
#include "dialogs/F_SetCalcCoo.h"
#include "app/gui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const char* const kSection = "Calc Coordinate Settings";

bool Checked(QWidget* dialog, const char* name)
{
    return Child<QAbstractButton>(dialog, name)->isChecked();
}

void LeaveBox(QWidget* box)
{
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &focusOut);
}

} // namespace

class TestF_SetCalcCoo : public QObject {
    Q_OBJECT

    OptionDialogFixture f;
    CalcOptions store;

    std::unique_ptr<F_SetCalcCoo> make()
    {
        return std::make_unique<F_SetCalcCoo>(f.model, f.state, store, f.ui);
    }
    QString existingFile()
    {
        const QString path = QString::fromStdString(f.state.AppPath + "control.txt");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("K1,100.0,200.0,10.0\r\n");
        return path;
    }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = CalcOptions();
    }

    void newFileShowsCorrectionsOn()
    {
        auto dialog = make();
        QCOMPARE(dialog->windowTitle(), QString("Coordinate file"));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "CheckControlFile")->text(), QString("Use Control File"));
        QVERIFY(Checked(dialog.get(), "OpCR0"));
        QVERIFY(Checked(dialog.get(), "OpRCon1"));
        QVERIFY(Checked(dialog.get(), "OpSL0"));
        QVERIFY(Child<QRadioButton>(dialog.get(), "OpRCon0")->isEnabled());
        QVERIFY(Child<QLineEdit>(dialog.get(), "TxScaleFactor")->isHidden());
        QCOMPARE(Child<QLineEdit>(dialog.get(), "TxScaleFactor")->text(), QString("1.00000"));
        QVERIFY(!Child<QLineEdit>(dialog.get(), "TxControlFile")->isEnabled());
        QVERIFY(!Child<QPushButton>(dialog.get(), "ComSelectFile")->isEnabled());
        QVERIFY(Child<QWidget>(dialog.get(), "Pic20")->isHidden());
        QCOMPARE(Child<QComboBox>(dialog.get(), "Comb4")->currentData().toInt(), 4);
    }

    void sectionWithoutCorrectionKeysShowsThemOff()
    {
        RemoveSection(f.state.IniPath, kSection);
        auto dialog = make();
        QVERIFY(Checked(dialog.get(), "OpCR1"));
        QVERIFY(Checked(dialog.get(), "OpRCon0"));
        QVERIFY(Checked(dialog.get(), "OpSL1"));
        QVERIFY(!Child<QRadioButton>(dialog.get(), "OpRCon0")->isEnabled());
        QCOMPARE(Child<QComboBox>(dialog.get(), "Comb3")->currentData().toInt(), 0);
    }

    void storedValuesAsShown_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Field5=8 ignored") << "Field5" << "8" << "Comb4" << "0";
        QTest::newRow("Field2=-1 ignored") << "Field2" << "-1" << "Comb1" << "0";
        QTest::newRow("Field3=2.5") << "Field3" << "2.5" << "Comb2" << "2";
        QTest::newRow("Field4=3.5") << "Field4" << "3.5" << "Comb3" << "4";
        QTest::newRow("factor 0") << "MapProjectionScaleFactor" << "0" << "TxScaleFactor" << "1.00000";
        QTest::newRow("factor 1,0002") << "MapProjectionScaleFactor" << "1,0002" << "TxScaleFactor" << "1.0002";
        QTest::newRow("factor out of range") << "MapProjectionScaleFactor" << "1.5" << "TxScaleFactor" << "1.00000";
        QTest::newRow("option index 2") << "SeaLevel" << "2" << "OpSL1" << "true";
        QTest::newRow("option index 0.4") << "CurvatureAndRefraction" << "0.4" << "OpCR0" << "true";
    }

    void storedValuesAsShown()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, control);
        QFETCH(QString, shown);
        f.setKey(kSection, key.toStdString(), value.toStdString());
        auto dialog = make();
        QWidget* widget = Child<QWidget>(dialog.get(), qPrintable(control));
        if (auto* list = qobject_cast<QComboBox*>(widget))
            QCOMPARE(QString::number(list->currentData().toInt()), shown);
        else if (auto* box = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(box->text(), shown);
        else
            QCOMPARE(qobject_cast<QAbstractButton*>(widget)->isChecked(), shown == "true");
    }

    void ticksEnableTheirControls()
    {
        auto dialog = make();
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setChecked(true);
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        Child<QRadioButton>(dialog.get(), "OpCR1")->setChecked(true);
        QVERIFY(!Child<QLineEdit>(dialog.get(), "TxScaleFactor")->isHidden());
        QVERIFY(Child<QLineEdit>(dialog.get(), "TxControlFile")->isEnabled());
        QVERIFY(Child<QPushButton>(dialog.get(), "ComSelectFile")->isEnabled());
        QVERIFY(!Child<QRadioButton>(dialog.get(), "OpRCon1")->isEnabled());
        QVERIFY(Checked(dialog.get(), "OpRCon1")); // the choice is kept while not offered
    }

    void scaleFactorIsCheckedOnLeavingTheBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("refused");
        QTest::newRow("comma") << "1,0003" << "1.0003" << false;
        QTest::newRow("empty") << "" << "1.00000" << false;
        QTest::newRow("upper bound") << "1.0004" << "1.0004" << false;
        QTest::newRow("lower bound") << "0.9996" << "0.9996" << false;
        QTest::newRow("trailing letters") << "1.0002ab" << "1.0002ab" << false;
        QTest::newRow("above") << "1.00041" << "1.00041" << true;
        QTest::newRow("below") << "0.99959" << "0.99959" << true;
        QTest::newRow("no number") << "abc" << "abc" << true;
    }

    void scaleFactorIsCheckedOnLeavingTheBox()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        auto dialog = make();
        auto* box = Child<QLineEdit>(dialog.get(), "TxScaleFactor");
        box->setText(typed);
        LeaveBox(box);
        QTEST(box->text(), "after");
        QCOMPARE(f.ui.messages.size(), size_t(refused ? 1 : 0));
        if (refused) {
            QCOMPARE(f.ui.messages[0].text, std::string("Scale factor must be between 0.999600 and 1.000400"));
            QCOMPARE(f.ui.messages[0].title, std::string("Warning!"));
            QCOMPARE(f.ui.messages[0].icon, MessageIcon::Critical);
        }
    }

    void okRefusesAScaleFactorOutOfRange()
    {
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setChecked(true);
        Child<QLineEdit>(dialog.get(), "TxScaleFactor")->setText("1.01");
        Child<QPushButton>(dialog.get(), "ComOK")->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QCOMPARE(f.ui.messages[0].title, std::string("Warning!"));
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(store.UseScaleFactor, int16_t(0));
    }

    void okSavesTheSectionAndTheCalculatorUsesWhatWasShown()
    {
        const std::string before = f.iniBytes();
        const QString controlFile = existingFile();
        auto dialog = make();
        Child<QComboBox>(dialog.get(), "Comb0")->setCurrentIndex(7);
        Child<QRadioButton>(dialog.get(), "Op1")->setChecked(true);
        Child<QRadioButton>(dialog.get(), "OpRCon0")->setChecked(true);
        Child<QRadioButton>(dialog.get(), "OpSL1")->setChecked(true);
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setChecked(true);
        Child<QLineEdit>(dialog.get(), "TxScaleFactor")->setText("0,9998");
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        Child<QLineEdit>(dialog.get(), "TxControlFile")->setText(" " + controlFile + " ");
        Child<QPushButton>(dialog.get(), "ComOK")->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));

        std::set<std::string> sections;
        for (const std::string& key : ChangedKeys(before, f.iniBytes()))
            sections.insert(key.substr(0, key.find('|')));
        QCOMPARE(sections, (std::set<std::string>{kSection}));
        QCOMPARE(GetProfileString(kSection, "MapProjectionScaleFactor", f.state.IniPath), std::string("0.9998"));
        // The hidden option goes back as it was ("On") and still switches nothing on.
        QCOMPARE(GetProfileString(kSection, "TemperatureAndPressure", f.state.IniPath), std::string("0"));

        // A calculation in a later run reads the file; this one reads the store.
        Profile saved;
        QVERIFY(saved.load(f.state.IniPath));
        CalcOptions reread;
        reread.load(saved);
        for (const CalcOptions* used : {&reread, &store}) {
            QCOMPARE(used->fields.field, (std::array<int, 5>{7, 1, 2, 3, 4}));
            QCOMPARE(used->fields.separatorText(), std::string(" "));
            QCOMPARE(used->CalcTemperatureAndPressure, int16_t(0));
            QCOMPARE(used->CalcCurvatureAndRefraction, int16_t(-1));
            QCOMPARE(used->RefractionConstant, 0.132f);
            QCOMPARE(used->CalcSeaLevel, int16_t(0));
            QCOMPARE(used->UseScaleFactor, int16_t(-1));
            QCOMPARE(used->MapProjectionScaleFactor, 0.9998);
            QCOMPARE(used->ControlFileName, controlFile.toStdString());
        }
        QCOMPARE(Child<QLineEdit>(dialog.get(), "TxScaleFactor")->text(), QString("0.9998"));
    }

    void untickedControlFileKeepsTheNameButUsesNone()
    {
        f.setKey(kSection, "CheckControlFile", "1");
        f.setKey(kSection, "ControlFileName", "old.txt");
        auto dialog = make();
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(false);
        Child<QPushButton>(dialog.get(), "ComOK")->click();
        QCOMPARE(GetProfileString(kSection, "CheckControlFile", f.state.IniPath), std::string("0"));
        QCOMPARE(GetProfileString(kSection, "ControlFileName", f.state.IniPath), std::string("old.txt"));
        QCOMPARE(store.ControlFileName, std::string());
    }

    void controlFileNameIsChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("asterisk") << "a*b.txt" << "Cannot create file!\r\nPlease specify other name." << "Error";
        QTest::newRow("question mark") << "a?.txt" << "Cannot create file!\r\nPlease specify other name." << "Error";
        QTest::newRow("missing file") << "missing.txt" << "File not found" << "Tavrelo";
    }

    void controlFileNameIsChecked()
    {
        QFETCH(QString, name);
        auto dialog = make();
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        auto* box = Child<QLineEdit>(dialog.get(), "TxControlFile");
        box->setText(QString::fromStdString(f.state.AppPath) + name);
        LeaveBox(box);
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QTEST(QString::fromStdString(f.ui.messages[0].text), "message");
        QTEST(QString::fromStdString(f.ui.messages[0].title), "title");
        QCOMPARE(f.ui.messages[0].icon, MessageIcon::Critical);
        QVERIFY(box->text().isEmpty());
    }

    void browsePutsACheckedNameIntoTheBox_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("existing file") << true << false;
        QTest::newRow("missing file") << false << false;
        QTest::newRow("cancelled") << false << true;
    }

    void browsePutsACheckedNameIntoTheBox()
    {
        QFETCH(bool, exists);
        QFETCH(bool, cancelled);
        const QString chosen = cancelled ? QString()
                               : exists  ? existingFile()
                                         : QString::fromStdString(f.state.AppPath + "none.txt");
        auto dialog = make();
        dialog->setFilePicker([&](QWidget*, const QString&) { return chosen; });
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        auto* box = Child<QLineEdit>(dialog.get(), "TxControlFile");
        box->setText("before.txt");
        Child<QPushButton>(dialog.get(), "ComSelectFile")->click();
        QCOMPARE(box->text(), cancelled ? QString("before.txt") : exists ? chosen : QString());
        QCOMPARE(f.ui.messages.size(), size_t(!exists && !cancelled ? 1 : 0));
    }

    void closingWithoutOkChangesNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("close box") << true;
        QTest::newRow("Escape") << false;
    }

    void closingWithoutOkChangesNothing()
    {
        QFETCH(bool, closeBox);
        const std::string before = f.iniBytes();
        const CalcOptions stored = store;
        auto dialog = make();
        dialog->show();
        Child<QRadioButton>(dialog.get(), "OpCR1")->setChecked(true);
        Child<QComboBox>(dialog.get(), "Comb1")->setCurrentIndex(5);
        if (closeBox)
            dialog->close();
        else
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
        QCOMPARE(store.CalcCurvatureAndRefraction, stored.CalcCurvatureAndRefraction);
        QCOMPARE(store.fields.field, stored.fields.field);
    }

    void setupModeShowsEverythingAndSavesTextsOnly()
    {
        f.state.SetupMode = true;
        f.state.TransferStatus = "ConvertToCalcCoord";
        const std::vector<std::string> options = f.sectionLines(kSection);
        const QString controlFile = existingFile();
        auto dialog = make();
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        Child<QLineEdit>(dialog.get(), "TxControlFile")->setText(" " + controlFile + " ");
        QVERIFY(!Child<QLineEdit>(dialog.get(), "TxScaleFactor")->isHidden());
        QVERIFY(Child<QLineEdit>(dialog.get(), "TxControlFile")->isEnabled());
        QVERIFY(Child<QPushButton>(dialog.get(), "ComSelectFile")->isEnabled());
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setText("Scale");
        Child<QRadioButton>(dialog.get(), "OpSL1")->setChecked(true);
        Child<QPushButton>(dialog.get(), "ComOK")->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.sectionLines(kSection), options);
        QCOMPARE(GetProfileString("SetCalcCoordForm_CheckScFactor", "Caption", f.state.IniPath), std::string("Scale"));
        QCOMPARE(store.CalcSeaLevel, int16_t(-1));
        // The control-point file on screen is used; the request word is left alone.
        QCOMPARE(store.ControlFileName, controlFile.toStdString());
        QCOMPARE(f.state.TransferStatus, std::string("ConvertToCalcCoord"));
    }

    void correctionRowsKeepTheirDesignPlaces_data()
    {
        QTest::addColumn<QString>("fontSize"); // of the dialog and every control's section
        QTest::newRow("settings file's font") << "";
        QTest::newRow("small font") << "6";
        QTest::newRow("large font") << "12";
    }

    // The rows at their design tops and lefts, moved together only as far as the
    // frame's title and the labels need, inside the frame, and the frame inside the
    // dialog above OK.
    void correctionRowsKeepTheirDesignPlaces()
    {
        QFETCH(QString, fontSize);
        if (!fontSize.isEmpty())
            for (const char* section : {"", "_Fr1", "_Fr2", "_Fr3", "_Fr4", "_LbCurRef", "_LbRefCon", "_LbSeaLevel",
                                        "_CheckScFactor", "_TxScaleFactor", "_CheckControlFile", "_ComOk"})
                f.setKey(std::string("SetCalcCoordForm") + section, "FontSize", fontSize.toStdString());
        QVERIFY(ReadIniFile(f.model, f.state, 1));
        auto dialog = make();
        dialog->show();
        QCoreApplication::processEvents();
        auto* frame = Child<QWidget>(dialog.get(), "Fr3");
        const double titleBottom = frame->contentsRect().top() * double(kTwipsPerPixel);
        const double first = TwipsTop(Child<QWidget>(dialog.get(), "Pic21"));
        QCOMPARE(first, std::max(200.0, titleBottom));
        const struct { const char* name; double top; } places[] = {
            {"Pic20", 200}, {"Pic22", 600}, {"Pic23", 1000}, {"CheckScFactor", 1400}, {"TxScaleFactor", 1400}};
        for (const auto& place : places)
            QCOMPARE(TwipsTop(Child<QWidget>(dialog.get(), place.name)) - first, place.top - 200);
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setChecked(true); // the box shown
        const QRect inside = frame->contentsRect();
        const auto inFrame = [frame](const QWidget* control) {
            return QRect(control->mapTo(frame, QPoint(0, 0)), control->size());
        };
        for (const char* name : {"CheckScFactor", "TxScaleFactor"})
            QVERIFY2(inside.contains(inFrame(Child<QWidget>(dialog.get(), name))), name);
        // In each row the label, then the two options, each as wide as its text needs.
        const char* const rows[][3] = {
            {"LbCurRef", "OpCR0", "OpCR1"}, {"LbRefCon", "OpRCon0", "OpRCon1"}, {"LbSeaLevel", "OpSL0", "OpSL1"}};
        for (const auto& row : rows) {
            int right = 0;
            for (const char* name : row) {
                const QWidget* control = Child<QWidget>(dialog.get(), name);
                QVERIFY2(inFrame(control).x() >= right, name);
                QVERIFY2(control->width() >= control->sizeHint().width(), name);
                QVERIFY2(inside.contains(inFrame(control)), name);
                right = inFrame(control).right() + 1;
            }
        }
        QVERIFY(Child<QWidget>(dialog.get(), "CheckScFactor")->geometry().right() <
                Child<QWidget>(dialog.get(), "TxScaleFactor")->x());
        auto* ok = Child<QPushButton>(dialog.get(), "ComOK");
        QVERIFY(ok->y() > frame->geometry().bottom());
        QVERIFY(dialog->rect().contains(frame->geometry()));
        QVERIFY(dialog->rect().contains(ok->geometry()));
        QCOMPARE(TwipsLeft(ok) * 2 + TwipsWidth(ok), WindowOuterWidth(dialog.get()));
    }

    void screenshot()
    {
        auto dialog = make();
        SaveScreenshot(dialog.get(), "F_SetCalcCoo");
        Child<QCheckBox>(dialog.get(), "CheckScFactor")->setChecked(true);
        Child<QCheckBox>(dialog.get(), "CheckControlFile")->setChecked(true);
        SaveScreenshot(dialog.get(), "F_SetCalcCoo_ticked");
    }
};

QTEST_MAIN(TestF_SetCalcCoo)
#include "tst_f_setcalccoo.moc"
