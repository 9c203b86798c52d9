// The SDR-33 settings dialog driven by its control names: load from a fresh settings
// file, the refraction-constant rule, stored indexes rounded and range-checked, OK
// writing exactly the eight keys, Cancel and the close box writing nothing.
#include "OptionDialogTestSupport.h"

#include "dialogs/F_Sdr.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tavrelo;
using namespace tavrelo::test;

class TestFSdr : public QObject {
    Q_OBJECT

private:
    OptionDialogFixture f;
    SdrOptions store;

    QRadioButton* option(F_Sdr& dialog, const char* name) { return Child<QRadioButton>(&dialog, name); }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = SdrOptions();
    }

    void freshFileGivesTheDefaults()
    {
        F_Sdr dialog(f.model, f.state, f.ui, store);
        QCOMPARE(dialog.windowTitle(), QString("SDR conversion settings"));
        QVERIFY(option(dialog, "OpAng1")->isChecked());
        QVERIFY(option(dialog, "OpDis0")->isChecked());
        QVERIFY(option(dialog, "OpPres0")->isChecked());
        QVERIFY(option(dialog, "OpTemp0")->isChecked());
        QVERIFY(option(dialog, "OpTP0")->isChecked());
        QVERIFY(option(dialog, "OpCR1")->isChecked());
        QVERIFY(option(dialog, "OpRCon0")->isChecked());
        QVERIFY(option(dialog, "OpSL0")->isChecked());
        QVERIFY(!option(dialog, "OpRCon0")->isEnabled());
        QVERIFY(!option(dialog, "OpRCon1")->isEnabled());
    }

    void emptySectionKeepsTheDesignSelection()
    {
        for (const char* key : {"AngleUnits", "DistanceUnits", "CurvatureAndRefraction"})
            f.setKey("SDR33 Settings", key, "");
        F_Sdr dialog(f.model, f.state, f.ui, store);
        QVERIFY(option(dialog, "OpAng1")->isChecked());
        QVERIFY(option(dialog, "OpCR1")->isChecked());
    }

    void curvatureOnEnablesTheRefractionConstantAndOffKeepsItsChoice()
    {
        f.setKey("SDR33 Settings", "CurvatureAndRefraction", "0");
        f.setKey("SDR33 Settings", "RefractionConstant", "1");
        F_Sdr dialog(f.model, f.state, f.ui, store);
        dialog.show();
        QVERIFY(option(dialog, "OpCR0")->isChecked());
        QVERIFY(option(dialog, "OpRCon0")->isEnabled());
        QVERIFY(option(dialog, "OpRCon1")->isChecked());
        Click(&dialog, "OpCR1");
        QVERIFY(!option(dialog, "OpRCon0")->isEnabled());
        QVERIFY(!option(dialog, "OpRCon1")->isEnabled());
        QVERIFY(option(dialog, "OpRCon1")->isChecked());
        Click(&dialog, "ComOK");
        QVERIFY(f.sectionLines("SDR33 Settings") ==
                (std::vector<std::string>{"AngleUnits=1", "DistanceUnits=0", "PressureUnits=0", "TemperatureUnits=0",
                                          "TemperatureAndPressure=0", "CurvatureAndRefraction=1",
                                          "RefractionConstant=1", "SeaLevel=0"}));
    }

    void storedIndexIsRoundedThenRangeChecked_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");
        QTest::newRow("2.4 rounds to Mil") << "2.4" << "OpAng2";
        QTest::newRow("0.5 rounds to even") << "0.5" << "OpAng0";
        QTest::newRow("not a number is 0") << "abc" << "OpAng0";
        QTest::newRow("3 has no button") << "3" << "OpAng1";
        QTest::newRow("-1 has no button") << "-1" << "OpAng1";
        QTest::newRow("far out of range") << "1E10" << "OpAng1";
    }
    void storedIndexIsRoundedThenRangeChecked()
    {
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        f.setKey("SDR33 Settings", "AngleUnits", stored.toStdString());
        F_Sdr dialog(f.model, f.state, f.ui, store);
        QVERIFY(option(dialog, selected.toLatin1().constData())->isChecked());
    }

    void okWritesExactlyTheEightKeysAndTheStore()
    {
        const std::string before = f.iniBytes();
        F_Sdr dialog(f.model, f.state, f.ui, store);
        dialog.show();
        Click(&dialog, "OpAng2");
        Click(&dialog, "OpDis2");
        Click(&dialog, "OpPres1");
        Click(&dialog, "OpTemp1");
        Click(&dialog, "OpTP1");
        Click(&dialog, "OpSL1");
        Click(&dialog, "ComOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(f.sectionLines("SDR33 Settings") ==
                (std::vector<std::string>{"AngleUnits=2", "DistanceUnits=2", "PressureUnits=1", "TemperatureUnits=1",
                                          "TemperatureAndPressure=1", "CurvatureAndRefraction=1",
                                          "RefractionConstant=0", "SeaLevel=1"}));
        QVERIFY(OptionDialogFixture::changedSections(before, f.iniBytes()) ==
                std::vector<std::string>{"SDR33 Settings"});
        QCOMPARE(store.angleUnits, 2);
        QCOMPARE(store.pressureUnits, 1);
        QCOMPARE(store.seaLevel, 1);
        QVERIFY(f.state.TransferStatus.empty());
    }

    void cancelAndCloseBoxWriteNothing_data() { AddWaysToLeaveWithoutOk(); }
    void cancelAndCloseBoxWriteNothing()
    {
        QFETCH(int, way);
        const std::string before = f.iniBytes();
        F_Sdr dialog(f.model, f.state, f.ui, store);
        dialog.show();
        Click(&dialog, "OpAng0");
        LeaveWithoutOk(&dialog, way);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(store.angleUnits, 1);
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
    }

    void createIniModeReadsNothing()
    {
        f.setKey("SDR33 Settings", "AngleUnits", "2");
        f.state.CreateIniMode = true;
        F_Sdr dialog(f.model, f.state, f.ui, store);
        QVERIFY(option(dialog, "OpAng1")->isChecked());
    }
    // Under Xvfb with TAVRELO_SCREENSHOTS set to a folder: a picture of the dialog.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("TAVRELO_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("TAVRELO_SCREENSHOTS is not set");
        auto dialog = std::make_unique<F_Sdr>(f.model, f.state, f.ui, store);
        QVERIFY(ShowAndSavePicture(dialog.get(), folder, "F_Sdr"));
    }
};

QTEST_MAIN(TestFSdr)
#include "tst_f_sdr.moc"
