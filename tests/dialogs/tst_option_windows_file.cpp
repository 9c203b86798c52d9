// The option windows and the settings file as a whole: each window's load finds its
// section after the lists even when its header is typed among a list's items; each
// OK writes the file once, all its keys (and in setup mode its control texts) in one
// edit; an OK whose save is refused (a read-only file or folder, or a file the next
// start would not read) says so in the box Exit shows and leaves the file whole.
#include "OptionDialogTestSupport.h"

#include "../support/Unprivileged.h"
#include "app/gui/QtText.h"
#include "conversion/OptionStores.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/F_KOFStp.h"
#include "dialogs/F_Sdr.h"
#include "dialogs/F_SetCalcCoo.h"
#include "dialogs/F_UpCoo.h"
#include "dialogs/F_UsDeCo.h"
#include "platform/ByteSink.h"
#include "platform/RunError.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include <cstring>
#include <memory>
#include <sys/stat.h>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

using MakeWindow = std::unique_ptr<QDialog> (*)(OptionDialogFixture&, OptionStores&);

// One option window: a key of its section, the control that shows it and how a saved
// value shows there ("checked" for an option button); the section of its own texts.
struct Window {
    const char* name;
    MakeWindow make;
    const char* section;
    const char* key;
    const char* value;
    const char* control;
    const char* windowKey; // "" for the SDR-33 window, which has no texts in the file
};

const Window kWindows[] = {
    {"DXF",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_Dxf>(f.model, f.state, f.ui, o.dxf);
     },
     "DXF Settings", "Dxf_Point_Layer", "MYPT", "TxPL", "DxfFormSetting"},
    {"KOF",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_KOFStp>(f.model, f.state, f.ui, o.kof, KofJob{0, "", "job.kof", "01.02.26"});
     },
     "KOF Settings", "Road", "Ringvei", "Tx3", "KOF_Form"},
    {"SDR-33",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_Sdr>(f.model, f.state, f.ui, o.sdr);
     },
     "SDR33 Settings", "AngleUnits", "2", "OpAng2", ""},
    {"calculation",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_SetCalcCoo>(f.model, f.state, o.calc, f.ui);
     },
     "Calc Coordinate Settings", "MapProjection", "1", "CheckScFactor", "SetCalcCoordForm"},
    {"field order",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_UsDeCo>(f.model, f.state, o.coordinateFields, f.ui);
     },
     "Coordinate Settings", "Separator", "1", "Op1", "CoordForm"},
    {"upload field order",
     [](OptionDialogFixture& f, OptionStores& o) -> std::unique_ptr<QDialog> {
         return std::make_unique<F_UpCoo>(f.model, f.state, o.uploadFields, f.ui);
     },
     "Coordinate UpLoad Settings", "Separator", "1", "Op1", "CoordFormUL"},
};

const Window& WindowNamed(const QString& name)
{
    for (const Window& w : kWindows)
        if (name == w.name)
            return w;
    qFatal("no window %s", qPrintable(name));
}

// What the window's control shows: a box's text, or "checked" / "unchecked".
QString Shown(QDialog* dialog, const Window& w)
{
    if (auto* box = dialog->findChild<QLineEdit*>(w.control))
        return box->text();
    return Child<QAbstractButton>(dialog, w.control)->isChecked() ? "checked" : "unchecked";
}

// The user's choice of the window's value.
void Choose(QDialog* dialog, const Window& w)
{
    if (auto* box = dialog->findChild<QLineEdit*>(w.control))
        box->setText(w.value);
    else
        Child<QAbstractButton>(dialog, w.control)->setChecked(true);
}

QString Expected(const Window& w)
{
    return QString(w.control).startsWith("Tx") ? QString(w.value) : QString("checked");
}

// A caption that makes the start-up's list scan begin in the window's own texts,
// before the real list, so that the next start would refuse the file.
const char* const kListHeader = "[Zarel RAW data options]";

// The line of a list section's header, for a line typed among its items.
const char* const kListLine = "[Coortinate data options]";

#ifdef __linux__
// Counts the files renamed into a folder under one name: every whole write of the
// settings file ends in such a rename. The creations are watched too: between them the
// kernel cannot fold the renames into one event.
class WriteCounter {
public:
    WriteCounter(const std::string& folder, std::string name)
        : m_fd(inotify_init1(IN_NONBLOCK))
        , m_name(std::move(name))
    {
        inotify_add_watch(m_fd, folder.c_str(), IN_MOVED_TO | IN_CREATE);
    }
    ~WriteCounter() { ::close(m_fd); }
    bool valid() const { return m_fd >= 0; }
    int writes()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0)
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<inotify_event*>(p);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && m_name == event->name)
                    ++m_count;
                p += sizeof(inotify_event) + event->len;
            }
        return m_count;
    }

private:
    int m_fd;
    std::string m_name;
    int m_count = 0;
};
#endif

} // namespace

class TestOptionWindowsFile : public QObject {
    Q_OBJECT

private:
    OptionDialogFixture f;
    OptionStores stores;

    void addWindows(bool textsOnly)
    {
        QTest::addColumn<QString>("window");
        for (const Window& w : kWindows)
            if (!textsOnly || *w.windowKey)
                QTest::newRow(w.name) << QString(w.name);
    }

    // "" when the box of a refused save was shown once, naming the file and the reason,
    // and the file is as it was; else what went wrong.
    std::string refusedAsExitSaysIt(const std::string& before, const std::string& reason)
    {
        const std::string expected = "Cannot write the settings file " + f.state.IniPath + ": " + reason;
        std::string wrong = f.iniBytes() == before ? "" : "the settings file changed; ";
        if (f.ui.messages.size() != 1)
            return wrong + std::to_string(f.ui.messages.size()) + " boxes";
        const RecordingInteraction::Message& box = f.ui.messages[0];
        if (box.text.compare(0, expected.size(), expected) != 0)
            wrong += "the box says: " + box.text;
        else if (box.title != "Error" || box.icon != MessageIcon::Critical || box.buttons != MessageButtons::Ok)
            wrong += "the box is titled " + box.title + ", or its icon or buttons are not those of Exit's";
        return wrong;
    }

private slots:
    void init()
    {
        QVERIFY(f.reset());
        stores = OptionStores();
    }

    // A header typed among the items of a list is an item there: the window reads its
    // values from its real section after the lists.
    void loadFindsTheSectionAfterTheLists_data() { addWindows(false); }
    void loadFindsTheSectionAfterTheLists()
    {
        QFETCH(QString, window);
        const Window& w = WindowNamed(window);
        f.setKey(w.section, w.key, w.value);
        std::string text = f.iniBytes();
        const size_t list = text.find(std::string("\r\n") + kListLine + "\r\n");
        QVERIFY(list != std::string::npos);
        text.insert(list + 2 + std::strlen(kListLine) + 2, std::string("[") + w.section + "]\r\n");
        QCOMPARE(WriteFileAtomically(f.state.IniPath, text), 0);
        SettingsModel model;
        ProgramState state = f.state;
        QVERIFY(ReadIniFile(model, state, 0)); // the start-up reads the file as it is

        auto dialog = w.make(f, stores);
        QCOMPARE(Shown(dialog.get(), w), Expected(w));
    }

    // OK writes the file once, with the window's choice in its section.
    void okWritesTheFileOnce_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("setupMode");
        for (const Window& w : kWindows) {
            QTest::addRow("%s", w.name) << QString(w.name) << false;
            if (*w.windowKey)
                QTest::addRow("%s, setup mode", w.name) << QString(w.name) << true;
        }
    }
    void okWritesTheFileOnce()
    {
#ifdef __linux__
        QFETCH(QString, window);
        QFETCH(bool, setupMode);
        const Window& w = WindowNamed(window);
        f.state.SetupMode = setupMode;
        auto dialog = w.make(f, stores);
        Choose(dialog.get(), w);
        dialog->setWindowTitle("Innstillinger");
        WriteCounter counter(f.state.AppPath, "Tavrelo.ini");
        QVERIFY(counter.valid());
        Click(dialog.get(), "ComOK");
        QCOMPARE(counter.writes(), 1);
        QVERIFY(f.ui.messages.empty());
        const Profile saved(f.iniBytes());
        // In setup mode only the KOF window saves its section besides its texts.
        if (!setupMode || window == "KOF")
            QCOMPARE(saved.get(w.section, w.key), std::string(w.value));
        if (setupMode || window == "KOF")
            QCOMPARE(saved.get(w.windowKey, "Caption"), std::string("Innstillinger"));
#else
        QSKIP("the writes are counted through inotify, which only Linux has");
#endif
    }

    // A settings file or folder the user may not write: the box of Exit names the file
    // and the reason, and the file is left as it was.
    void okOnAReadOnlyFileSaysWhy_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("folderReadOnly");
        for (const Window& w : kWindows) {
            QTest::addRow("%s, read-only file", w.name) << QString(w.name) << false;
            QTest::addRow("%s, read-only folder", w.name) << QString(w.name) << true;
        }
    }
    void okOnAReadOnlyFileSaysWhy()
    {
        QFETCH(QString, window);
        QFETCH(bool, folderReadOnly);
        const Window& w = WindowNamed(window);
        auto dialog = w.make(f, stores);
        Choose(dialog.get(), w);
        const std::string before = f.iniBytes();
        const std::string folder = f.state.AppPath.substr(0, f.state.AppPath.size() - 1);
        QCOMPARE(::chmod(f.state.IniPath.c_str(), folderReadOnly ? 0666 : 0444), 0);
        QCOMPARE(::chmod(folder.c_str(), folderReadOnly ? 0555 : 0777), 0);
        // As a user who may not write them (root may write any file).
        const std::string outcome = testing::RunUnprivileged([&] {
            Click(dialog.get(), "ComOK");
            return refusedAsExitSaysIt(before, RunErrorDescription(RunError::PermissionDenied));
        });
        ::chmod(folder.c_str(), 0700);
        QVERIFY2(outcome.empty(), outcome.c_str());
        QCOMPARE(f.iniBytes(), before);
    }

    // Texts the next start would not read (a caption holding a list's header, before
    // the real list): nothing of the window is saved, neither its texts nor, for the
    // KOF window, its section, and the box says why.
    void okWithTextsTheStartWouldRefuseSaysWhy_data() { addWindows(true); }
    void okWithTextsTheStartWouldRefuseSaysWhy()
    {
        QFETCH(QString, window);
        const Window& w = WindowNamed(window);
        f.state.SetupMode = true;
        auto dialog = w.make(f, stores);
        Choose(dialog.get(), w);
        dialog->setWindowTitle(kListHeader);
        const std::string before = f.iniBytes();
        Click(dialog.get(), "ComOK");
        const std::string outcome =
            refusedAsExitSaysIt(before, RunErrorDescription(RunError::SettingsRefused) + ": ");
        QVERIFY2(outcome.empty(), outcome.c_str());
        QVERIFY(QString::fromStdString(f.ui.messages[0].text).endsWith(". The file was left as it was."));
    }
};

QTEST_MAIN(TestOptionWindowsFile)
#include "tst_option_windows_file.moc"
