// The KOF settings dialog driven by its control names: load from a fresh settings
// file, project and date from the target, the project-length check, OK writing the
// section and the store, Cancel and the close box writing nothing, setup mode.
#include "OptionDialogTestSupport.h"

#include "conversion/KofOptions.h"
#include "dialogs/F_KOFStp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrelo;
using namespace tavrelo::test;

class TestFKofStp : public QObject {
    Q_OBJECT

private:
    OptionDialogFixture f;
    KofOptions store;
    KofJob job;

    std::unique_ptr<F_KOFStp> make()
    {
        return std::make_unique<F_KOFStp>(f.model, f.state, f.ui, store, job);
    }
    void leave(QWidget* widget)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &out);
    }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = KofOptions();
        job = KofJob();
        job.targetName = "  " + f.state.AppPath + "SITE12.KOF ";
        job.today = "09.12.24";
    }

    void freshFileShowsTextsProjectAndDate()
    {
        auto dialog = make();
        QCOMPARE(dialog->windowTitle(), QString("KOF format"));
        QVERIFY(dialog->font().bold());
        QCOMPARE(Child<QGroupBox>(dialog.get(), "Frame")->title(), QString("KOF header information"));
        QVERIFY(!Child<QGroupBox>(dialog.get(), "Frame")->font().bold());
        QCOMPARE(Child<QLabel>(dialog.get(), "Lb1")->text(), QString("Project:"));
        QCOMPARE(Child<QLabel>(dialog.get(), "Lb5")->text(), QString("Surveyor:"));
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx1")->text(), QString("SITE12"));
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx2")->text(), QString("09.12.24"));
        for (const char* name : {"Tx3", "Tx4", "Tx5"})
            QCOMPARE(Child<QLineEdit>(dialog.get(), name)->text(), QString());
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUPNC")->checkState(), Qt::Unchecked);
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUCC")->checkState(), Qt::Unchecked);
        QCOMPARE(Child<QPushButton>(dialog.get(), "ComOK")->text(), QString("&OK"));
        QVERIFY(store.KofpointFile.empty());
    }

    void projectFromTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("project");
        QTest::newRow("folder and extension") << "/jobs/SITE12.KOF" << "SITE12";
        QTest::newRow("last point only") << "/data/ROAD.7.RAW" << "ROAD.7";
        QTest::newRow("no folder") << "a.b.c" << "a.b";
        QTest::newRow("leading point kept") << ".kof" << ".kof";
        QTest::newRow("taken whole") << "name" << "name";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not cut at 12") << "/x/ABCDEFGHIJKLMNO.kof" << "ABCDEFGHIJKLMNO";
    }
    void projectFromTarget()
    {
        QFETCH(QString, target);
        QFETCH(QString, project);
        QCOMPARE(QString::fromStdString(F_KOFStp::ProjectFromTarget(target.toStdString())), project);
    }

    void fileSourceWithoutAFileKeepsTheProject()
    {
        job.OpSourse = 1;
        job.sourceCaption = "<filename>";
        auto dialog = make();
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx1")->text(), QString());
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx2")->text(), QString("09.12.24"));
    }

    void sectionValuesAreLoaded()
    {
        f.setKey("KOF Settings", "Road", "Main street 123");
        f.setKey("KOF Settings", "City", "Oslo");
        f.setKey("KOF Settings", "UsePointNumberConversion", "1.4");
        f.setKey("KOF Settings", "UseCodeConversion", "2");
        f.setKey("KOF Settings", "KofpointFile", "points.txt");
        auto dialog = make();
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx3")->text(), QString("Main street 123"));
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx4")->text(), QString("Oslo"));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUPNC")->checkState(), Qt::Checked);
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUCC")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(store.KofpointFile, f.state.AppPath + "points.txt");
    }

    void storedCheckOutsideItsRangeKeepsTheDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("3") << "3";
        QTest::newRow("-1") << "-1";
        QTest::newRow("too large to round") << "1E9";
    }
    void storedCheckOutsideItsRangeKeepsTheDefault()
    {
        QFETCH(QString, stored);
        f.setKey("KOF Settings", "UseCodeConversion", stored.toStdString());
        auto dialog = make();
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUCC")->checkState(), Qt::Unchecked);
    }

    void longProjectIsReportedAndCut()
    {
        auto dialog = make();
        QLineEdit* tx1 = Child<QLineEdit>(dialog.get(), "Tx1");
        tx1->setText("ABCDEFGHIJKLMNO");
        leave(tx1);
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QCOMPARE(f.ui.messages[0].text, std::string("Project: name too long, maximum 12 characters allowed!"));
        QCOMPARE(f.ui.messages[0].title, std::string("KOF converter"));
        QVERIFY(f.ui.messages[0].icon == MessageIcon::Critical);
        QVERIFY(f.ui.messages[0].buttons == MessageButtons::Ok);
        QCOMPARE(tx1->text(), QString("ABCDEFGHIJKL"));
        // The other texts have no limit.
        QLineEdit* tx3 = Child<QLineEdit>(dialog.get(), "Tx3");
        tx3->setText("ABCDEFGHIJKLMNO");
        leave(tx3);
        QCOMPARE(f.ui.messages.size(), size_t(1));
    }

    // Only leaving the box within the dialog ends the entry; another window becoming
    // active does not.
    void longProjectIsCheckedOnlyWhenTheFocusMovesWithinTheDialog_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("checked");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("mouse") << int(Qt::MouseFocusReason) << true;
        QTest::newRow("other window") << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("popup") << int(Qt::PopupFocusReason) << false;
    }
    void longProjectIsCheckedOnlyWhenTheFocusMovesWithinTheDialog()
    {
        QFETCH(int, reason);
        QFETCH(bool, checked);
        auto dialog = make();
        QLineEdit* tx1 = Child<QLineEdit>(dialog.get(), "Tx1");
        tx1->setText("ABCDEFGHIJKLMNO");
        QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(reason));
        QApplication::sendEvent(tx1, &out);
        QCOMPARE(f.ui.messages.size(), size_t(checked ? 1 : 0));
        QCOMPARE(tx1->text(), checked ? QString("ABCDEFGHIJKL") : QString("ABCDEFGHIJKLMNO"));
    }

    void okWithALongProjectStaysOpen()
    {
        auto dialog = make();
        dialog->show();
        Child<QLineEdit>(dialog.get(), "Tx1")->setText("ABCDEFGHIJKLMNO");
        const std::string before = f.iniBytes();
        QMetaObject::invokeMethod(Child<QPushButton>(dialog.get(), "ComOK"), "click"); // Enter: no focus change
        QVERIFY(dialog->isVisible());
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QCOMPARE(f.iniBytes(), before);
        Click(dialog.get(), "ComOK");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(store.Project, std::string("ABCDEFGHIJKL"));
    }

    void okWritesTheSectionAndTheStore()
    {
        f.setKey("KOF Settings", "KofpointFile", "points.txt");
        f.state.TransferStatus = "ConvertToKOF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        Child<QLineEdit>(dialog.get(), "Tx3")->setText("A road of 15 ch");
        Child<QLineEdit>(dialog.get(), "Tx4")->setText("Bergen");
        Child<QLineEdit>(dialog.get(), "Tx5")->setText("K. Nordmann");
        Click(dialog.get(), "ChkUPNC");
        Click(dialog.get(), "ComOK");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
        QVERIFY(f.sectionLines("KOF Settings") ==
                (std::vector<std::string>{"Road=A road of 15 ch", "City=Bergen", "Surveyor=K. Nordmann",
                                          "UsePointNumberConversion=1", "UseCodeConversion=0",
                                          "KofpointFile=points.txt"}));
        // Besides the section, OK saves the dialog's own control texts (in every mode).
        for (const std::string& section : OptionDialogFixture::changedSections(before, f.iniBytes()))
            QVERIFY2(section == "KOF Settings" || section.rfind("KOF_", 0) == 0 || section == "Frame",
                     section.c_str());
        QCOMPARE(store.Project, std::string("SITE12"));
        QCOMPARE(store.Date, std::string("09.12.24"));
        QCOMPARE(store.Road, std::string("A road of 15 ch"));
        QCOMPARE(store.Surveyor, std::string("K. Nordmann"));
        QCOMPARE(store.UsePointNumberConversion, 1);
        QCOMPARE(store.UseCodeConversion, 0);
        QCOMPARE(f.state.TransferStatus, std::string("ConvertToKOF"));
    }

    void okThenNewDialogShowsWhatWasSaved()
    {
        {
            auto dialog = make();
            dialog->show();
            Child<QLineEdit>(dialog.get(), "Tx4")->setText("Bergen");
            Click(dialog.get(), "ChkUCC");
            Click(dialog.get(), "ComOK");
        }
        auto again = make();
        QCOMPARE(Child<QLineEdit>(again.get(), "Tx4")->text(), QString("Bergen"));
        QCOMPARE(Child<QCheckBox>(again.get(), "ChkUCC")->checkState(), Qt::Checked);
        QCOMPARE(Child<QLabel>(again.get(), "Lb1")->text(), QString("Project:"));
    }

    void cancelAndCloseBoxWriteNothing_data() { AddWaysToLeaveWithoutOk(); }
    void cancelAndCloseBoxWriteNothing()
    {
        QFETCH(int, way);
        f.state.TransferStatus = "ConvertToKOF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        Child<QLineEdit>(dialog.get(), "Tx3")->setText("changed");
        LeaveWithoutOk(dialog.get(), way);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
        QVERIFY(store.Road.empty());
    }

    void setupModeOkSavesTextsAndStartsNothing()
    {
        f.state.SetupMode = true;
        f.state.TransferStatus = "ConvertToKOF";
        auto dialog = make();
        QCOMPARE(Child<QLineEdit>(dialog.get(), "Tx1")->text(), QString()); // setup mode stops before the job
        QSignalSpy edits(dialog->texts(), &DialogTexts::editRequested);
        QTest::mouseClick(Child<QLabel>(dialog.get(), "Lb2"), Qt::RightButton);
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits[0][0].value<QWidget*>(), Child<QWidget>(dialog.get(), "Lb2"));
        QTest::mouseClick(Child<QLineEdit>(dialog.get(), "Tx2"), Qt::RightButton);
        QCOMPARE(edits.count(), 2);
        QVERIFY(edits[1][1].value<EditKind>() == EditKind::NoCaption);
        dialog->show();
        Child<QLabel>(dialog.get(), "Lb2")->setText("Dato:");
        Click(dialog.get(), "ComOK");
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.state.TransferStatus, std::string("ConvertToKOF"));
        QCOMPARE(GetProfileString("KOF_Lb2", "Caption", f.state.IniPath), std::string("Dato:"));
    }

    void rightClickOutsideSetupModeAsksForNothing()
    {
        auto dialog = make();
        QSignalSpy edits(dialog->texts(), &DialogTexts::editRequested);
        QTest::mouseClick(Child<QLabel>(dialog.get(), "Lb2"), Qt::RightButton);
        QCOMPARE(edits.count(), 0);
    }

    void controlSectionsAreApplied()
    {
        f.setKey("KOF_Lb1", "Caption", "Prosjekt:");
        f.setKey("KOF_Form", "Caption", "KOF-format");
        f.setKey("KOF_ChkUCC", "ToolTipText", "Split codes");
        auto dialog = make();
        QCOMPARE(dialog->windowTitle(), QString("KOF-format"));
        QCOMPARE(Child<QLabel>(dialog.get(), "Lb1")->text(), QString("Prosjekt:"));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "ChkUCC")->toolTip(), QString("Split codes"));
        f.ui.clear();
        QLineEdit* tx1 = Child<QLineEdit>(dialog.get(), "Tx1");
        tx1->setText("ABCDEFGHIJKLMNO");
        leave(tx1);
        QCOMPARE(f.ui.messages.at(0).text, std::string("Prosjekt: name too long, maximum 12 characters allowed!"));
    }

    void labelsLineUpWithTheirBoxes()
    {
        auto dialog = make();
        dialog->show();
        for (int i = 1; i <= 5; ++i) {
            QLabel* lb = dialog->Lb(i);
            QLineEdit* tx = dialog->Tx(i);
            QVERIFY(lb->geometry().right() < tx->geometry().left());
            QCOMPARE(lb->geometry().bottom(), tx->geometry().bottom());
        }
    }
    // Under Xvfb with TAVRELO_SCREENSHOTS set to a folder: a picture of the dialog.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("TAVRELO_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("TAVRELO_SCREENSHOTS is not set");
        auto dialog = make();
        QVERIFY(ShowAndSavePicture(dialog.get(), folder, "F_KOFStp"));
    }
};

QTEST_MAIN(TestFKofStp)
#include "tst_f_kofstp.moc"
