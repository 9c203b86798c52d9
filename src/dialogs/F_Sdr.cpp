#include "dialogs/F_Sdr.h"

#include "app/ProgramState.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileSaver.h"
#include "app/gui/Twips.h"
#include "dialogs/SettingsSaveReport.h"
#include "platform/Profile.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavrelo {

namespace {

struct GroupRow {
    const char* name;     // the option array's name
    const char* caption;  // the group's caption label
    bool corrections;     // in the "CORRECTIONS:" frame, else "UNITS:"
    int SdrOptions::*value;
    std::vector<const char*> texts;
};

const GroupRow kGroups[F_Sdr::kGroupCount] = {
    {"OpAng", "Angle units", false, &SdrOptions::angleUnits, {"Degrees", "Gon", "Mil"}},
    {"OpDis", "Distance units", false, &SdrOptions::distanceUnits, {"Meters", "US Feet", "Intl. Feet"}},
    {"OpPres", "Pressure units", false, &SdrOptions::pressureUnits, {"mmHg", "InchHg", "mbar"}},
    {"OpTemp", "Temperature units", false, &SdrOptions::temperatureUnits, {"Celsius", "Fahrenheit"}},
    {"OpTP", "Temperature and Pressure", true, &SdrOptions::temperatureAndPressure, {"On", "Off"}},
    {"OpCR", "Curvature and Refraction", true, &SdrOptions::curvatureAndRefraction, {"On", "Off"}},
    {"OpRCon", "Refraction constant", true, &SdrOptions::refractionConstant, {"0.132", "0.200"}},
    {"OpSL", "Sea level", true, &SdrOptions::seaLevel, {"On", "Off"}},
};

constexpr int kClientWidth = 5925; // twips
constexpr int kClientHeight = 4425;

QGroupBox* MakeFrame(const char* name, const char* caption, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    QFont bold = frame->font();
    bold.setBold(true);
    frame->setFont(bold);
    new QVBoxLayout(frame);
    return frame;
}

} // namespace

F_Sdr::F_Sdr(const SettingsModel& model, ProgramState& state, UserInteraction& ui, SdrOptions& store,
             QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_ui(ui)
    , m_state(state)
    , m_store(store)
{
    setObjectName("F_Sdr");
    setWindowTitle("SDR conversion settings");
    setModal(true);
    createGroups();
    resize(QSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight)).expandedTo(minimumSizeHint()));
    if (m_state.CreateIniMode)
        return;
    Profile ini;
    LoadSettingsProfile(ini, m_state.IniPath);
    // The store rounds a stored index and keeps it only when its group has that
    // button; anything else leaves the design selection.
    select(LoadSdrOptions(ini));
    OpCR_Click();
}

void F_Sdr::createGroups()
{
    auto* layout = new QVBoxLayout(this);
    auto* frames = new QHBoxLayout;
    QGroupBox* units = MakeFrame("FrUnits", "UNITS:", this);
    QGroupBox* corrections = MakeFrame("FrCorrections", "CORRECTIONS:", this);
    frames->addWidget(units);
    frames->addWidget(corrections);
    layout->addLayout(frames);
    const SdrOptions design;
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupRow& row = kGroups[g];
        QGroupBox* frame = row.corrections ? corrections : units;
        // A picture box per group, so that its buttons exclude only each other.
        auto* box = new QWidget(frame);
        box->setObjectName(QString("Pic") + row.name);
        QFont plain = frame->font(); // only the frames' captions are bold
        plain.setBold(false);
        box->setFont(plain);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(0, 0, 0, 0);
        boxLayout->addWidget(new QLabel(row.caption, box));
        auto* buttons = new QHBoxLayout;
        for (size_t i = 0; i < row.texts.size(); ++i) {
            auto* button = new QRadioButton(row.texts[i], box);
            button->setObjectName(QString(row.name) + QString::number(i));
            buttons->addWidget(button);
            m_options[g].push_back(button);
        }
        buttons->addStretch();
        boxLayout->addLayout(buttons);
        frame->layout()->addWidget(box);
    }
    select(design);
    for (QRadioButton* button : m_options[OpCR])
        connect(button, &QRadioButton::clicked, this, &F_Sdr::OpCR_Click);

    auto* comOK = new QPushButton("&OK", this);
    comOK->setObjectName("ComOK");
    auto* comCancel = new QPushButton("&Cancel", this);
    comCancel->setObjectName("ComCancel");
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(comOK);
    buttonRow->addWidget(comCancel);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);
    connect(comOK, &QPushButton::clicked, this, &F_Sdr::ComOK_Click);
    connect(comCancel, &QPushButton::clicked, this, &F_Sdr::reject);
}

void F_Sdr::select(const SdrOptions& options)
{
    for (int g = 0; g < kGroupCount; ++g) {
        const int index = options.*kGroups[g].value;
        if (index >= 0 && index < static_cast<int>(m_options[g].size()))
            m_options[g][index]->setChecked(true);
    }
}

SdrOptions F_Sdr::selection() const
{
    SdrOptions options;
    for (int g = 0; g < kGroupCount; ++g)
        for (size_t i = 0; i < m_options[g].size(); ++i)
            if (m_options[g][i]->isChecked()) {
                options.*kGroups[g].value = static_cast<int>(i);
                break;
            }
    return options;
}

// The refraction constant matters only while curvature and refraction is on; its
// choice is kept and saved either way.
void F_Sdr::OpCR_Click()
{
    const bool on = !m_options[OpCR][1]->isChecked();
    for (QRadioButton* button : m_options[OpRCon])
        button->setEnabled(on);
}

void F_Sdr::ComOK_Click()
{
    m_store = selection();
    ReportSettingsSave(SaveSettingsValues(SdrSettingsValues(m_store), m_state.IniPath), m_model, m_ui);
    accept();
}

void F_Sdr::reject()
{
    m_state.TransferStatus = "Cancel";
    QDialog::reject();
}

} // namespace tavrelo
