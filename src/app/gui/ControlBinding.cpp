#include "app/gui/ControlBinding.h"

#include "app/gui/QtText.h"
#include "app/gui/Twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace tavrelo {

namespace {

struct KindLines {
    ControlKind kind;
    bool caption;
    bool height;
    bool tooltip;
};

// Font and width apply to every kind.
constexpr KindLines kKindLines[] = {
    {ControlKind::TextBox, false, true, true},
    {ControlKind::Captioned, true, true, true},
    {ControlKind::Combo, false, false, true},
    {ControlKind::Window, true, true, false},
};

const KindLines& LinesOf(ControlKind kind)
{
    for (const KindLines& lines : kKindLines)
        if (lines.kind == kind)
            return lines;
    return kKindLines[1]; // any other code is a captioned control
}

bool UsableFontSize(double points)
{
    return std::isfinite(points) && points > 0 && points <= kMaxFontSize;
}

void ApplyFont(QWidget* widget, const ControlText& text)
{
    QFont font = widget->font();
    if (!text.FontName.empty())
        font.setFamily(ToQt(text.FontName));
    font.setBold(text.FontBold);
    font.setItalic(text.FontItalic);
    if (UsableFontSize(text.FontSize))
        font.setPointSizeF(text.FontSize);
    widget->setFont(font);
}

// Fonts that stand in for the one the texts were designed with run wider; a label
// gets the width its caption needs, while its designed width is what is saved.
void FitLabel(QWidget* widget, double widthTwips)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || label->wordWrap() || widthTwips < 0)
        return;
    const int needed = label->sizeHint().width();
    if (needed > label->width())
        ShowWidthOfTwips(label, widthTwips, needed);
}

void ApplySize(QWidget* widget, ControlKind kind, const ControlText& text, bool height)
{
    if (kind == ControlKind::Window) {
        SetWindowOuterWidth(widget, text.Width);
        SetWindowOuterHeight(widget, text.Height);
        return;
    }
    SetTwipsWidth(widget, text.Width);
    if (height)
        SetTwipsHeight(widget, text.Height);
    FitLabel(widget, text.Width);
}

} // namespace

const char* CaptionProperty(const QWidget* widget, ControlKind kind)
{
    struct ClassCaption {
        const QMetaObject* type;
        const char* property;
    };
    static const ClassCaption kCaptions[] = {
        {&QAbstractButton::staticMetaObject, "text"},
        {&QLabel::staticMetaObject, "text"},
        {&QGroupBox::staticMetaObject, "title"},
    };
    if (kind == ControlKind::Window)
        return "windowTitle";
    for (const ClassCaption& entry : kCaptions)
        if (widget->metaObject()->inherits(entry.type))
            return entry.property;
    return nullptr;
}

void ApplyControlText(QWidget* widget, ControlKind kind, const ControlText& text)
{
    if (!widget)
        return;
    const KindLines& lines = LinesOf(kind);
    if (lines.caption)
        if (const char* property = CaptionProperty(widget, kind))
            widget->setProperty(property, ToQt(text.Caption));
    ApplyFont(widget, text);
    ApplySize(widget, kind, text, lines.height);
    if (lines.tooltip)
        widget->setToolTip(ToQt(text.ToolTipText));
}

void FitCaption(QWidget* widget)
{
    if (widget)
        FitLabel(widget, TwipsWidth(widget));
}

void ReadControlText(const QWidget* widget, ControlKind kind, ControlText& text)
{
    if (!widget)
        return;
    const KindLines& lines = LinesOf(kind);
    if (lines.caption)
        if (const char* property = CaptionProperty(widget, kind))
            text.Caption = FromQt(widget->property(property).toString());
    const QFont font = widget->font();
    text.FontName = FromQt(font.family());
    text.FontBold = font.bold();
    text.FontItalic = font.italic();
    text.FontSize = font.pointSizeF();
    // Sizes are the section's: the layouts fit controls and windows to their texts and
    // to the window's size at every show, and what they make of the section is no
    // setting. Only a window the user has resized (the main window in setup mode)
    // carries its new size back.
    if (kind == ControlKind::Window && !ShowsTheSizeItWasGiven(widget)) {
        text.Width = WindowOuterWidth(widget);
        text.Height = WindowOuterHeight(widget);
    }
    if (lines.tooltip)
        text.ToolTipText = FromQt(widget->toolTip());
}

} // namespace tavrelo
