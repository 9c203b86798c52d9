#include "app/gui/F_stp.h"

#include "app/ControlText.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace tavrelo {

namespace {

constexpr const char* kTitle = "Custom layout";
constexpr double kClientWidth = 4965;
constexpr double kClientHeight = 3225;

constexpr const char* kSizeRefused = "The font size must be a number from 4 to 100.";
constexpr const char* kCaptionKept =
    "The caption cannot be empty: the settings file needs it.\r\nThe old caption is kept.";

template <class Control>
Control* Make(QWidget* parent, const char* name, const char* text, const TwipsPlace& place)
{
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    if (text)
        control->setProperty("text", QString::fromLatin1(text));
    PlaceTwips(control, place);
    return control;
}

const char* CaptionOf(const QWidget* control)
{
    return CaptionProperty(control, control->isWindow() ? ControlKind::Window : ControlKind::Captioned);
}

// Line breaks and other control characters become blanks: a caption or a tooltip is
// one line of the settings file.
QString OneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return text;
}

bool SameSize(double a, double b)
{
    return std::abs(a - b) < 0.005;
}

bool DefaultFontChooser(QFont& font, QWidget* parent)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent, QString::fromLatin1(kTitle));
    if (ok)
        font = chosen;
    return ok;
}

} // namespace

F_stp& F_stp::instance()
{
    static QPointer<F_stp> editor;
    if (!editor)
        editor = new F_stp;
    return *editor;
}

F_stp::F_stp()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint)
    , m_fontChooser(DefaultFontChooser)
{
    setObjectName("F_stp");
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    createControls();
}

void F_stp::createControls()
{
    m_lbCaption = Make<QLabel>(this, "LbCaption", "Caption:", {96, 216, 1260, 180});
    m_txCaption = Make<QLineEdit>(this, "TxCaption", nullptr, {1428, 144, 3500, 288});
    m_lbToolTips = Make<QLabel>(this, "LbToolTips", "ToolTipText", {96, 648, 1260, 180});
    m_txToolTips = Make<QLineEdit>(this, "TxToolTips", nullptr, {1428, 552, 3500, 288});
    m_comOK = Make<QPushButton>(this, "ComOK", "OK", {2472, 2712, 876, 396});
    m_comCancel = Make<QPushButton>(this, "ComCancel", "Cancel", {3816, 2736, 1044, 372});
    m_txFontName = Make<QLineEdit>(this, "TxFontName", nullptr, {1428, 984, 3024, 288});
    m_lbFontName = Make<QLabel>(this, "LbFontName", "Font name", {96, 1080, 1260, 180});
    m_txFontSize = Make<QLineEdit>(this, "TxFontSize", nullptr, {1428, 1392, 816, 288});
    m_lbFontSize = Make<QLabel>(this, "LbFontSize", "Font size", {96, 1488, 1260, 180});
    m_checkFontBold = Make<QCheckBox>(this, "CheckFontBold", "FontBold", {96, 1848, 1716, 252});
    m_checkFontItalic = Make<QCheckBox>(this, "CheckFontItalic", "FontItalic", {96, 2232, 1716, 252});
    m_command1 = Make<QPushButton>(this, "Command1", "...", {4488, 1008, 300, 252});
    m_comOK->setDefault(true);
    m_comCancel->setAutoDefault(false);
    m_command1->setAutoDefault(false);

    setTabOrder(m_txCaption, m_txToolTips);
    setTabOrder(m_txToolTips, m_comOK);
    setTabOrder(m_comOK, m_comCancel);
    setTabOrder(m_comCancel, m_txFontName);
    setTabOrder(m_txFontName, m_txFontSize);
    setTabOrder(m_txFontSize, m_checkFontBold);
    setTabOrder(m_checkFontBold, m_checkFontItalic);
    setTabOrder(m_checkFontItalic, m_command1);

    connect(m_comOK, &QPushButton::clicked, this, &F_stp::ComOK_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &F_stp::reject);
    connect(m_command1, &QPushButton::clicked, this, &F_stp::Command1_Click);
}

void F_stp::showOver(QWidget* owner, UserInteraction& ui)
{
    m_ui = &ui;
    const Qt::WindowFlags flags = windowFlags();
    setParent(owner, flags);
    Form_Activate();
    exec();
    // Unparented again: the editor outlives the dialogs it was shown over.
    setParent(nullptr, flags);
}

void F_stp::Form_Activate()
{
    const EditHandOver& handOver = CurrentEdit();
    QWidget* control = handOver.EditControl;
    const EditKind kind = handOver.EditControlKind;
    const bool window = kind == EditKind::Window;

    m_txCaption->setEnabled(kind != EditKind::NoCaption);
    if (kind == EditKind::NoCaption)
        m_txCaption->clear();
    else if (const char* caption = control ? CaptionOf(control) : nullptr)
        m_txCaption->setText(control->property(caption).toString());

    m_txToolTips->setEnabled(!window);
    for (QWidget* fontBox : {static_cast<QWidget*>(m_txFontName), static_cast<QWidget*>(m_txFontSize),
                             static_cast<QWidget*>(m_checkFontBold), static_cast<QWidget*>(m_checkFontItalic)})
        fontBox->setEnabled(!window);
    if (window)
        m_txToolTips->clear();
    else if (control)
        m_txToolTips->setText(control->toolTip());

    if (!control)
        return;
    const QFont font = control->font();
    m_txFontName->setText(font.family());
    if (font.pointSizeF() > 0)
        m_txFontSize->setText(ToQt(FormatMask(font.pointSizeF(), "0.00")));
    m_checkFontBold->setChecked(font.bold());
    m_checkFontItalic->setChecked(font.italic());
    (m_txCaption->isEnabled() ? m_txCaption : m_txToolTips)->setFocus();
}

// The font dialog changes only the boxes; OK applies them. A size box that is not a
// number as a whole keeps the dialog from opening.
void F_stp::Command1_Click()
{
    bool isNumber = false;
    const double size = QLocale::c().toDouble(m_txFontSize->text().trimmed(), &isNumber);
    if (!isNumber)
        return;
    QFont font(m_txFontName->text());
    font.setPointSizeF(std::clamp(size, kMinFontSize, kMaxFontSize));
    font.setBold(m_checkFontBold->isChecked());
    font.setItalic(m_checkFontItalic->isChecked());
    for (;;) {
        if (!m_fontChooser || !m_fontChooser(font, this))
            return;
        const double chosen = font.pointSizeF();
        if (chosen >= kMinFontSize && chosen <= kMaxFontSize)
            break;
        say(kSizeRefused); // the dialog opens again with the font chosen
    }
    if (!font.family().trimmed().isEmpty())
        m_txFontName->setText(font.family());
    m_txFontSize->setText(QString::number(static_cast<float>(font.pointSizeF()), 'g', 7));
    m_checkFontBold->setChecked(font.bold());
    m_checkFontItalic->setChecked(font.italic());
}

void F_stp::ComOK_Click()
{
    QWidget* control = CurrentEdit().EditControl;
    if (!control) {
        accept();
        return;
    }
    // The leading number, "." as the only decimal separator.
    const double size = Val(FromQt(m_txFontSize->text()));
    if (!fontSizeAccepted(control, size))
        return;
    if (CurrentEdit().EditControlKind != EditKind::NoCaption)
        applyCaption(control);
    if (!control->isWindow())
        control->setToolTip(OneLine(m_txToolTips->text()));
    applyFont(control, size);
    FitCaption(control);
    accept();
}

// A size the control already has is let through, whatever it is.
bool F_stp::fontSizeAccepted(QWidget* control, double size)
{
    if (SameSize(size, control->font().pointSizeF()) || (size >= kMinFontSize && size <= kMaxFontSize))
        return true;
    say(kSizeRefused);
    m_txFontSize->setFocus();
    m_txFontSize->selectAll();
    return false;
}

void F_stp::applyCaption(QWidget* control)
{
    const char* property = CaptionOf(control);
    if (!property)
        return;
    const QString caption = OneLine(m_txCaption->text());
    if (caption.trimmed().isEmpty() && !control->property(property).toString().trimmed().isEmpty()) {
        say(kCaptionKept);
        return;
    }
    control->setProperty(property, caption);
}

// Only a font that differs is set, so a window's unchanged font is not pressed onto
// its controls.
void F_stp::applyFont(QWidget* control, double size)
{
    QFont font = control->font();
    if (!m_txFontName->text().trimmed().isEmpty())
        font.setFamily(m_txFontName->text());
    if (!SameSize(size, font.pointSizeF()))
        font.setPointSizeF(size);
    font.setBold(m_checkFontBold->isChecked());
    font.setItalic(m_checkFontItalic->isChecked());
    if (font != control->font())
        control->setFont(font);
}

void F_stp::say(const char* text)
{
    if (m_ui)
        m_ui->message(text, MessageButtons::Ok, MessageIcon::Exclamation, kTitle);
}

} // namespace tavrelo
