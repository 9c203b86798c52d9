// The help window: its texts from the settings file, its layout on activation, the
// manual and the web addresses opened through the user interaction, its close box,
// and setup mode's editing of its texts.
#include "helper_Session.h"

#include "app/gui/Twips.h"
#include "mainwindow/F_Help.h"
#include "platform/Profile.h"
#include "support/EditorDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>

#include <functional>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

QWidget* Child(QWidget* window, const char* name)
{
    QWidget* child = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QString Text(QWidget* window, const char* name)
{
    return qobject_cast<QLabel*>(Child(window, name))->text();
}

// Presses Help; while the window is up, runs look, then leaves it with OK.
bool WithHelp(const ProgramSession& session, const std::function<void(F_Help*)>& look)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* help = qobject_cast<F_Help*>(QApplication::activeModalWidget());
        if (!help)
            return;
        shown = true;
        look(help);
        if (help->isVisible())
            qobject_cast<QAbstractButton*>(Child(help, "ComOK"))->click();
    });
    QTest::mouseClick(Child(session.mainWindow.get(), "ComHelp"), Qt::LeftButton);
    return shown;
}

void LeftClick(QWidget* help, const char* name)
{
    QTest::mouseClick(Child(help, name), Qt::LeftButton);
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsTextsFromTheSettingsFile()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        folder.setIniValue("Help_LbCI0", "Caption", "Acme Surveying");
        folder.setIniValue("Help_Net1", "Caption", "help.acme.example");
        folder.setIniValue("Help_Net0", "Caption", "never.shown.example");
        folder.setIniValue("Help_ComOK", "Caption", "&Close");
        auto session = folder.start();
        QVERIFY(WithHelp(*session, [](F_Help* help) {
            QCOMPARE(Text(help, "LbCI0"), QString("Acme Surveying"));
            QCOMPARE(Text(help, "LbCI3"), QString("Surveyland"));
            QCOMPARE(Text(help, "LbNet0"), QString("www.zarel.example"));
            QCOMPARE(Text(help, "LbNet1"), QString("help.acme.example"));
            QCOMPARE(qobject_cast<QAbstractButton*>(Child(help, "ComOK"))->text(), QString("&Close"));
            QCOMPARE(help->windowTitle(), QString("Help"));
        }));
        QVERIFY(session->mainWindow->helpWindow()); // OK only hides it
        QVERIFY(!session->mainWindow->helpWindow()->isVisible());
    }

    void aLargerContactLinePushesTheRestDown()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        auto session = folder.start();
        double plainLine4 = 0, plainFrame2 = 0, plainHeight = 0;
        WithHelp(*session, [&](F_Help* help) {
            QWidget* lines[6];
            for (int i = 0; i < 6; ++i)
                lines[i] = Child(help, ArrayNameOf("LbCI", i));
            for (int i = 1; i < 6; ++i)
                QVERIFY(TwipsTop(lines[i]) > TwipsTop(lines[i - 1]));
            // A blank line between the country and the telephone.
            QVERIFY(TwipsTop(lines[4]) - TwipsTop(lines[3]) >= 2 * TwipsHeight(lines[3]));
            QVERIFY(TwipsTop(Child(help, "Fr2")) >= TwipsTop(Child(help, "Fr1")) + TwipsHeight(Child(help, "Fr1")));
            QVERIFY(TwipsTop(Child(help, "ComOK")) > TwipsTop(Child(help, "Fr3")) + TwipsHeight(Child(help, "Fr3")));
            QCOMPARE(WindowOuterWidth(help), 3248.0);
            plainLine4 = TwipsTop(lines[4]);
            plainFrame2 = TwipsTop(Child(help, "Fr2"));
            plainHeight = WindowOuterHeight(help);
            QFont large = lines[2]->font();
            large.setPointSizeF(20);
            lines[2]->setFont(large);
        });
        WithHelp(*session, [&](F_Help* help) {
            QVERIFY(TwipsTop(Child(help, "LbCI4")) > plainLine4);
            QVERIFY(TwipsTop(Child(help, "Fr2")) > plainFrame2);
            QVERIFY(WindowOuterHeight(help) > plainHeight);
        });
    }

    void opensTheManualAndTheAddressesThroughTheInteraction()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        folder.setIniValue("Help file", "HelpFileName", "Tavrelo manual.pdf");
        folder.setIniValue("Help_Net1", "Caption", "help.acme.example");
        const std::string manual = folder.folder() + "/Tavrelo manual.pdf";
        QFile file(QString::fromStdString(manual));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        auto session = folder.start();
        WithHelp(*session, [&](F_Help* help) {
            LeftClick(help, "ComOpenHelpFile");
            LeftClick(help, "LbNet0");
            LeftClick(help, "LbNet1");
        });
        const auto& opened = folder.interaction.opened;
        QCOMPARE(opened.size(), size_t(3));
        QVERIFY(opened[0].kind == DocumentKind::LocalFile);
        QCOMPARE(opened[0].target, manual); // blanks and all
        QVERIFY(opened[1].kind == DocumentKind::WebAddress);
        QCOMPARE(opened[1].target, std::string("http://www.zarel.example"));
        QCOMPARE(opened[2].target, std::string("http://help.acme.example"));
        QVERIFY(folder.interaction.messages.empty());
    }

    void aManualThatCannotBeOpenedIsSaidAndAnEmptyNameDoesNothing()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        auto session = folder.start();
        const std::string manual = folder.folder() + "/TavreloManual.doc";
        WithHelp(*session, [&](F_Help* help) { LeftClick(help, "ComOpenHelpFile"); });
        QCOMPARE(folder.interaction.messages.size(), size_t(1));
        QCOMPARE(folder.interaction.messages[0].text, "File not found: " + manual);
        QVERIFY(folder.interaction.messages[0].icon == MessageIcon::Critical);
        QCOMPARE(folder.interaction.messages[0].title, std::string("Error"));
        QVERIFY(folder.interaction.opened.empty());

        QFile file(QString::fromStdString(manual));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        folder.interaction.clear();
        folder.interaction.openSucceeds = false;
        WithHelp(*session, [&](F_Help* help) { LeftClick(help, "ComOpenHelpFile"); });
        QCOMPARE(folder.interaction.messages.size(), size_t(1));
        QCOMPARE(folder.interaction.messages[0].text.substr(0, 36 + manual.size() + 2),
                 "No program could be started to open " + manual + "\r\n");
        QVERIFY(folder.interaction.messages[0].text.find("LibreOffice Writer") != std::string::npos);

        folder.interaction.clear();
        session->model.settings.HelpFileName.clear();
        WithHelp(*session, [&](F_Help* help) { LeftClick(help, "ComOpenHelpFile"); });
        QVERIFY(folder.interaction.messages.empty());
        QVERIFY(folder.interaction.opened.empty());
    }

    // A desktop without a program for web pages: the address is said in a box, the
    // window stays.
    void anAddressThatCannotBeOpenedIsSaid()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        auto session = folder.start();
        folder.interaction.openSucceeds = false;
        bool stayed = false;
        WithHelp(*session, [&](F_Help* help) {
            LeftClick(help, "LbNet1");
            stayed = help->isVisible();
        });
        QVERIFY(stayed);
        QCOMPARE(folder.interaction.opened.size(), size_t(1));
        QCOMPARE(folder.interaction.messages.size(), size_t(1));
        QCOMPARE(folder.interaction.messages[0].text,
                 std::string("No program could be started to open http://support.zarel.example\r\n"
                             "The desktop has no web browser set up (on Linux, xdg-open starts one). "
                             "Type the address into a web browser."));
        QVERIFY(folder.interaction.messages[0].icon == MessageIcon::Critical);
        QCOMPARE(folder.interaction.messages[0].title, std::string("Error"));
    }

    // Mended: an address edited into another scheme is never handed on.
    void onlyWebAddressesAreOpened()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        folder.setIniValue("Help_Net1", "Caption", "file:///etc/passwd");
        auto session = folder.start();
        WithHelp(*session, [&](F_Help* help) { LeftClick(help, "LbNet1"); });
        QVERIFY(folder.interaction.opened.empty());
    }

    void theCloseBoxUnloadsOutsideSetupModeAndIsRefusedInIt()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        {
            auto session = folder.start();
            WithHelp(*session, [](F_Help* help) { help->close(); });
            QVERIFY(!session->mainWindow->helpWindow());
            QVERIFY(folder.interaction.messages.empty());
        }
        auto session = folder.start("Custom Layout");
        bool stayed = false;
        WithHelp(*session, [&](F_Help* help) {
            help->close();
            stayed = help->isVisible();
        });
        QVERIFY(stayed);
        QCOMPARE(folder.interaction.messages.size(), size_t(1));
        QCOMPARE(folder.interaction.messages[0].text, std::string("The program is in setup mode.\r\nPress <OK> button"));
        QCOMPARE(folder.interaction.messages[0].title, std::string("Setup"));
        QVERIFY(folder.interaction.messages[0].icon == MessageIcon::Information);
        QVERIFY(session->mainWindow->helpWindow());
    }

    void setupModeEditsItsTextsAndExitSavesThem()
    {
        ProgramFolder folder;
        CreateDefaultIni(folder);
        {
            auto session = folder.start("Custom Layout");
            WithHelp(*session, [&folder](F_Help* help) {
                QVERIFY(!PressAndEdit(Child(help, "LbNet0")).opened);
                const EditorSeen net = PressAndEdit(Child(help, "LbNet1"));
                QVERIFY(net.opened);
                QCOMPARE(net.caption, QString("support.zarel.example"));
                const EditorSeen window = PressAndEdit(help, {}, Leave::Cancel, Qt::RightButton,
                                                       QPoint(help->width() - 2, help->height() - 2));
                QVERIFY(window.opened);
                QVERIFY(window.kind == EditKind::Window);
                QCOMPARE(window.caption, QString("Help"));
                const EditorSeen frame = PressAndEdit(Child(help, "Fr2"), {}, Leave::Cancel, Qt::RightButton,
                                                      QPoint(5, 5));
                QCOMPARE(frame.control, Child(help, "Fr2"));
                PressAndEdit(Child(help, "LbCI0"), [] {
                    EditorBox("TxCaption")->setText("Acme Surveying Ltd");
                    EditorCheck("CheckFontBold")->setChecked(true);
                }, Leave::Ok);
                QCOMPARE(Text(help, "LbCI0"), QString("Acme Surveying Ltd"));
                QVERIFY(folder.interaction.opened.empty()); // a right click opens no address
            });
            QTest::mouseClick(Child(session->mainWindow.get(), "ComExit"), Qt::LeftButton);
        }
        QCOMPARE(GetProfileString("Help_LbCI0", "Caption", folder.iniPath().toStdString()),
                 std::string("Acme Surveying Ltd"));
        QCOMPARE(GetProfileString("Help_LbCI0", "FontBold", folder.iniPath().toStdString()), std::string("1"));
        auto session = folder.start();
        QVERIFY(WithHelp(*session, [](F_Help* help) {
            QCOMPARE(Text(help, "LbCI0"), QString("Acme Surveying Ltd"));
            QVERIFY(Child(help, "LbCI0")->font().bold());
        }));
    }

private:
    static const char* ArrayNameOf(const char* name, int index)
    {
        static std::string text;
        text = std::string(name) + std::to_string(index);
        return text.c_str();
    }
};

QTEST_MAIN(HelpTest)
#include "tst_Help.moc"
