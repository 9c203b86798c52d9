// A port that cannot be opened, through the whole program: Download and Send against
// a port another program holds, a link to an adapter that is not plugged in, a
// device the user may not open, a speed or data-bits item of Tavrelo.ini that no
// port takes, and a link to what is no serial device: a plain file, /dev/null, a
// folder, a circle of links. Each ends in one box that keeps "The communication port could not be
// opened." and names the device, the link it came through and the reason; the
// Settings tab is shown and, once the cause is gone, the same command opens the port.
// The Settings tab shows the device of each port position as the program folder is.
#include "helper_Download.h"

#include "link/SerialLink.h"
#include "link/core/PortSettings.h"
#include "support/Unprivileged.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

enum class Cause { Busy, NoDevice, NoPermission, Speed, DataBits, File, DevNull, Folder, Circle };

// The list section's item `from` of the settings file becomes `to`.
void ReplaceListItem(ProgramFolder& folder, const QByteArray& section, const QByteArray& from, const QByteArray& to)
{
    QByteArray bytes = folder.iniBytes();
    const qsizetype header = bytes.indexOf("[" + section + "]\r\n");
    const qsizetype item = bytes.indexOf("\r\n" + from + "\r\n", header);
    if (header < 0 || item < 0)
        qFatal("no item %s in [%s]", from.constData(), section.constData());
    bytes.replace(item + 2, from.size(), to);
    folder.writeIni(bytes);
}

struct PortRig : DownloadDriver {
    SerialLink otherProgram;

    QString com9() const { return QString::fromStdString(folder.folder()) + "/COM9"; }
    // COM1 made a link to target instead of the instrument.
    void relink(const QString& target)
    {
        QVERIFY(QFile::remove(instrument.linkPath()));
        QVERIFY(QFile::link(target, instrument.linkPath()));
    }
    // The device the box names for the cause.
    QString device(Cause cause) const
    {
        switch (cause) {
        case Cause::NoDevice: return "/dev/no-such-adapter";
        case Cause::File: return QString::fromStdString(path("not-a-port.txt"));
        case Cause::DevNull: return "/dev/null";
        case Cause::Folder: return work.path();
        case Cause::Circle: return com9();
        default: return instrument.slaveName();
        }
    }

    // The program's settings file or folder made so the cause holds; the program is
    // started again when its settings file changed.
    void make(Cause cause)
    {
        switch (cause) {
        case Cause::Busy: QVERIFY(otherProgram.open(instrument.slaveName().toStdString(), PortSettings())); break;
        case Cause::NoDevice:
        case Cause::DevNull:
        case Cause::Folder: relink(device(cause)); break;
        case Cause::File:
            WriteBytes(path("not-a-port.txt"), "P1,1,2,3\r\n");
            relink(device(cause));
            break;
        case Cause::Circle: // COM1 leads to COM9, which leads back to COM1
            relink(com9());
            QVERIFY(QFile::link(instrument.linkPath(), com9()));
            break;
        case Cause::NoPermission: QVERIFY(QFile::setPermissions(instrument.slaveName(), {})); break;
        case Cause::Speed:
            ReplaceListItem(folder, "Coomunication Speed", "19200", "1e10");
            restart();
            break;
        case Cause::DataBits:
            ReplaceListItem(folder, "Coomunication Data bits", "7", "32768");
            folder.setIniValue("Default", "DataBits", "0");
            restart();
            break;
        }
    }
    // The cause gone: the other program lets go, the link points at the instrument
    // again, the device may be opened, another item is chosen on the Settings tab.
    void mend(Cause cause)
    {
        switch (cause) {
        case Cause::Busy: otherProgram.close(); break;
        case Cause::NoDevice:
        case Cause::File:
        case Cause::DevNull:
        case Cause::Folder:
        case Cause::Circle: relink(instrument.slaveName()); break;
        case Cause::NoPermission:
            QVERIFY(QFile::setPermissions(instrument.slaveName(), QFile::ReadOwner | QFile::WriteOwner));
            break;
        case Cause::Speed: Find<QComboBox>(*session, "StCombComm1")->setCurrentIndex(3); break;
        case Cause::DataBits: Find<QComboBox>(*session, "StCombComm2")->setCurrentIndex(1); break;
        }
    }
    void restart()
    {
        session.reset();
        session = folder.start();
    }
    void prepare(bool send)
    {
        if (!send) {
            choose(false, 0, 0);
            typeTarget(QString::fromStdString(path("job.raw")));
            return;
        }
        WriteBytes(path("codes.cod"), "TREE\r\n");
        session->mainWindow->MainTab()->setCurrentIndex(1);
        Find<QComboBox>(*session, "ComboDataFormatSend")->setCurrentIndex(1);
        QLineEdit* name = Find<QLineEdit>(*session, "TxFileNameSend");
        name->clear();
        QTest::keyClicks(name, QString::fromStdString(path("codes.cod")));
        QTest::keyClick(name, Qt::Key_Return);
    }
    // The command pressed; "" and the text of the one box it showed, or what went wrong.
    std::string press(bool send)
    {
        folder.interaction.clear();
        if (!send)
            download();
        else
            click("ComSend");
        if (folder.interaction.messages.size() != 1)
            return "not one box";
        const auto& box = folder.interaction.messages[0];
        if (box.title != "Error" || box.icon != MessageIcon::Critical)
            return "not the critical error box";
        if (session->mainWindow->MainTab()->currentIndex() != 2)
            return "not the Settings tab";
        if (!session->mainWindow->isEnabled())
            return "the main window is disabled";
        return "|" + box.text;
    }
};

} // namespace

class PortNotOpenedTest : public QObject {
    Q_OBJECT
private slots:
    void theBoxSaysWhichDeviceAndWhy_data();
    void theBoxSaysWhichDeviceAndWhy();
    void settingsTabShowsTheDeviceOfEachPort();
    void settingsTabSaysWhatIsNoSerialDevice();
};

void PortNotOpenedTest::theBoxSaysWhichDeviceAndWhy_data()
{
    QTest::addColumn<bool>("send");
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("reason"); // words of the line after the device's
    const struct {
        const char* name;
        Cause cause;
        const char* reason;
    } causes[] = {
        {"busy", Cause::Busy, "Another program is using this port."},
        {"no device", Cause::NoDevice, "There is no such device. Is the adapter plugged in?"},
        {"no permission", Cause::NoPermission, "You may not open this device. Add your user to the dialout group"},
        {"speed 1e10", Cause::Speed, "The speed \"1e10\" chosen on the Settings tab"},
        {"data bits 32768", Cause::DataBits, "The number of data bits \"32768\" chosen on the Settings tab"},
        {"plain file", Cause::File, "This is a file, not a serial device. Point the link COM1 in the program folder "
                                    "at the adapter's device:"},
        {"/dev/null", Cause::DevNull, "This is not a serial device. Point the link COM1"},
        {"folder", Cause::Folder, "This is a folder, not a serial device. Point the link COM1"},
        {"circle of links", Cause::Circle, "The link COM1 leads round in a circle of links and reaches no device. "
                                           "Point the link COM1"},
    };
    for (bool send : {false, true})
        for (const auto& c : causes)
            QTest::addRow("%s, %s", send ? "Send" : "Download", c.name) << send << int(c.cause) << c.reason;
}

void PortNotOpenedTest::theBoxSaysWhichDeviceAndWhy()
{
    QFETCH(bool, send);
    QFETCH(int, cause);
    QFETCH(QString, reason);
    PortRig r;
    r.make(Cause(cause));
    r.prepare(send);
    std::string outcome;
    if (Cause(cause) == Cause::NoPermission) { // root may open any device
        testing::OpenFolderToEveryone(r.folder.folder());
        testing::OpenFolderToEveryone(r.work.path().toStdString());
        outcome = testing::RunUnprivileged([&] { return r.press(send); });
    } else {
        outcome = r.press(send);
    }
    const QString text = QString::fromStdString(outcome);
    QVERIFY2(text.startsWith('|'), qPrintable(text));
    const QStringList lines = text.mid(1).split("\r\n");
    QCOMPARE(lines.value(0), QString("The communication port could not be opened."));
    QCOMPARE(lines.value(1), "Device: " + r.device(Cause(cause)) + " (through the link COM1 in the program folder)");
    QVERIFY2(lines.value(2).startsWith(reason), qPrintable(lines.value(2)));
    if (reason.endsWith("adapter's device:"))
        QCOMPARE(lines.value(3), QString("ln -sfn /dev/ttyUSB0 COM1"));
    QVERIFY(!DownloadWindow() || !DownloadWindow()->isVisible());

    // The program goes on: with the cause gone the same command opens the port.
    r.mend(Cause(cause));
    const int opened = r.otherProgram.isOpen() ? 1 : int(Cause(cause) == Cause::Busy);
    if (send) {
        r.prepare(true);
        ModalAnswerer answers;
        answers.expect("F_UL", "ComCancel");
        r.click("ComSend");
        QVERIFY(answers.done());
    } else {
        r.instrument.start({Step::Send(300, "CO,x\r\n")});
        // Cancel once the program has taken the line, not only once it was sent.
        r.cancelWhen([&] { return !r.statusTexts.isEmpty() && r.statusTexts.last() == "Bytes:   4"; });
        r.download();
        QCOMPARE(ReadBytes(r.tempFile()), QByteArray("CO,x\r\n"));
    }
    QTRY_COMPARE(r.instrument.openCount(), opened + 1);
}

// Each port item's tooltip and the line under the lists name the device the position
// opens; the line follows the choice and what the program folder holds while shown.
void PortNotOpenedTest::settingsTabShowsTheDeviceOfEachPort()
{
    PortRig r;
    const QString folder = QString::fromStdString(r.folder.folder());
    QVERIFY(QFile::link("/dev/no-such-adapter", folder + "/COM2"));
    r.session->mainWindow->MainTab()->setCurrentIndex(2);
    auto* ports = Find<QComboBox>(*r.session, "StCombComm0");
    auto* line = Find<QLabel>(*r.session, "PortDevice");
    const QString atCom1 = "Opens " + r.instrument.slaveName() + ", through the link COM1 in the program folder";
    const QString atCom2 = "Opens /dev/no-such-adapter through the link COM2: not there. Is the adapter plugged in?";
    QTRY_COMPARE(line->text(), atCom1);
    QVERIFY(line->isVisible());
    QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(), atCom1);
    QCOMPARE(ports->itemData(1, Qt::ToolTipRole).toString(), atCom2);
    QVERIFY(ports->itemData(2, Qt::ToolTipRole).toString().startsWith("Opens /dev/ttyS2"));
    QVERIFY(ports->itemData(2, Qt::ToolTipRole).toString().endsWith(": no link COM3 in the program folder"));

    ports->setCurrentIndex(1);
    QCOMPARE(line->text(), atCom2);
    // The adapter plugged in (the link now reaches a device) while the tab is shown.
    QVERIFY(QFile::remove(folder + "/COM2"));
    QVERIFY(QFile::link(r.instrument.slaveName(), folder + "/COM2"));
    QTRY_COMPARE(line->text(), "Opens " + r.instrument.slaveName() + ", through the link COM2 in the program folder");
    // The line stands between the link's frame and the next, over neither.
    const QWidget* comm = Find<QWidget>(*r.session, "StFrComm");
    const QWidget* coord = Find<QWidget>(*r.session, "StFrCoord");
    QVERIFY(line->geometry().top() >= comm->geometry().bottom());
    QVERIFY(line->geometry().bottom() < coord->geometry().top());
}

// A link COM2 to a plain file, /dev/null, a folder or into a circle: the Settings
// tab's line says what the port would open, made while the tab is shown.
void PortNotOpenedTest::settingsTabSaysWhatIsNoSerialDevice()
{
    PortRig r;
    const QString folder = QString::fromStdString(r.folder.folder());
    const QString com2 = folder + "/COM2";
    const QString file = QString::fromStdString(r.path("not-a-port.txt"));
    WriteBytes(file.toStdString(), "P1,1,2,3\r\n");
    r.session->mainWindow->MainTab()->setCurrentIndex(2);
    auto* ports = Find<QComboBox>(*r.session, "StCombComm0");
    auto* line = Find<QLabel>(*r.session, "PortDevice");
    ports->setCurrentIndex(1);
    const struct {
        QString target;
        QString shown;
    } cases[] = {
        {file, "Opens " + file + " through the link COM2: a file, not a serial device"},
        {"/dev/null", "Opens /dev/null through the link COM2: not a serial device"},
        {r.work.path(), "Opens " + r.work.path() + " through the link COM2: a folder, not a serial device"},
        {com2, "Opens no device: the link COM2 in the program folder leads round in a circle of links"},
    };
    for (const auto& c : cases) {
        QFile::remove(com2);
        QVERIFY(QFile::link(c.target, com2));
        QTRY_COMPARE(line->text(), c.shown);
        QCOMPARE(ports->itemData(1, Qt::ToolTipRole).toString(), c.shown);
    }
}

QTEST_MAIN(PortNotOpenedTest)
#include "tst_PortNotOpened.moc"
