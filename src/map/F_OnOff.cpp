#include "map/F_OnOff.h"

#include "map/MapControls.h"
#include "map/core/MapLayers.h"

#include <algorithm>

#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace tavrelo {

namespace {

const char* const kLayerItems[kLayerCount] = {"Stations",    "Points <SS>", "Points <CP>", "Points <UP>",
                                              "Points <MP>", "Points <CC>", "Points <RE>", "Points <MC>"};
const char* const kAttributeItems[kAttributeCount] = {"Point", "Number - Name", "Elevation", "Code"};

void fill(QListWidget* list, const char* const* items, int count)
{
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(QString::fromLatin1(items[i]), list);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
}

bool ticked(const QListWidgetItem* item) { return item->checkState() == Qt::Checked; }

} // namespace

F_OnOff::F_OnOff(MapLayers& layers, QWidget* parent) : QDialog(parent), m_layers(layers)
{
    setObjectName("F_OnOff");
    setWindowTitle(QStringLiteral("Viewing Selections"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(5100), TwipsToPixels(2895));
    createControls();
    fitButtons();
    fill(m_listLayres, kAttributeItems, kAttributeCount);
    fill(m_lsOnOff, kLayerItems, kLayerCount);
    m_layers.setDialogDefaults();
    connect(m_lsOnOff, &QListWidget::itemChanged, this, &F_OnOff::LsOnOff_ItemCheck);
    connect(m_lsOnOff, &QListWidget::currentRowChanged, this, &F_OnOff::LsOnOff_Click);
    connect(m_listLayres, &QListWidget::itemChanged, this, &F_OnOff::ListLayres_ItemCheck);
    m_listLayres->installEventFilter(this);
    ComNaiOLL_Click(1);
    m_lsOnOff->setCurrentRow(0);
    showLayer(0);
}

void F_OnOff::createControls()
{
    m_lsOnOff = MapControl<QListWidget>(this, "LsOnOff", 72, 90, 2340, 2310);
    m_lsOnOff->setStyleSheet(QStringLiteral("QListWidget { background: #c0c0c0; }"));
    m_listLayres = MapControl<QListWidget>(this, "ListLayres", 2460, 90, 2595, 960);
    m_listLayres->setStyleSheet(QStringLiteral("QListWidget { background: #ffffe1; }"));
    struct Button {
        const char* name;
        const char* text;
        double left, top, width, height;
        void (F_OnOff::*handler)(int);
        int index;
    };
    const Button buttons[] = {
        {"ComNaiOLL0", "Select all", 2490, 1140, 1065, 315, &F_OnOff::ComNaiOLL_Click, 0},
        {"ComOxiOLL0", "Deselect all", 3990, 1140, 1065, 315, &F_OnOff::ComOxiOLL_Click, 0},
        {"ComNaiOLL1", "Select all", 90, 2520, 1065, 315, &F_OnOff::ComNaiOLL_Click, 1},
        {"ComOxiOLL1", "Deselect all", 1350, 2520, 1065, 315, &F_OnOff::ComOxiOLL_Click, 1},
    };
    for (const Button& b : buttons) {
        auto* button = MapControl<QPushButton>(this, b.name, b.left, b.top, b.width, b.height);
        button->setText(QString::fromLatin1(b.text));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, b] { (this->*b.handler)(b.index); });
    }
    auto* ok = MapControl<QPushButton>(this, "ComOK", 3660, 1920, 1215, 375);
    ok->setText(QStringLiteral("&OK"));
    connect(ok, &QPushButton::clicked, this, [this] { commit(true); });
    auto* cancel = MapControl<QPushButton>(this, "ComCancel", 3660, 2400, 1215, 375);
    cancel->setText(QStringLiteral("&Cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { commit(false); });
}

namespace {

// The design's room left of the lists, kept right of everything and between buttons.
constexpr double kEdgeTwips = 90;

int right(const QWidget* w) { return w->x() + w->width(); }

// A button at least as wide as its text with the style's margins and frame needs
// (its size hint may ask more: Fusion gives every button 80 pixels).
void widenToText(QPushButton* button)
{
    const QStyle* style = button->style();
    const int needed = button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) +
                       2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                       2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    button->resize(std::max(button->width(), needed), button->height());
}

// The second button of a pair right of the first, both as wide as their texts need.
void fitPair(QPushButton* first, QPushButton* second, int gap)
{
    widenToText(first);
    widenToText(second);
    second->move(std::max(second->x(), right(first) + gap), second->y());
}

} // namespace

// The controls stand at their design places; with a font wider than the design's a
// button grows to hold its text, whatever stands right of it moves over, the lists
// stay as wide as the buttons under them, and the dialog keeps its margin on the
// right.
void F_OnOff::fitButtons()
{
    const auto button = [this](const char* name) { return findChild<QPushButton*>(QString::fromLatin1(name)); };
    const int edge = TwipsToPixels(kEdgeTwips);
    fitPair(button("ComNaiOLL1"), button("ComOxiOLL1"), edge);
    const int layersRight = std::max(right(m_lsOnOff), right(button("ComOxiOLL1")));
    const int shift = layersRight - right(m_lsOnOff);
    m_lsOnOff->resize(layersRight - m_lsOnOff->x(), m_lsOnOff->height());
    QWidget* const rightColumn[] = {m_listLayres, button("ComNaiOLL0"), button("ComOxiOLL0"), button("ComOK"),
                                    button("ComCancel")};
    for (QWidget* control : rightColumn)
        control->move(control->x() + shift, control->y());
    fitPair(button("ComNaiOLL0"), button("ComOxiOLL0"), edge);
    widenToText(button("ComOK"));
    widenToText(button("ComCancel"));
    m_listLayres->resize(std::max(right(m_listLayres), right(button("ComOxiOLL0"))) - m_listLayres->x(),
                         m_listLayres->height());
    int mostRight = 0;
    for (const QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        mostRight = std::max(mostRight, right(control));
    setFixedSize(std::max(width(), mostRight + edge), height());
}

void F_OnOff::showLayer(int layer)
{
    m_currentLayer = layer;
    if (layer < 0)
        return;
    m_listLayres->setEnabled(ticked(m_lsOnOff->item(layer)));
    for (int j = 0; j < kAttributeCount; ++j)
        m_listLayres->item(j)->setCheckState(m_layers.LabelOn[layer][j] ? Qt::Checked : Qt::Unchecked);
}

void F_OnOff::LsOnOff_Click()
{
    showLayer(m_lsOnOff->currentRow());
}

void F_OnOff::LsOnOff_ItemCheck(QListWidgetItem* item)
{
    showLayer(m_lsOnOff->row(item));
}

void F_OnOff::ListLayres_ItemCheck(QListWidgetItem* item)
{
    if (m_currentLayer >= 0)
        m_layers.LabelOn[m_currentLayer][m_listLayres->row(item)] = ticked(item) ? -1 : 0;
}

void F_OnOff::ListLayres_LostFocus()
{
    if (m_currentLayer < 0)
        return;
    for (int j = 0; j < kAttributeCount; ++j)
        if (ticked(m_listLayres->item(j)))
            return;
    m_lsOnOff->item(m_currentLayer)->setCheckState(Qt::Unchecked);
}

void F_OnOff::tickAll(QListWidget* list, bool on)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void F_OnOff::ComNaiOLL_Click(int index)
{
    if (m_currentLayer < 0)
        return;
    tickAll(index == 0 ? m_listLayres : m_lsOnOff, true);
}

void F_OnOff::ComOxiOLL_Click(int index)
{
    if (index == 1) {
        tickAll(m_lsOnOff, false);
        return;
    }
    if (m_currentLayer < 0)
        return;
    tickAll(m_listLayres, false);
    m_lsOnOff->item(m_currentLayer)->setCheckState(Qt::Unchecked);
}

// A layer without any attribute is turned off: it would show nothing.
void F_OnOff::commit(bool redraw)
{
    for (int i = 0; i < kLayerCount; ++i) {
        QListWidgetItem* item = m_lsOnOff->item(i);
        m_layers.LayerOn[i] = ticked(item) ? -1 : 0;
        bool any = false;
        for (int j = 0; j < kAttributeCount; ++j)
            any = any || m_layers.LabelOn[i][j] != 0;
        if (!any) {
            item->setCheckState(Qt::Unchecked);
            m_layers.LayerOn[i] = 0;
        }
    }
    if (redraw)
        emit redrawRequested();
    done(redraw ? QDialog::Accepted : QDialog::Rejected);
}

// The close box and Escape: gone without committing the layer ticks.
void F_OnOff::reject()
{
    m_unloaded = true;
    QDialog::reject();
}

bool F_OnOff::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listLayres && event->type() == QEvent::FocusOut)
        ListLayres_LostFocus();
    return QDialog::eventFilter(watched, event);
}

} // namespace tavrelo
