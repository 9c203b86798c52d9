// The setup-mode text editor over a small window of its own: what it shows for each
// kind of member, what OK and Cancel do, the font dialog, and the mended faults.
#include "app/gui/F_stp.h"
#include "app/gui/SetupEditing.h"
#include "platform/UserInteraction.h"
#include "support/EditorDriver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

// A window with a label, a frame and a text box reached through a frame laid over it.
struct Window {
    explicit Window(RecordingInteraction& ui, bool setupMode = true)
    {
        widget = std::make_unique<QWidget>();
        widget->setWindowTitle("Sample");
        widget->resize(400, 300);
        label = new QLabel("&Port:", widget.get());
        label->setGeometry(10, 10, 100, 20);
        label->setToolTip("Serial port");
        QFont font = label->font();
        font.setFamily("MS Sans Serif");
        font.setPointSizeF(8.25);
        label->setFont(font);
        frame = new QGroupBox("Source:", widget.get());
        frame->setGeometry(10, 40, 200, 100);
        box = new QLineEdit(widget.get());
        box->setGeometry(10, 160, 150, 22);
        box->setText("job.kof");
        overlay = new QFrame(widget.get());
        overlay->setGeometry(box->geometry());
        members = new RightClickMembers(widget.get(), setupMode, ui);
        members->add(label, EditKind::Caption);
        members->add(frame, EditKind::Caption);
        members->add(overlay, EditKind::NoCaption, box);
        members->add(widget.get(), EditKind::Window);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    }

    std::unique_ptr<QWidget> widget;
    QLabel* label;
    QGroupBox* frame;
    QLineEdit* box;
    QFrame* overlay;
    RightClickMembers* members;
};

void SetBox(const char* name, const QString& text)
{
    EditorBox(name)->setText(text);
}

} // namespace

class F_stpTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui.clear();
        F_stp::instance().setFontChooser({});
    }

    void eachKindShowsWhatItMayEdit()
    {
        Window w(ui);
        const EditorSeen label = PressAndEdit(w.label);
        QVERIFY(label.opened);
        QCOMPARE(label.owner, w.widget.get());
        QCOMPARE(label.control, w.label);
        QCOMPARE(label.caption, QString("&Port:"));
        QVERIFY(label.captionEnabled && label.toolTipEnabled && label.fontEnabled);
        QCOMPARE(label.toolTip, QString("Serial port"));
        QCOMPARE(label.fontName, QString("MS Sans Serif"));
        QCOMPARE(label.fontSize, QString("8.25"));

        const EditorSeen box = PressAndEdit(w.overlay, {}, Leave::Cancel, Qt::MiddleButton);
        QVERIFY(box.opened);
        QCOMPARE(box.control, w.box);
        QVERIFY(box.kind == EditKind::NoCaption);
        QVERIFY(!box.captionEnabled);
        QCOMPARE(box.caption, QString());

        QFont ten = w.widget->font();
        ten.setPointSizeF(10);
        w.widget->setFont(ten);
        const EditorSeen window = PressAndEdit(w.widget.get(), {}, Leave::Cancel, Qt::RightButton, QPoint(300, 250));
        QVERIFY(window.opened);
        QCOMPARE(window.caption, QString("Sample"));
        QVERIFY(window.captionEnabled);
        QVERIFY(!window.toolTipEnabled && !window.fontEnabled);
        QCOMPARE(window.toolTip, QString());
        QCOMPARE(window.fontSize, QString("10.00"));
    }

    void rightClickOnlyInSetupModeAndNeverWithTheLeftButton()
    {
        {
            Window w(ui);
            QVERIFY(!PressAndEdit(w.label, {}, Leave::Cancel, Qt::LeftButton).opened);
        }
        Window off(ui, false);
        QVERIFY(!PressAndEdit(off.label).opened);
        QVERIFY(!PressAndEdit(off.overlay).opened);
        QVERIFY(!PressAndEdit(off.widget.get(), {}, Leave::Cancel, Qt::RightButton, QPoint(300, 250)).opened);
    }

    void okAppliesEveryBoxAndCancelNone()
    {
        Window w(ui);
        const auto fill = [] {
            SetBox("TxCaption", "&Com port:");
            SetBox("TxToolTips", "The cable's port");
            SetBox("TxFontName", "Arial");
            SetBox("TxFontSize", "12");
            EditorCheck("CheckFontBold")->setChecked(true);
            EditorCheck("CheckFontItalic")->setChecked(true);
        };
        PressAndEdit(w.label, fill, Leave::Cancel);
        QCOMPARE(w.label->text(), QString("&Port:"));
        QCOMPARE(w.label->font().pointSizeF(), 8.25);

        PressAndEdit(w.label, fill, Leave::Ok);
        QCOMPARE(w.label->text(), QString("&Com port:"));
        QCOMPARE(w.label->toolTip(), QString("The cable's port"));
        QCOMPARE(w.label->font().family(), QString("Arial"));
        QCOMPARE(w.label->font().pointSizeF(), 12.0);
        QVERIFY(w.label->font().bold() && w.label->font().italic());
        QVERIFY(ui.messages.empty());

        // The next right click fills every box afresh.
        const EditorSeen again = PressAndEdit(w.frame, [] { SetBox("TxCaption", "Data source"); });
        QCOMPARE(again.caption, QString("Source:"));
        QVERIFY(!again.bold);
        QCOMPARE(w.frame->title(), QString("Source:"));
    }

    void aTextBoxKeepsItsTextAndAWindowOnlyTakesItsTitle()
    {
        Window w(ui);
        PressAndEdit(w.overlay, [] {
            SetBox("TxToolTips", "Target file");
            SetBox("TxFontSize", "9.75");
        }, Leave::Ok);
        QCOMPARE(w.box->text(), QString("job.kof"));
        QCOMPARE(w.box->toolTip(), QString("Target file"));
        QCOMPARE(w.box->font().pointSizeF(), 9.75);

        const QFont before = w.widget->font();
        PressAndEdit(w.widget.get(), [] { SetBox("TxCaption", "Example"); }, Leave::Ok, Qt::RightButton,
                     QPoint(300, 250));
        QCOMPARE(w.widget->windowTitle(), QString("Example"));
        QCOMPARE(w.widget->font(), before);
        QVERIFY(!w.widget->testAttribute(Qt::WA_SetFont));
    }

    void theSizeBoxIsReadWithAPointOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("applied");
        QTest::newRow("decimals") << "8.25" << 8.25;
        QTest::newRow("comma ends the number") << "8,25" << 8.0;
        QTest::newRow("letters after the number") << "12pt" << 12.0;
        QTest::newRow("blanks around") << " 14 " << 14.0;
    }

    void theSizeBoxIsReadWithAPointOnly()
    {
        QFETCH(QString, typed);
        QFETCH(double, applied);
        Window w(ui);
        PressAndEdit(w.label, [typed] { SetBox("TxFontSize", typed); }, Leave::Ok);
        QCOMPARE(w.label->font().pointSizeF(), applied);
        QVERIFY(ui.messages.empty());
    }

    // Mended: a size the settings file would keep but no one can read is refused.
    void aSizeOutsideFourToHundredIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("too small") << "3.5";
        QTest::newRow("too large") << "100.5";
        QTest::newRow("no number") << "large";
        QTest::newRow("empty") << "";
    }

    void aSizeOutsideFourToHundredIsRefused()
    {
        QFETCH(QString, typed);
        Window w(ui);
        bool stayedOpen = false;
        PressAndEdit(w.label, [typed, &stayedOpen] {
            SetBox("TxCaption", "Changed");
            SetBox("TxFontSize", typed);
            EditorButton("ComOK");
            stayedOpen = F_stp::instance().isVisible();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(ui.messages.size(), size_t(1));
        QCOMPARE(ui.messages[0].text, std::string("The font size must be a number from 4 to 100."));
        QCOMPARE(w.label->text(), QString("&Port:"));
        QCOMPARE(w.label->font().pointSizeF(), 8.25);
    }

    // Mended: the settings file needs a caption; blanking one would rebuild the file.
    void aCaptionCannotBeBlanked()
    {
        Window w(ui);
        PressAndEdit(w.label, [] {
            SetBox("TxCaption", "   ");
            SetBox("TxToolTips", "Kept apart");
        }, Leave::Ok);
        QCOMPARE(w.label->text(), QString("&Port:"));
        QCOMPARE(w.label->toolTip(), QString("Kept apart"));
        QCOMPARE(ui.messages.size(), size_t(1));
        QVERIFY(ui.messages[0].text.find("The old caption is kept.") != std::string::npos);

        // A caption that was empty before may stay empty.
        ui.clear();
        w.label->setText("");
        PressAndEdit(w.label, {}, Leave::Ok);
        QVERIFY(ui.messages.empty());
    }

    // Mended: a caption or tooltip stays one line of the settings file.
    void lineBreaksBecomeBlanks()
    {
        Window w(ui);
        PressAndEdit(w.frame, [] {
            SetBox("TxCaption", QString("Data\r\nsource"));
            SetBox("TxToolTips", QString("Where\tthe data\ncome from"));
        }, Leave::Ok);
        QCOMPARE(w.frame->title(), QString("Data  source"));
        QCOMPARE(w.frame->toolTip(), QString("Where the data come from"));
    }

    void theFontDialogFillsTheBoxesOnly()
    {
        Window w(ui);
        QFont offered;
        int shown = 0;
        F_stp::instance().setFontChooser([&](QFont& font, QWidget*) {
            offered = font;
            ++shown;
            if (shown == 1) { // a size out of range: said, and the dialog opens again
                font.setPointSizeF(120);
                return true;
            }
            font.setFamily("Courier New");
            font.setPointSizeF(12);
            font.setBold(true);
            return true;
        });
        QString name, size;
        bool bold = false;
        PressAndEdit(w.label, [&] {
            SetBox("TxFontSize", "9.5");
            EditorButton("Command1");
            name = EditorBox("TxFontName")->text();
            size = EditorBox("TxFontSize")->text();
            bold = EditorCheck("CheckFontBold")->isChecked();
        });
        QCOMPARE(shown, 2);
        QCOMPARE(ui.messages.size(), size_t(1));
        QCOMPARE(offered.pointSizeF(), 120.0);
        QCOMPARE(name, QString("Courier New"));
        QCOMPARE(size, QString("12"));
        QVERIFY(bold);
        QCOMPARE(w.label->font().pointSizeF(), 8.25); // Cancel: nothing applied
    }

    void theFontDialogNeedsANumberAndItsCancelChangesNothing()
    {
        Window w(ui);
        int shown = 0;
        QFont offered;
        F_stp::instance().setFontChooser([&](QFont& font, QWidget*) {
            ++shown;
            offered = font;
            return false;
        });
        QString size;
        PressAndEdit(w.label, [&] {
            SetBox("TxFontSize", "12pt");
            EditorButton("Command1");
            SetBox("TxFontSize", "");
            EditorButton("Command1");
            SetBox("TxFontSize", "9.5");
            EditorButton("Command1");
            size = EditorBox("TxFontSize")->text();
        });
        QCOMPARE(shown, 1);
        QCOMPARE(offered.family(), QString("MS Sans Serif"));
        QCOMPARE(offered.pointSizeF(), 9.5);
        QCOMPARE(size, QString("9.5"));
    }

    void anEmptyChosenNameKeepsTheOldName()
    {
        Window w(ui);
        F_stp::instance().setFontChooser([](QFont& font, QWidget*) {
            font.setFamily(" ");
            font.setPointSizeF(16);
            font.setItalic(true);
            return true;
        });
        PressAndEdit(w.label, [] { EditorButton("Command1"); }, Leave::Ok);
        QCOMPARE(w.label->font().family(), QString("MS Sans Serif"));
        QCOMPARE(w.label->font().pointSizeF(), 16.0);
        QVERIFY(w.label->font().italic());
    }

private:
    RecordingInteraction ui;
};

QTEST_MAIN(F_stpTest)
#include "tst_F_stp.moc"
