#include "mainwindow/ReceivePage.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/Twips.h"
#include "link/InstrumentDownload.h"
#include "mainwindow/Controls.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/FileNameDrops.h"
#include "mainwindow/SetupOverlay.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavrelo {

namespace {

// Tops of the three rows of option buttons and the file button in Fr1 and Fr2.
constexpr double kRowTops[] = {300, 700, 1100};
// Design places (twips) of what the layout leaves where it is.
constexpr double kCommandTop = 3900;

} // namespace

ReceivePage::ReceivePage(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
                         QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_options(options)
    , m_download(std::make_unique<InstrumentDownload>(model, state, ui))
    , m_seams(DefaultReceiveSeams(*m_download))
    , m_dialogs(std::make_unique<DialogHost>(
          model, state, ui, options, [this] { return window(); }, [this] { return kofJob(); }))
{
    setObjectName("ReceivePage");
    createSource();
    createReceiveKind();
    createSaveAs();
    createCommands();
    wire();
}

void ReceivePage::createSource()
{
    m_fr1 = MakeControlAt<QGroupBox>(this, "Fr1", 90, 380);
    for (int i = 0; i < 2; ++i) {
        m_opSourse[i] =
            MakeControlAt<QRadioButton>(m_fr1, ArrayName("OpSourse", i).c_str(), 120, kRowTops[i]);
    }
    m_opSourse[0]->setChecked(true);
    m_comFileName = MakeControlAt<QPushButton>(m_fr1, "ComFileName", 120, kRowTops[2]);
    m_comFileName->setEnabled(false);
}

void ReceivePage::createReceiveKind()
{
    m_fr2 = MakeControlAt<QGroupBox>(this, "Fr2", 3600, 380);
    for (int i = 0; i < 3; ++i) {
        m_opReceive[i] =
            MakeControlAt<QRadioButton>(m_fr2, ArrayName("OpReceive", i).c_str(), 120, kRowTops[i]);
    }
    m_opReceive[0]->setChecked(true);
}

void ReceivePage::createSaveAs()
{
    m_fr3 = MakeControlAt<QGroupBox>(this, "Fr3", 90, 2100);
    m_lbFileName = MakeControlAt<QLabel>(m_fr3, "LbFileName", 150, 285);
    m_txFileName = MakeControlAt<QLineEdit>(m_fr3, "TxFileName", 1600, 264);
    TakeFileDrops(m_txFileName);
    m_comSaveBrowse = MakeControlAt<QPushButton>(m_fr3, "ComSaveBrowse", 5700, 240);
    m_lbDataformat = MakeControlAt<QLabel>(m_fr3, "LbDataformat", 120, 765);
    m_comboDataFormat = MakeControlAt<QComboBox>(m_fr3, "ComboDataFormat", 1600, 740);
    m_comSaveSetings = MakeControlAt<QPushButton>(m_fr3, "ComSaveSetings", 5700, 740);
    m_checkOrigDF = MakeControlAt<QCheckBox>(m_fr3, "CheckOrigDF", 1600, 1152);
    m_imTxFileName = new SetupOverlay("ImTxFileName", m_txFileName, m_state.SetupMode);
    m_imComboDataFormat = new SetupOverlay("ImComboDataFormat", m_comboDataFormat, m_state.SetupMode);
}

void ReceivePage::createCommands()
{
    m_comDLN = MakeControlAt<QPushButton>(this, "ComDLN", 90, kCommandTop);
    m_comConv = MakeControlAt<QPushButton>(this, "ComConv", 90, kCommandTop);
    m_comConv->hide();
    m_comViewFile = MakeControlAt<QPushButton>(this, "ComViewFile", 5400, kCommandTop);
    m_comViewFile->setEnabled(false);
}

void ReceivePage::wire()
{
    for (int i = 0; i < 2; ++i)
        OnSelected(m_opSourse[i], this, [this, i] { OpSourse_Click(i); });
    for (int i = 0; i < 3; ++i)
        OnSelected(m_opReceive[i], this, [this, i] { OpReceive_Click(i); });
    connect(m_comboDataFormat, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ReceivePage::ComboDataFormat_Click);
    connect(m_txFileName, &QLineEdit::textChanged, this, &ReceivePage::TxFileName_Change);
    connect(m_txFileName, &QLineEdit::returnPressed, this, &ReceivePage::TxFileName_KeyPress);
    connect(m_comFileName, &QPushButton::clicked, this, &ReceivePage::ComFileName_Click);
    connect(m_comSaveBrowse, &QPushButton::clicked, this, &ReceivePage::ComSaveBrowse_Click);
    connect(m_comSaveSetings, &QPushButton::clicked, this, &ReceivePage::ComSaveSetings_Click);
    connect(m_comDLN, &QPushButton::clicked, this, &ReceivePage::ComDLN_Click);
    connect(m_comConv, &QPushButton::clicked, this, &ReceivePage::ComConv_Click);
    connect(m_comViewFile, &QPushButton::clicked, this, &ReceivePage::ComViewFile_Click);
}

ReceivePage::~ReceivePage() = default;

int ReceivePage::checkOrigDFValue() const
{
    return m_checkOrigDF->isChecked() ? 1 : 0;
}

void ReceivePage::ResizeForm(const FormGeometry& g)
{
    const double T = g.T;
    const double halfWidth = T / 2 - 150;
    for (QGroupBox* frame : {m_fr1, m_fr2}) {
        SetTwipsTop(frame, g.top(380));
        SetTwipsHeight(frame, 1650);
        SetTwipsWidth(frame, halfWidth);
    }
    SetTwipsLeft(m_fr1, g.left(90));
    SetTwipsLeft(m_fr2, g.left(T / 2 + 60));
    QWidget* const options[] = {m_opSourse[0], m_opSourse[1], m_comFileName,
                                m_opReceive[0], m_opReceive[1], m_opReceive[2]};
    for (QWidget* option : options)
        SetTwipsWidth(option, T / 2 - 390);

    PlaceAt(m_fr3, g.left(90), g.top(2100));
    SetTwipsWidth(m_fr3, T - 180);

    SetTwipsLeft(m_comDLN, g.left(90));
    SetTwipsLeft(m_comConv, g.left(90));
    SetTwipsLeft(m_comViewFile, g.left(T - 90 - TwipsWidth(m_comViewFile)));
    if (g.H > 5100) {
        SetTwipsTop(m_comDLN, g.top(g.H - 1200 - TwipsHeight(m_comDLN)));
        SetTwipsTop(m_comConv, g.top(g.H - 1200 - TwipsHeight(m_comConv)));
        SetTwipsTop(m_comViewFile, g.top(g.H - 1200 - TwipsHeight(m_comDLN)));
    }

    QWidget* const boxes[] = {m_txFileName, m_comboDataFormat, m_checkOrigDF};
    for (QWidget* box : boxes)
        SetTwipsLeft(box, 1600);
    if (g.W - 3300 > 0) {
        SetTwipsWidth(m_txFileName, g.W - 3300);
        SetTwipsWidth(m_comboDataFormat, g.W - 3300);
    }
    SetTwipsTop(m_comSaveBrowse, 240);
    SetTwipsTop(m_comSaveSetings, 740);
    SetTwipsTop(m_comboDataFormat, 740);
    SetTwipsLeft(m_comSaveBrowse, T - TwipsWidth(m_comSaveBrowse) - 270);
    SetTwipsLeft(m_comSaveSetings, T - TwipsWidth(m_comSaveSetings) - 270);
}

} // namespace tavrelo
