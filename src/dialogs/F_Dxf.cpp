#include "dialogs/F_Dxf.h"

#include "app/ProgramState.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DxfPalette.h"
#include "dialogs/SettingsSaveReport.h"
#include "dialogs/UpDown.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <charconv>
#include <cmath>

namespace tavrelo {

namespace {

// Design layout in twips. Row i starts at kRowTop + i * kRowStep; its second line holds
// the layer, the text size with its up-down and the colour button.
constexpr int kClientWidth = 5760;
constexpr int kClientHeight = 4530;
constexpr TwipsPlace kTxPL{1800, 240, 1215, 285};
constexpr double kRowTop = 720;
constexpr double kRowStep = 960;
constexpr double kLineTwo = 360;
constexpr TwipsPlace kCheck{240, 0, 3015, 255};
constexpr TwipsPlace kTxLN{1260, 0, 975, 285};
constexpr TwipsPlace kTxTS{3240, 0, 495, 285};
constexpr TwipsPlace kUpDown{3735, 0, 240, 285};
constexpr TwipsPlace kComSelColor{4800, -8, 300, 300};
// As far below the code row's second line as the rows stand apart.
constexpr TwipsPlace kOption3D[2] = {{240, 3600, 1335, 255}, {2400, 3600, 1335, 255}};
constexpr double kButtonWidth = 1095;
constexpr double kButtonHeight = 375;
constexpr double kLabelGap = 48;
constexpr double kButtonSide = 400;
constexpr double kButtonBottom = 96;
constexpr double kPaletteRight = 200;

const char* const kCheckTexts[3] = {"Write Point Name next to point", "Write Elevation next to point",
                                    "Write Code next to point"};

template <class Control>
Control* MakeCaptioned(QWidget* parent, const char* name, int index, const char* caption)
{
    Control* control = MakeNamed<Control>(parent, name, index);
    control->setText(caption);
    return control;
}

TwipsPlace InRow(const TwipsPlace& place, double top)
{
    return {place.left, top + place.top, place.width, place.height};
}

// The palette index of a row's Tag as the DXF writers will use it.
int WrittenPaletteIndex(const std::string& tag)
{
    DxfOptions probe;
    probe.labels[0].colourTag = tag;
    return probe.labelColour(0) - 1;
}

// The palette index a Tag names: its number rounded to a whole number; -1 when it
// names none.
int TagPaletteIndex(const std::string& tag)
{
    try {
        return CInt(Val(tag));
    } catch (const OverflowError&) {
        return -1;
    }
}

} // namespace

F_Dxf::F_Dxf(SettingsModel& model, ProgramState& state, UserInteraction& ui, DxfOptions& store, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_store(store)
    , m_texts(this)
{
    setObjectName("F_Dxf");
    setWindowTitle("DXF format settings");
    setModal(true);
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    createControls();
    registerTexts();
    if (m_texts.loadWithOptions(m_model, m_state, [this](const Profile& ini) { loadOptions(ini); }))
        m_texts.setSetupMode(m_state.SetupMode);
}

void F_Dxf::createControls()
{
    m_lbPL = MakeCaptioned<QLabel>(this, "LbPL", -1, "Point layer name:");
    m_txPL = MakeNamed<QLineEdit>(this, "TxPL");
    m_txPL->setText("PT");
    PlaceTwips(m_txPL, kTxPL);
    for (int row = 0; row < 3; ++row)
        createRow(row);
    for (int i = 0; i < 2; ++i) {
        m_option3D[i] = MakeCaptioned<QRadioButton>(this, "Option3D", i, i == 0 ? "Output 3D" : "Output 2D");
        PlaceTwips(m_option3D[i], kOption3D[i]);
        connect(m_option3D[i], &QRadioButton::clicked, this, &F_Dxf::hidePalette);
    }
    m_option3D[0]->setChecked(true);
    m_comOK = MakeCaptioned<QPushButton>(this, "ComOK", -1, "&OK");
    m_comOK->setDefault(true);
    m_comCancel = MakeCaptioned<QPushButton>(this, "ComCancel", -1, "&Cancel");
    m_comCancel->setAutoDefault(false);
    for (QPushButton* button : {m_comOK, m_comCancel}) {
        SetTwipsWidth(button, kButtonWidth);
        SetTwipsHeight(button, kButtonHeight);
    }
    m_palette = new DxfPalette(this); // last, so that its colours follow in the tab order
    connect(m_comOK, &QPushButton::clicked, this, &F_Dxf::ComOK_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &F_Dxf::reject);
    connect(m_palette, &DxfPalette::picked, this, &F_Dxf::ComCol_Click);
}

void F_Dxf::createRow(int row)
{
    static const char* const kLayers[3] = {"PN", "EL", "CD"};
    Row& r = m_rows[row];
    const double top = kRowTop + row * kRowStep;
    const double lineTwo = top + kLineTwo;
    r.check = MakeCaptioned<QCheckBox>(this, "Check", row, kCheckTexts[row]);
    r.check->setChecked(true);
    PlaceTwips(r.check, InRow(kCheck, top));
    r.lbLN = MakeCaptioned<QLabel>(this, "LbLN", row, "Layer name:");
    r.txLN = MakeNamed<QLineEdit>(this, "TxLN", row);
    r.txLN->setText(kLayers[row]);
    PlaceTwips(r.txLN, InRow(kTxLN, lineTwo));
    r.lbTS = MakeCaptioned<QLabel>(this, "LbTS", row, "Text size:");
    r.txTS = MakeNamed<QLineEdit>(this, "TxTS", row);
    r.txTS->setText("1");
    PlaceTwips(r.txTS, InRow(kTxTS, lineTwo));
    r.upDown = new UpDown(r.txTS, this);
    r.upDown->setObjectName(QString("UpDown%1").arg(row));
    PlaceTwips(r.upDown, InRow(kUpDown, lineTwo));
    r.lbColr = MakeCaptioned<QLabel>(this, "LbColr", row, "Color:");
    r.comSelColor = MakeNamed<QPushButton>(this, "ComSelColor", row);
    r.comSelColor->setAutoDefault(false);
    r.comSelColor->setToolTip("Select Color");
    PlaceTwips(r.comSelColor, InRow(kComSelColor, lineTwo));
    ShowBackColour(r.comSelColor, PaletteColour(0));
    connect(r.check, &QCheckBox::toggled, this, [this, row] { Check_Click(row); });
    connect(r.comSelColor, &QPushButton::clicked, this, [this, row] { ComSelColor_Click(row); });
}

void F_Dxf::registerTexts()
{
    m_texts.add(this, "DxfFormSetting", ControlKind::Window);
    const auto add = [this](QWidget* widget, const std::string& name) {
        m_texts.add(widget, "DxfFormSetting_" + name, ControlKind::Captioned);
        m_texts.addEditable(widget, EditKind::Caption);
    };
    add(m_lbPL, "LbPL");
    for (int row = 0; row < 3; ++row)
        add(m_rows[row].check, "Check" + std::to_string(row));
    for (int row = 0; row < 3; ++row)
        add(m_rows[row].lbLN, "LbLN" + std::to_string(row));
    for (int row = 0; row < 3; ++row)
        add(m_rows[row].lbTS, "LbTS" + std::to_string(row));
    add(m_option3D[0], "Option3D0");
    add(m_option3D[1], "Option3D1");
    add(m_comOK, "ComOK");
    add(m_comCancel, "ComCancel");
    for (int row = 0; row < 3; ++row)
        add(m_rows[row].lbColr, "LbColr" + std::to_string(row));
    for (int row = 0; row < 3; ++row)
        add(m_rows[row].comSelColor, "ComSelColor" + std::to_string(row));
}

void F_Dxf::loadOptions(const Profile& ini)
{
    const DxfOptions options = LoadDxfOptions(ini);
    m_txPL->setText(ToQt(options.pointLayer));
    for (int row = 0; row < 3; ++row) {
        Row& r = m_rows[row];
        const DxfLabelOptions& label = options.labels[row];
        r.txLN->setText(ToQt(label.layer));
        r.txTS->setText(ToQt(label.textSize));
        {
            const QSignalBlocker blocker(r.check);
            r.check->setChecked(label.enabled);
        }
        Check_Click(row);
        r.tag = label.colourTag;
        showRowColour(row);
    }
    m_option3D[options.output3D ? 0 : 1]->setChecked(true);
}

// The button shows the colour that the writer will give the row's texts: a Tag outside
// the palette is written as colour 7, white.
void F_Dxf::showRowColour(int row)
{
    ShowBackColour(m_rows[row].comSelColor, PaletteColour(WrittenPaletteIndex(m_rows[row].tag)));
}

DxfOptions F_Dxf::choices() const
{
    DxfOptions options;
    options.pointLayer = FromQt(m_txPL->text());
    for (int row = 0; row < 3; ++row) {
        const Row& r = m_rows[row];
        DxfLabelOptions& label = options.labels[row];
        label.enabled = r.check->isChecked();
        label.layer = FromQt(r.txLN->text());
        label.textSize = FromQt(r.txTS->text());
        label.colourTag = r.tag;
    }
    options.output3D = m_option3D[0]->isChecked();
    return options;
}

bool F_Dxf::IsUsableTextSize(const std::string& text)
{
    std::string number = Trim(text);
    if (!number.empty() && number[0] == '+')
        number.erase(0, 1);
    if (number.empty() || number[0] == '-')
        return false;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [at, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
    return error == std::errc() && at == end && std::isfinite(value) && value > 0;
}

// Only the rows that are written need a usable size; a switched-off row keeps its text.
bool F_Dxf::checkTextSizes()
{
    for (int row = 0; row < 3; ++row) {
        const Row& r = m_rows[row];
        if (!r.check->isChecked() || IsUsableTextSize(FromQt(r.txTS->text())))
            continue;
        const std::string rowName = FromQt(r.check->text().remove('&'));
        m_ui.message("The text size for \"" + rowName + "\" must be a number above 0, such as 1 or 2.5.",
                     MessageButtons::Ok, MessageIcon::Exclamation, FromQt(windowTitle()));
        r.txTS->setFocus();
        r.txTS->selectAll();
        return false;
    }
    return true;
}

void F_Dxf::hidePalette()
{
    m_palette->hide();
}

void F_Dxf::Form_Activate()
{
    PlaceCaptionLabel(m_lbPL, m_txPL, kLabelGap, LabelAlign::Centre);
    for (Row& r : m_rows) {
        PlaceCaptionLabel(r.lbLN, r.txLN, kLabelGap, LabelAlign::Centre);
        PlaceCaptionLabel(r.lbTS, r.txTS, kLabelGap, LabelAlign::Centre);
        PlaceCaptionLabel(r.lbColr, r.comSelColor, kLabelGap, LabelAlign::Centre);
    }
    m_palette->arrange();
    const double innerWidth = width() * kTwipsPerPixel;
    const double innerHeight = height() * kTwipsPerPixel;
    SetTwipsLeft(m_comOK, kButtonSide);
    SetTwipsLeft(m_comCancel, innerWidth - TwipsWidth(m_comCancel) - kButtonSide);
    SetTwipsTop(m_comOK, innerHeight - TwipsHeight(m_comOK) - kButtonBottom);
    SetTwipsTop(m_comCancel, innerHeight - TwipsHeight(m_comCancel) - kButtonBottom);
}

void F_Dxf::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void F_Dxf::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// A press on the background or on a row's caption label closes the palette; the
// point layer label and the palette's own frame leave it open.
void F_Dxf::mousePressEvent(QMouseEvent* event)
{
    QWidget* child = childAt(event->position().toPoint());
    bool closes = child == nullptr;
    for (const Row& r : m_rows)
        closes = closes || child == r.lbLN || child == r.lbTS || child == r.lbColr;
    if (closes)
        hidePalette();
    QDialog::mousePressEvent(event);
}

void F_Dxf::Check_Click(int row)
{
    hidePalette();
    const Row& r = m_rows[row];
    const bool on = r.check->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{r.lbLN, r.txLN, r.txTS, r.lbTS, r.upDown, r.lbColr, r.comSelColor})
        w->setEnabled(on);
}

void F_Dxf::ComSelColor_Click(int row)
{
    if (m_state.SetupMode)
        return;
    m_colorRow = row;
    const QPushButton* button = m_rows[row].comSelColor;
    SetTwipsLeft(m_palette, WindowOuterWidth(this) - TwipsWidth(m_palette) - kPaletteRight);
    SetTwipsTop(m_palette, TwipsTop(button) + TwipsHeight(button));
    m_palette->show();
    m_palette->raise();
    // The focus goes to the colour the Tag names; a Tag that names none leaves it where it is.
    if (const int k = TagPaletteIndex(m_rows[row].tag); k >= 0 && k < kPaletteSize)
        m_palette->ComCol(k)->setFocus();
}

void F_Dxf::ComCol_Click(int index)
{
    Row& r = m_rows[m_colorRow];
    r.tag = " " + std::to_string(index); // the index with a blank in the place of a sign
    showRowColour(m_colorRow);
    hidePalette(); // before the focus moves, so that leaving the last colour does not wrap
    r.comSelColor->setFocus();
}

void F_Dxf::ComOK_Click()
{
    hidePalette();
    if (m_state.SetupMode) {
        ReportSettingsSave(m_texts.save(m_model, m_state.IniPath), m_model, m_ui);
        done(QDialog::Rejected); // texts saved, nothing to convert
        return;
    }
    if (!checkTextSizes())
        return;
    m_store = choices();
    // The choices hold for this run even when the file could not keep them.
    ReportSettingsSave(SaveSettingsValues(DxfSettingsValues(m_store), m_state.IniPath), m_model, m_ui);
    accept();
}

void F_Dxf::reject()
{
    hidePalette();
    m_state.TransferStatus = "Cancel";
    QDialog::reject();
}

} // namespace tavrelo
