// A control section put onto a widget by its kind, and read back for saving.
#include "app/ControlText.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tavrelo;

Q_DECLARE_METATYPE(tavrelo::ControlKind)

namespace {

ControlText Section()
{
    ControlText text;
    text.Caption = "&Caption";
    text.FontName = "MS Sans Serif";
    text.FontBold = true;
    text.FontItalic = true;
    text.FontSize = 9.75;
    text.Height = 1548; // not a whole number of pixels
    text.Width = 2011;
    text.ToolTipText = "Tip";
    return text;
}

std::unique_ptr<QWidget> Make(const QString& type)
{
    if (type == "button") return std::make_unique<QPushButton>("before");
    if (type == "label") return std::make_unique<QLabel>("before");
    if (type == "frame") return std::make_unique<QGroupBox>("before");
    if (type == "check") return std::make_unique<QCheckBox>("before");
    if (type == "combo") return std::make_unique<QComboBox>();
    if (type == "text") return std::make_unique<QLineEdit>();
    return std::make_unique<QWidget>();
}

QString CaptionOf(const QWidget* widget)
{
    for (const char* property : {"text", "title"})
        if (widget->property(property).isValid())
            return widget->property(property).toString();
    return widget->windowTitle();
}

} // namespace

class ControlBindingTest : public QObject {
    Q_OBJECT
private slots:
    void appliesTheLinesOfItsKind_data();
    void appliesTheLinesOfItsKind();
    void readsBackWhatItApplied_data();
    void readsBackWhatItApplied();
    void skipsRefusedValues_data();
    void skipsRefusedValues();
    void convertsWindows1252();
    void readsLiveChanges();
    void labelGetsRoomForItsCaptionButKeepsItsWidth();
};

void ControlBindingTest::appliesTheLinesOfItsKind_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<ControlKind>("kind");
    QTest::addColumn<bool>("caption");
    QTest::addColumn<bool>("height");
    QTest::addColumn<bool>("tooltip");
    QTest::newRow("text box") << "text" << ControlKind::TextBox << false << true << true;
    QTest::newRow("button") << "button" << ControlKind::Captioned << true << true << true;
    QTest::newRow("label") << "label" << ControlKind::Captioned << true << true << true;
    QTest::newRow("frame") << "frame" << ControlKind::Captioned << true << true << true;
    QTest::newRow("combo box") << "combo" << ControlKind::Combo << false << false << true;
    QTest::newRow("window") << "window" << ControlKind::Window << true << true << false;
}

void ControlBindingTest::appliesTheLinesOfItsKind()
{
    QFETCH(QString, type);
    QFETCH(ControlKind, kind);
    QFETCH(bool, caption);
    QFETCH(bool, height);
    QFETCH(bool, tooltip);
    auto widget = Make(type);
    widget->resize(10, 10);
    const ControlText text = Section();
    ApplyControlText(widget.get(), kind, text);

    QCOMPARE(CaptionOf(widget.get()) == "&Caption", caption);
    QCOMPARE(widget->toolTip() == "Tip", tooltip);
    QCOMPARE(widget->font().family(), QString("MS Sans Serif"));
    QVERIFY(widget->font().bold() && widget->font().italic());
    QCOMPARE(widget->font().pointSizeF(), 9.75);
    const double frameWidth = kind == ControlKind::Window ? kWindowFrameWidthTwips : 0;
    const double frameHeight = kind == ControlKind::Window ? kWindowFrameHeightTwips : 0;
    QCOMPARE(widget->width(), TwipsToPixels(2011 - frameWidth));
    QCOMPARE(widget->height() == TwipsToPixels(1548 - frameHeight), height);
}

void ControlBindingTest::readsBackWhatItApplied_data()
{
    appliesTheLinesOfItsKind_data();
}

void ControlBindingTest::readsBackWhatItApplied()
{
    QFETCH(QString, type);
    QFETCH(ControlKind, kind);
    auto widget = Make(type);
    const ControlText applied = Section();
    ApplyControlText(widget.get(), kind, applied);
    ControlText read;
    read.Height = -1;
    read.Width = -1;
    read.Caption = "untouched";
    ReadControlText(widget.get(), kind, read);

    QCOMPARE(read.FontName, applied.FontName);
    QCOMPARE(read.FontBold, true);
    QCOMPARE(read.FontItalic, true);
    QCOMPARE(read.FontSize, 9.75);
    // The sizes stay the section's: the widget shows the size it was given.
    QCOMPARE(read.Width, -1.0);
    QCOMPARE(read.Height, -1.0);
    const bool captioned = kind == ControlKind::Captioned || kind == ControlKind::Window;
    QCOMPARE(read.Caption, std::string(captioned ? "&Caption" : "untouched"));
}

void ControlBindingTest::skipsRefusedValues_data()
{
    QTest::addColumn<double>("fontSize");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("font size 0") << 0.0 << 1500.0 << 3000.0;
    QTest::newRow("negative font size") << -3.0 << 1500.0 << 3000.0;
    QTest::newRow("negative width") << 12.0 << -15.0 << 3000.0;
    QTest::newRow("negative height") << 12.0 << 1500.0 << -1.0;
    // Sizes no screen can show, as a hand-edited settings file can hold them.
    QTest::newRow("width 1e12") << 12.0 << 1e12 << 3000.0;
    QTest::newRow("height 1e20") << 12.0 << 1500.0 << 1e20;
    QTest::newRow("width one pixel past the most") << 12.0 << (kMostPixels + 1.0) * kTwipsPerPixel << 3000.0;
}

void ControlBindingTest::skipsRefusedValues()
{
    QFETCH(double, fontSize);
    QFETCH(double, width);
    QFETCH(double, height);
    QPushButton button("before");
    QFont font = button.font();
    font.setPointSizeF(10);
    button.setFont(font);
    button.resize(50, 20);
    ControlText text = Section();
    text.FontSize = fontSize;
    text.Width = width;
    text.Height = height;
    ApplyControlText(&button, ControlKind::Captioned, text);

    QCOMPARE(button.text(), QString("&Caption"));
    QCOMPARE(button.font().pointSizeF(), fontSize > 0 ? fontSize : 10.0);
    const auto shown = [](double twips) { return twips >= 0 && twips <= kMostPixels * double(kTwipsPerPixel); };
    QCOMPARE(button.width(), shown(width) ? TwipsToPixels(width) : 50);
    QCOMPARE(button.height(), shown(height) ? TwipsToPixels(height) : 20);

    // A window's outer size: the same sizes leave it as it was.
    QWidget window;
    window.resize(300, 200);
    text.Width = width;
    text.Height = height;
    ApplyControlText(&window, ControlKind::Window, text);
    QCOMPARE(window.width(), shown(width) ? TwipsToPixels(width - kWindowFrameWidthTwips) : 300);
    QCOMPARE(window.height(), shown(height) ? TwipsToPixels(height - kWindowFrameHeightTwips) : 200);
}

void ControlBindingTest::convertsWindows1252()
{
    QLabel label;
    ControlText text = Section();
    text.Caption = "H\xf6he \x80";
    text.ToolTipText = "\xc5s";
    ApplyControlText(&label, ControlKind::Captioned, text);
    QCOMPARE(label.text(), QString::fromUtf8("Höhe €"));
    QCOMPARE(label.toolTip(), QString::fromUtf8("Ås"));

    label.setText(QString::fromUtf8("Höhe ☃"));
    ControlText read;
    ReadControlText(&label, ControlKind::Captioned, read);
    QCOMPARE(read.Caption, std::string("H\xf6he ?"));
}

void ControlBindingTest::readsLiveChanges()
{
    QPushButton button;
    ApplyControlText(&button, ControlKind::Captioned, Section());
    button.setText("Changed");
    button.resize(100, 30); // as a layout fits it
    ControlText read = Section();
    ReadControlText(&button, ControlKind::Captioned, read);
    QCOMPARE(read.Caption, std::string("Changed"));
    QCOMPARE(read.Width, 2011.0);
    QCOMPARE(read.Height, 1548.0);

    // A window: the size the program gives it is no change; the user's is.
    QWidget window;
    ApplyControlText(&window, ControlKind::Window, Section());
    SetWindowOuterHeight(&window, 3000);
    read = Section();
    ReadControlText(&window, ControlKind::Window, read);
    QCOMPARE(read.Width, 2011.0);
    QCOMPARE(read.Height, 1548.0);
    window.resize(400, 300);
    ReadControlText(&window, ControlKind::Window, read);
    QCOMPARE(read.Width, 400 * kTwipsPerPixel + kWindowFrameWidthTwips);
    QCOMPARE(read.Height, 300 * kTwipsPerPixel + kWindowFrameHeightTwips);
}

void ControlBindingTest::labelGetsRoomForItsCaptionButKeepsItsWidth()
{
    QLabel label;
    ControlText text = Section();
    text.Caption = "A caption far longer than its designed width";
    text.Width = 300;
    ApplyControlText(&label, ControlKind::Captioned, text);
    QVERIFY(label.width() >= label.sizeHint().width());
    QCOMPARE(TwipsWidth(&label), 300.0);
}

QTEST_MAIN(ControlBindingTest)
#include "tst_ControlBinding.moc"
