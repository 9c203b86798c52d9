#include "SettingsSaveBench.h"

#include "app/ProgramState.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsModel.h"
#include "conversion/OptionStores.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/F_KOFStp.h"
#include "dialogs/F_Sdr.h"
#include "dialogs/F_SetCalcCoo.h"
#include "dialogs/F_UsDeCo.h"
#include "platform/LineReader.h"
#include "platform/UserInteraction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavrelo::bench {

namespace {

// A program folder with the settings file written with its defaults and read.
struct Folder {
    Folder()
    {
        state.AppPath = dir.path().toStdString() + "/";
        state.IniPath = state.AppPath + "Tavrelo.ini";
        ready = dir.isValid() && CreateIniFile(model, state).ok() && ReadIniFile(model, state, 1);
    }
    QTemporaryDir dir;
    ProgramState state;
    SettingsModel model;
    OptionStores stores;
    RecordingInteraction ui;
    bool ready = false;
};

QAbstractButton* Button(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) {
        std::fprintf(stderr, "settings-save: no control %s\n", name);
        std::exit(1);
    }
    return button;
}

void SetText(QWidget* dialog, const char* name, const char* text)
{
    if (auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
        box->setText(QString::fromLatin1(text));
}

// Milliseconds that OK of a made and changed window takes.
double TimeOk(QDialog* dialog)
{
    QAbstractButton* ok = Button(dialog, "ComOK");
    QElapsedTimer timer;
    timer.start();
    ok->click();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// One save the user makes: a window made and changed (not timed), its OK timed.
struct SavePath {
    const char* name;
    std::function<double(Folder&)> run;
};

double DxfOk(Folder& f, bool setupMode)
{
    f.state.SetupMode = setupMode;
    F_Dxf dialog(f.model, f.state, f.ui, f.stores.dxf);
    SetText(&dialog, "TxPL", "PUNKT");
    SetText(&dialog, "TxLN0", "NAVN");
    Button(&dialog, "Check2")->setChecked(false);
    const double ms = TimeOk(&dialog);
    f.state.SetupMode = false;
    return ms;
}

double KofOk(Folder& f)
{
    KofJob job;
    job.targetName = "jobb.kof";
    job.today = "01.02.26";
    F_KOFStp dialog(f.model, f.state, f.ui, f.stores.kof, job);
    dialog.Tx(3)->setText("Ringveien");
    dialog.Tx(5)->setText("Ola");
    dialog.ChkUCC()->setChecked(true);
    return TimeOk(&dialog);
}

double SdrOk(Folder& f)
{
    F_Sdr dialog(f.model, f.state, f.ui, f.stores.sdr);
    Button(&dialog, "OpAng2")->setChecked(true);
    return TimeOk(&dialog);
}

double CalcOk(Folder& f)
{
    F_SetCalcCoo dialog(f.model, f.state, f.stores.calc, f.ui);
    Button(&dialog, "CheckScFactor")->setChecked(true);
    return TimeOk(&dialog);
}

double FieldOrderOk(Folder& f)
{
    F_UsDeCo dialog(f.model, f.state, f.stores.coordinateFields, f.ui);
    Button(&dialog, "Op1")->setChecked(true);
    return TimeOk(&dialog);
}

double ExitSave(Folder& f)
{
    f.model.settings.Speed = 2;
    QElapsedTimer timer;
    timer.start();
    SaveIniFile(f.model, f.state);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

const std::vector<SavePath>& Paths()
{
    static const std::vector<SavePath> paths = {
        {"DXF window OK", [](Folder& f) { return DxfOk(f, false); }},
        {"KOF window OK", KofOk},
        {"SDR-33 window OK", SdrOk},
        {"calculation window OK", CalcOk},
        {"field order window OK", FieldOrderOk},
        {"DXF window OK, setup mode", [](Folder& f) { return DxfOk(f, true); }},
        {"Exit", ExitSave},
    };
    return paths;
}

uint32_t Checksum(const std::string& bytes)
{
    uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

} // namespace

int SettingsSaveBench(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    std::vector<std::vector<double>> times(Paths().size());
    std::string last;
    size_t fileSize = 0;
    for (int run = 0; run < runs; ++run) {
        Folder f;
        if (!f.ready) {
            std::fprintf(stderr, "settings-save: cannot write or read the settings file\n");
            return 1;
        }
        ReadWholeFile(f.state.IniPath, last);
        fileSize = last.size();
        for (size_t i = 0; i < Paths().size(); ++i) {
            times[i].push_back(Paths()[i].run(f));
            // A box means a save that did not happen: its time says nothing.
            if (!f.ui.messages.empty()) {
                std::fprintf(stderr, "settings-save: %s: %s\n", Paths()[i].name, f.ui.messages[0].text.c_str());
                return 1;
            }
        }
        ReadWholeFile(f.state.IniPath, last);
    }
    std::fprintf(stderr, "settings-save: %d runs on the default settings file of %zu bytes\n", runs, fileSize);
    for (size_t i = 0; i < Paths().size(); ++i) {
        std::vector<double>& t = times[i];
        std::sort(t.begin(), t.end());
        std::fprintf(stderr, "  %-27s median %8.2f ms, fastest %8.2f ms, slowest %8.2f ms\n", Paths()[i].name,
                     t[t.size() / 2], t.front(), t.back());
    }
    std::fprintf(stderr, "settings file after the saves: %zu bytes, checksum %08x\n", last.size(), Checksum(last));
    return 0;
}

} // namespace tavrelo::bench
