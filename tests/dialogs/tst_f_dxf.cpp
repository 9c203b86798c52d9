// The DXF settings dialog driven by its control names: load from a fresh settings
// file, the row switches, the colour palette and what the colour buttons show, the
// text-size check on OK, OK writing exactly the fourteen keys, Cancel and the close
// box writing nothing, setup mode.
#include "OptionDialogTestSupport.h"

#include "dialogs/DxfPalette.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {
const char* const kSection = "DXF Settings";
const char* const kKeys[] = {"Dxf_Point_Layer", "Dxf_PointName_Layer", "Dxf_Elevation_Layer", "Dxf_Code_Layer",
                             "Dxf_PointName_TS", "Dxf_Elevation_TS", "Dxf_Code_TS", "Dxf_Check_PointName",
                             "Dxf_Check_Elevation", "Dxf_Check_Code", "Dxf_Option3D", "Dxf_ColorPointName",
                             "Dxf_ColorElevation", "Dxf_ColorCode"};
} // namespace

class TestFDxf : public QObject {
    Q_OBJECT

private:
    OptionDialogFixture f;
    DxfOptions store;

    std::unique_ptr<F_Dxf> make() { return std::make_unique<F_Dxf>(f.model, f.state, f.ui, store); }
    QColor shown(QWidget& dialog, const char* name) { return Child(&dialog, name)->property("BackColor").value<QColor>(); }
    std::string stored(const char* key) { return GetProfileString(kSection, key, f.state.IniPath); }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        store = DxfOptions();
    }

    void freshFileGivesTheDesignValues()
    {
        auto dialog = make();
        QCOMPARE(dialog->windowTitle(), QString("DXF format settings"));
        QCOMPARE(Child<QLineEdit>(dialog.get(), "TxPL")->text(), QString("PT"));
        QCOMPARE(Child<QLabel>(dialog.get(), "LbPL")->text(), QString("Point layer name:"));
        const char* layers[] = {"PN", "EL", "CD"};
        for (int row = 0; row < 3; ++row) {
            QVERIFY(dialog->Check(row)->isChecked());
            QVERIFY(dialog->ComSelColor(row)->isEnabled());
            QCOMPARE(dialog->TxLN(row)->text(), QString(layers[row]));
            QCOMPARE(dialog->TxTS(row)->text(), QString("1"));
            QCOMPARE(dialog->Tag(row), std::string("0"));
            QCOMPARE(dialog->ComSelColor(row)->property("BackColor").value<QColor>(), QColor(255, 0, 0));
            QCOMPARE(dialog->ComSelColor(row)->toolTip(), QString("Select Color"));
        }
        QVERIFY(Child<QRadioButton>(dialog.get(), "Option3D0")->isChecked());
        QCOMPARE(Child<QCheckBox>(dialog.get(), "Check1")->text(), QString("Write Elevation next to point"));
        QVERIFY(!dialog->PicCol()->isVisible());
    }

    void emptySectionLeavesTheDesignValues()
    {
        for (const char* key : kKeys)
            f.setKey(kSection, key, "");
        auto dialog = make();
        QCOMPARE(dialog->TxPL()->text(), QString("PT"));
        QCOMPARE(dialog->TxLN(2)->text(), QString("CD"));
        QVERIFY(dialog->Check(1)->isChecked());
        QVERIFY(dialog->Option3D(0)->isChecked());
        QCOMPARE(dialog->Tag(2), std::string("0"));
    }

    void storedTickIsRounded_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("0.4") << "0.4" << false;
        QTest::newRow("0.6") << "0.6" << true;
        QTest::newRow("not a number") << "x" << false;
    }
    void storedTickIsRounded()
    {
        QFETCH(QString, value);
        QFETCH(bool, ticked);
        f.setKey(kSection, "Dxf_Check_Elevation", value.toStdString());
        auto dialog = make();
        QCOMPARE(dialog->Check(1)->isChecked(), ticked);
        for (const char* name : {"LbLN1", "TxLN1", "TxTS1", "LbTS1", "UpDown1", "LbColr1", "ComSelColor1"})
            QCOMPARE(Child(dialog.get(), name)->isEnabled(), ticked);
        QVERIFY(dialog->Check(0)->isChecked());
        QVERIFY(dialog->TxPL()->isEnabled());
    }

    void rowSwitchFollowsTheBox()
    {
        auto dialog = make();
        dialog->show();
        Click(dialog.get(), "Check2");
        QVERIFY(!dialog->TxLN(2)->isEnabled());
        QVERIFY(!dialog->UpDownOf(2)->isEnabled());
        QVERIFY(dialog->Option3D(1)->isEnabled());
        Click(dialog.get(), "Check2");
        QVERIFY(dialog->ComSelColor(2)->isEnabled());
    }

    void option3DValueTwoSelects2DAndOkWritesOne()
    {
        f.setKey(kSection, "Dxf_Option3D", "2");
        auto dialog = make();
        dialog->show();
        QVERIFY(dialog->Option3D(1)->isChecked());
        Click(dialog.get(), "ComOK");
        QCOMPARE(stored("Dxf_Option3D"), std::string("1"));
    }

    void colourOutsideThePaletteShowsTheColourWritten()
    {
        f.setKey(kSection, "Dxf_ColorCode", "9");
        f.setKey(kSection, "Dxf_ColorPointName", "2.6"); // written as 4: cyan
        auto dialog = make();
        dialog->show();
        QCOMPARE(dialog->Tag(2), std::string("9"));
        QCOMPARE(shown(*dialog, "ComSelColor2"), QColor(255, 255, 255)); // colour 7
        QCOMPARE(shown(*dialog, "ComSelColor0"), QColor(0, 255, 255));
        Click(dialog.get(), "ComOK");
        QCOMPARE(stored("Dxf_ColorCode"), std::string("9"));
        QCOMPARE(store.labelColour(2), 7);
        QCOMPARE(store.labelColour(0), 4);
    }

    void pickingAColourShowsItAndOkWritesTheTag()
    {
        auto dialog = make();
        dialog->show();
        Click(dialog.get(), "ComSelColor1");
        QVERIFY(dialog->PicCol()->isVisible());
        QCOMPARE(dialog->PicCol()->geometry().top(), dialog->ComSelColor(1)->geometry().bottom() + 1);
        Click(dialog.get(), "ComCol3");
        QVERIFY(!dialog->PicCol()->isVisible());
        QCOMPARE(shown(*dialog, "ComSelColor1"), QColor(0, 255, 255));
        QCOMPARE(dialog->Tag(1), std::string(" 3"));
        Click(dialog.get(), "ComOK");
        QVERIFY(f.iniBytes().find("\r\nDxf_ColorElevation= 3\r\n") != std::string::npos);
        QCOMPARE(store.labelColour(1), 4);
    }

    void paletteFocusStartsAtTheRowColourAndTabCycles()
    {
        f.setKey(kSection, "Dxf_ColorCode", "5");
        auto dialog = make();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        Click(dialog.get(), "ComSelColor2");
        QTRY_COMPARE(QApplication::focusWidget(), Child(dialog.get(), "ComCol5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), Child(dialog.get(), "ComCol7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), Child(dialog.get(), "ComCol0"));
        QVERIFY(dialog->PicCol()->isVisible());
    }

    // The palette opens with the focus on the colour the Tag names; a Tag that names
    // no colour leaves the focus where it was.
    void paletteFocusFollowsTheTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("focus");
        QTest::newRow("5") << "5" << "ComCol5";
        QTest::newRow("picked 3") << " 3" << "ComCol3";
        QTest::newRow("6.5 rounds to even") << "6.5" << "ComCol6";
        QTest::newRow("9") << "9" << "TxPL";
        QTest::newRow("-1") << "-1" << "TxPL";
        QTest::newRow("too large to round") << "99999999" << "TxPL";
    }
    void paletteFocusFollowsTheTag()
    {
        QFETCH(QString, tag);
        QFETCH(QString, focus);
        f.setKey(kSection, "Dxf_ColorCode", tag.toStdString());
        auto dialog = make();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        dialog->TxPL()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->TxPL()));
        dialog->ComSelColor(2)->click(); // a click from code: the focus stays where it is
        QVERIFY(dialog->PicCol()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), Child(dialog.get(), focus.toLatin1().constData()));
    }

    void backgroundPressClosesThePaletteTypingDoesNot()
    {
        auto dialog = make();
        dialog->show();
        Click(dialog.get(), "ComSelColor0");
        QTest::keyClicks(dialog->TxPL(), "X");
        QVERIFY(dialog->PicCol()->isVisible());
        QTest::mouseClick(Child(dialog.get(), "LbPL"), Qt::LeftButton);
        QVERIFY(dialog->PicCol()->isVisible());
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!dialog->PicCol()->isVisible());
        QCOMPARE(dialog->Tag(0), std::string("0"));
        Click(dialog.get(), "ComSelColor0");
        QTest::mouseClick(Child(dialog.get(), "LbTS1"), Qt::LeftButton);
        QVERIFY(!dialog->PicCol()->isVisible());
    }

    void upDownStepsTheTextSize()
    {
        auto dialog = make();
        dialog->show();
        auto* up = dialog->UpDownOf(0)->findChild<QToolButton*>("Up");
        auto* down = dialog->UpDownOf(0)->findChild<QToolButton*>("Down");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(dialog->TxTS(0)->text(), QString("2"));
        dialog->TxTS(0)->setText("100");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(dialog->TxTS(0)->text(), QString("100"));
        dialog->TxTS(0)->setText("1");
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(dialog->TxTS(0)->text(), QString("1"));
    }

    void textSizeThatIsNotANumberAboveZeroIsRefused_data()
    {
        QTest::addColumn<QString>("size");
        QTest::newRow("letters") << "abc";
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-2";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing text") << "2x";
        QTest::newRow("decimal comma") << "2,5";
    }
    void textSizeThatIsNotANumberAboveZeroIsRefused()
    {
        QFETCH(QString, size);
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        dialog->TxTS(1)->setText(size);
        Click(dialog.get(), "ComOK");
        QVERIFY(dialog->isVisible());
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(f.ui.messages.size(), size_t(1));
        QCOMPARE(f.ui.messages[0].text,
                 std::string("The text size for \"Write Elevation next to point\" must be a number above 0, such as 1 or 2.5."));
        QVERIFY(f.ui.messages[0].icon == MessageIcon::Exclamation);
        // A switched-off row is not written, so its text does not matter.
        Click(dialog.get(), "Check1");
        Click(dialog.get(), "ComOK");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void usableTextSizes()
    {
        for (const char* text : {"1", "2.5", " 0.25 ", "+3", "1e1", ".5"})
            QVERIFY2(F_Dxf::IsUsableTextSize(text), text);
        for (const char* text : {"inf", "nan", "1e999", "&H10", "- 1"})
            QVERIFY2(!F_Dxf::IsUsableTextSize(text), text);
    }

    void okWritesExactlyTheFourteenKeysAndTheStore()
    {
        f.state.TransferStatus = "CoorToDXF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        dialog->TxPL()->setText("POINTS");
        dialog->TxLN(0)->setText("NAMES");
        dialog->TxTS(2)->setText("2.5");
        Click(dialog.get(), "Check1");
        Click(dialog.get(), "Option3D1");
        Click(dialog.get(), "ComSelColor2");
        Click(dialog.get(), "ComCol6");
        Click(dialog.get(), "ComOK");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(f.sectionLines(kSection) ==
                (std::vector<std::string>{"Dxf_Point_Layer=POINTS", "Dxf_Check_PointName=1", "Dxf_Check_Elevation=0",
                                          "Dxf_Check_Code=1", "Dxf_PointName_Layer=NAMES", "Dxf_Elevation_Layer=EL",
                                          "Dxf_Code_Layer=CD", "Dxf_PointName_TS=1", "Dxf_Elevation_TS=1",
                                          "Dxf_Code_TS=2.5", "Dxf_Option3D=1", "Dxf_ColorPointName=0",
                                          "Dxf_ColorElevation=0", "Dxf_ColorCode= 6"}));
        QVERIFY(OptionDialogFixture::changedSections(before, f.iniBytes()) == std::vector<std::string>{kSection});
        QCOMPARE(store.pointLayer, std::string("POINTS"));
        QVERIFY(!store.labels[1].enabled);
        QVERIFY(!store.output3D);
        QCOMPARE(store.labelHeight(2), 2.5);
        QCOMPARE(store.labelColour(2), 7);
        QCOMPARE(f.state.TransferStatus, std::string("CoorToDXF"));
    }

    void cancelAndCloseBoxWriteNothing_data() { AddWaysToLeaveWithoutOk(); }
    void cancelAndCloseBoxWriteNothing()
    {
        QFETCH(int, way);
        f.state.TransferStatus = "CoorToDXF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        dialog->show();
        dialog->TxPL()->setText("CHANGED");
        Click(dialog.get(), "ComSelColor0");
        LeaveWithoutOk(dialog.get(), way);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->PicCol()->isVisible());
        QCOMPARE(f.iniBytes(), before);
        QCOMPARE(f.state.TransferStatus, std::string("Cancel"));
        QCOMPARE(store.pointLayer, std::string("PT"));
    }

    void setupModeOkSavesTheTextsOnly()
    {
        f.state.SetupMode = true;
        f.state.TransferStatus = "CoorToDXF";
        const std::string before = f.iniBytes();
        auto dialog = make();
        QSignalSpy edits(dialog->texts(), &DialogTexts::editRequested);
        QTest::mouseClick(Child(dialog.get(), "ComSelColor1"), Qt::RightButton);
        QCOMPARE(edits.count(), 1);
        dialog->show();
        Click(dialog.get(), "ComSelColor1"); // opens no palette in setup mode
        QVERIFY(!dialog->PicCol()->isVisible());
        dialog->TxPL()->setText("CHANGED");
        Child<QLabel>(dialog.get(), "LbPL")->setText("Punktlag:");
        Click(dialog.get(), "ComOK");
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(stored("Dxf_Point_Layer"), std::string("PT"));
        QCOMPARE(GetProfileString("DxfFormSetting_LbPL", "Caption", f.state.IniPath), std::string("Punktlag:"));
        for (const std::string& section : OptionDialogFixture::changedSections(before, f.iniBytes()))
            QVERIFY2(section.rfind("DxfFormSetting", 0) == 0, section.c_str());
        QCOMPARE(f.state.TransferStatus, std::string("CoorToDXF"));
    }

    void controlSectionsAreApplied()
    {
        f.setKey("DxfFormSetting_Check2", "Caption", "Kode");
        f.setKey("DxfFormSetting_ComSelColor0", "ToolTipText", "Farge");
        auto dialog = make();
        QCOMPARE(dialog->Check(2)->text(), QString("Kode"));
        QCOMPARE(dialog->ComSelColor(0)->toolTip(), QString("Farge"));
    }

    void labelsSitLeftOfTheirControlsAndButtonsAtTheBottom()
    {
        auto dialog = make();
        dialog->show();
        for (int row = 0; row < 3; ++row) {
            QVERIFY(Child(dialog.get(), QString("LbLN%1").arg(row).toLatin1())->geometry().right() < dialog->TxLN(row)->x());
            QVERIFY(Child(dialog.get(), QString("LbTS%1").arg(row).toLatin1())->geometry().right() < dialog->TxTS(row)->x());
            QVERIFY(Child(dialog.get(), QString("LbColr%1").arg(row).toLatin1())->geometry().right() < dialog->ComSelColor(row)->x());
        }
        QWidget* ok = Child(dialog.get(), "ComOK");
        QWidget* cancel = Child(dialog.get(), "ComCancel");
        QCOMPARE(ok->y(), cancel->y());
        QVERIFY(ok->geometry().bottom() < dialog->height());
        QVERIFY(cancel->geometry().right() < dialog->width());
        QVERIFY(dialog->Option3D(0)->geometry().bottom() < ok->y());
        // "Output 3D" stands apart from the code row as the rows stand apart.
        const int rowGap = dialog->Check(1)->y() - dialog->TxLN(0)->geometry().bottom();
        QVERIFY(dialog->Option3D(0)->y() - dialog->TxLN(2)->geometry().bottom() >= rowGap);
    }
    // Under Xvfb with TAVRELO_SCREENSHOTS set to a folder: a picture of the dialog.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("TAVRELO_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("TAVRELO_SCREENSHOTS is not set");
        auto dialog = make();
        f.setKey(kSection, "Dxf_ColorElevation", "3");
        dialog = make();
        dialog->Check(2)->setChecked(false);
        QVERIFY(ShowAndSavePicture(dialog.get(), folder, "F_Dxf"));
    }
};

QTEST_MAIN(TestFDxf)
#include "tst_f_dxf.moc"
