#include "map/F_map.h"

#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "conversion/ConversionContext.h"
#include "conversion/ConverterReport.h"
#include "conversion/CoordinateListLoader.h"
#include "conversion/RawCoordinateCalculator.h"
#include "map/F_InfoP.h"
#include "map/F_OnOff.h"
#include "map/MapFileFilters.h"
#include "map/MapPicture.h"
#include "map/MapToolIcons.h"
#include "map/core/MapHitTest.h"
#include "map/core/MapReports.h"
#include "map/core/MapTables.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace tavrelo {

namespace {

constexpr const char* kCaption = "Tavrelo Map Show";
constexpr const char* kNoData = "This file contains no data";
constexpr double kTwipsPerScreenPixel = kTwipsPerPixel;
// The longest usual texts of the status bar's scale and position panels, and the
// room around a panel's text.
const QString kWidestScale = QStringLiteral("1:99999999.9");
const QString kWidestPosition = QStringLiteral("E=-9999999.99  N=-9999999.99");
constexpr int kPanelMargin = 8;

struct ToolButton {
    const char* name;
    const char* tip;
    MapToolIcon icon;
};

// The toolbar in its order; an empty name is a separator.
const ToolButton kButtons[] = {
    {"TbPan", "Pan", MapToolIcon::Pan},
    {"TbZoomRealTime", "Zoom real time", MapToolIcon::ZoomRealTime},
    {"TbZoomWindow", "Zoom window", MapToolIcon::ZoomWindow},
    {"TbInformation", "Information", MapToolIcon::Information},
    {"", "", MapToolIcon::Pan},
    {"TbNewScale", "New Scale", MapToolIcon::NewScale},
    {"TbViewingSelections", "Viewing Selections", MapToolIcon::Layers},
    {"TbFind", "Find", MapToolIcon::Find},
    {"TbStatistics", "Statistics", MapToolIcon::Statistics},
    {"", "", MapToolIcon::Pan},
    {"TbPrintPreview", "Print preview", MapToolIcon::PrintPreview},
    {"TbPrint", "Print", MapToolIcon::Print},
};

const Qt::CursorShape kToolCursors[] = {Qt::OpenHandCursor, Qt::SizeVerCursor, Qt::CrossCursor,
                                        Qt::PointingHandCursor};

} // namespace

F_map::F_map(MapTables& tables, UserInteraction& ui, std::function<ConversionContext()> contextFor, QWidget* parent)
    : QMainWindow(parent)
    , m_tables(tables)
    , m_ui(ui)
    , m_contextFor(std::move(contextFor))
    , m_seams(DefaultMapSeams())
    , m_renderer(QFont(QStringLiteral("DejaVu Sans"), 8))
{
    setObjectName("F_map");
    setWindowTitle(QString::fromLatin1(kCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    m_pic = new MapPicture(this);
    setCentralWidget(m_pic);
    createMenus();
    createToolbar();
    createStatusBar();
    m_onOff = new F_OnOff(m_tables.layers, this); // its load sets the layer defaults
    connect(m_onOff, &F_OnOff::redrawRequested, this, &F_map::RedrawMap);
    connect(m_pic, &MapPicture::pressed, this, &F_map::Pic_MouseDown);
    connect(m_pic, &MapPicture::moved, this, &F_map::Pic_MouseMove);
    connect(m_pic, &MapPicture::released, this, [this] { Pic_MouseUp(); });
    connect(m_pic, &MapPicture::resized, this, &F_map::Form_Resize);
    resize(TwipsToPixels(9075), TwipsToPixels(6660));
    selectTool(MapTool::Pan);
    showScale();
}

F_map::~F_map() = default;

void F_map::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName("MnFile");
    QAction* open = file->addAction(QStringLiteral("Open"), this, &F_map::MnOpen_Click);
    open->setObjectName("MnOpen");
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Exit"), this, &QWidget::close);
    exit->setObjectName("MnExit");
    QMenu* print = menuBar()->addMenu(QStringLiteral("Print Out"));
    print->setObjectName("MnPrintOut");
    QAction* printer = print->addAction(QStringLiteral("Select Printer"), this, [this] { m_seams.selectPrinter(this); });
    printer->setObjectName("MnPrinterSelect");
    print->addSeparator();
    // Entries without an action yet are shown disabled.
    for (const auto& [name, text] : {std::pair{"MnPrintPreview", "Print preview"}, std::pair{"MnPrint", "Print"}}) {
        QAction* entry = print->addAction(QString::fromLatin1(text));
        entry->setObjectName(QString::fromLatin1(name));
        entry->setEnabled(false);
    }
    for (const auto& [name, text] : {std::pair{"MnDrawing", "Drawing"}, std::pair{"MnSettings", "Settings"}}) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(text));
        menu->setObjectName(QString::fromLatin1(name));
        menu->setEnabled(false);
    }
}

void F_map::createToolbar()
{
    QToolBar* tb = addToolBar(QStringLiteral("Tb"));
    tb->setObjectName("Tb");
    tb->setMovable(false);
    tb->setIconSize(QSize(24, 24));
    auto* tools = new QActionGroup(this);
    tools->setExclusive(true);
    for (const ToolButton& b : kButtons) {
        if (!*b.name) {
            tb->addSeparator();
            continue;
        }
        QAction* action = tb->addAction(MakeMapToolIcon(b.icon), QString::fromLatin1(b.tip));
        action->setObjectName(QString::fromLatin1(b.name));
        action->setToolTip(QString::fromLatin1(b.tip));
        if (tools->actions().size() < 4) {
            action->setCheckable(true);
            tools->addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, action] { Tb_ButtonClick(action); });
    }
}

void F_map::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StB");
    // The scale and the position are as wide as their longest usual text in the
    // window's font; the note takes what is left and never pushes them out.
    m_scalePanel = new QLabel(bar);
    m_scalePanel->setObjectName("StBScale");
    m_scalePanel->setMinimumWidth(m_scalePanel->fontMetrics().horizontalAdvance(kWidestScale) + kPanelMargin);
    m_notePanel = new QLabel(bar);
    m_notePanel->setObjectName("StBNote");
    m_notePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_positionPanel = new QLabel(bar);
    m_positionPanel->setObjectName("StBPosition");
    m_positionPanel->setMinimumWidth(m_positionPanel->fontMetrics().horizontalAdvance(kWidestPosition) + kPanelMargin);
    bar->addWidget(m_scalePanel);
    bar->addWidget(m_notePanel, 1);
    bar->addPermanentWidget(m_positionPanel);
}

void F_map::showScale()
{
    m_scalePanel->setText(m_tables.view.MapScale > 0 ? ToQt(ScaleText(m_tables.view.MapScale)) : QString());
}

void F_map::showResult()
{
    show();
    raise();
    activateWindow();
    if (m_pic->width() <= 1 || m_pic->height() <= 1) {
        m_fitPending = true; // the picture's first size fits the view
        return;
    }
    m_tables.view.picture = ViewSize{m_pic->width(), m_pic->height(), kTwipsPerScreenPixel, kTwipsPerScreenPixel};
    FitViewToData(m_tables);
    RedrawMap();
}

void F_map::Form_Resize()
{
    if (m_pic->width() < 1 || m_pic->height() < 1)
        return;
    m_tables.view.picture = ViewSize{m_pic->width(), m_pic->height(), kTwipsPerScreenPixel, kTwipsPerScreenPixel};
    if (m_fitPending) {
        m_fitPending = false;
        FitViewToData(m_tables);
    }
    RedrawMap();
}

void F_map::RedrawMap()
{
    if (!m_pic->fitImage())
        return;
    m_tables.view.picture = ViewSize{m_pic->width(), m_pic->height(), kTwipsPerScreenPixel, kTwipsPerScreenPixel};
    BuildMapFrame(m_tables, m_frame);
    m_renderer.render(m_tables, m_frame, m_pic->image());
    m_notePanel->setText(m_frame.labelsShown ? QString() : QStringLiteral("Too many points for labels: zoom in"));
    showScale();
    m_pic->update();
}

void F_map::selectTool(MapTool tool)
{
    m_tool = tool;
    static const char* const kNames[] = {"TbPan", "TbZoomRealTime", "TbZoomWindow", "TbInformation"};
    findChild<QAction*>(QString::fromLatin1(kNames[static_cast<int>(tool)]))->setChecked(true);
    m_pic->setCursor(kToolCursors[static_cast<int>(tool)]);
}

void F_map::Tb_ButtonClick(QAction* button)
{
    m_tables.view.ZoomBoxStarted = false;
    m_pic->clearBand();
    const QString name = button->objectName();
    if (name == "TbNewScale")
        return newScale();
    if (name == "TbViewingSelections")
        return showViewingSelections();
    if (name == "TbStatistics") {
        m_ui.message(MapStatisticsText(m_tables), MessageButtons::Ok, MessageIcon::Information, kStatisticsTitle);
        return;
    }
    m_pic->unsetCursor();
    static const char* const kTools[] = {"TbPan", "TbZoomRealTime", "TbZoomWindow", "TbInformation"};
    for (int t = 0; t < 4; ++t)
        if (name == kTools[t])
            selectTool(static_cast<MapTool>(t));
}

void F_map::newScale()
{
    QString text = ToQt(ScaleNumberText(m_tables.view.MapScale));
    if (!m_seams.inputText(this, QStringLiteral("Scale"), QStringLiteral("New Scale"), text))
        return;
    if (!ApplyTypedScale(m_tables, FromQt(text)))
        return;
    RedrawMap();
}

void F_map::showViewingSelections()
{
    if (!m_onOff || m_onOff->unloaded()) {
        delete m_onOff;
        m_onOff = new F_OnOff(m_tables.layers, this);
        connect(m_onOff, &F_OnOff::redrawRequested, this, &F_map::RedrawMap);
    }
    m_seams.showModal(*m_onOff);
}

void F_map::Pic_MouseDown(Qt::MouseButton button, QPointF position)
{
    const double x = position.x(), y = position.y();
    MapView& v = m_tables.view;
    if (button == Qt::RightButton) {
        Recentre(m_tables, x, y);
        RedrawMap();
        return;
    }
    if (button != Qt::LeftButton)
        return;
    switch (m_tool) {
    case MapTool::Information: informationAt(RoundPixel(x), RoundPixel(y)); break;
    case MapTool::Pan:
    case MapTool::ZoomRealTime:
        v.DragStartX = RoundPixel(x);
        v.DragStartY = RoundPixel(y);
        break;
    case MapTool::ZoomWindow:
        if (!v.ZoomBoxStarted) {
            v.ZoomBoxX1 = v.ZoomBoxX2 = RoundPixel(x);
            v.ZoomBoxY1 = v.ZoomBoxY2 = RoundPixel(y);
            v.ZoomBoxStarted = true;
            m_pic->setBand(QRect(QPoint(v.ZoomBoxX1, v.ZoomBoxY1), QPoint(v.ZoomBoxX2, v.ZoomBoxY2)));
        } else if (std::abs(v.ZoomBoxX1 - x) >= 2 && std::abs(v.ZoomBoxY1 - y) >= 2) {
            v.ZoomBoxX2 = RoundPixel(x);
            v.ZoomBoxY2 = RoundPixel(y);
            v.ZoomBoxStarted = false;
            m_pic->clearBand();
            ZoomToWindow(m_tables);
            RedrawMap();
        }
        break;
    }
}

// A station hit draws its rays; otherwise an observed or a list point shows its
// information.
void F_map::informationAt(double x, double y)
{
    const int32_t station = FindStationAt(m_tables, x, y);
    if (station > 0) {
        m_renderer.drawStationRays(m_tables, station, m_pic->image());
        m_pic->update();
        return;
    }
    PointInfo info;
    if (const int32_t i = FindObsPointAt(m_tables, &m_frame, x, y); i > 0)
        info = ObsPointInfo(m_tables, i);
    else if (const int32_t c = FindCooPointAt(m_tables, &m_frame, x, y); c > 0)
        info = CooPointInfo(m_tables, c);
    else
        return;
    auto* dialog = new F_InfoP(info, this);
    m_seams.showModal(*dialog);
}

void F_map::Pic_MouseMove(Qt::MouseButtons buttons, QPointF position)
{
    const double x = position.x(), y = position.y();
    m_positionPanel->setText(ToQt(CursorText(m_tables.view, x, y)));
    const bool left = buttons & Qt::LeftButton;
    if (m_tool == MapTool::ZoomRealTime && left && RealTimeZoomStep(m_tables, x, y))
        RedrawMap();
    else if (m_tool == MapTool::Pan && left && PanStep(m_tables, x, y))
        RedrawMap();
    else if (m_tool == MapTool::ZoomWindow && m_tables.view.ZoomBoxStarted) {
        MapView& v = m_tables.view;
        v.ZoomBoxX2 = RoundPixel(x);
        v.ZoomBoxY2 = RoundPixel(y);
        m_pic->setBand(QRect(QPoint(v.ZoomBoxX1, v.ZoomBoxY1), QPoint(v.ZoomBoxX2, v.ZoomBoxY2)));
    }
}

void F_map::Pic_MouseUp()
{
    showScale();
}

void F_map::MnOpen_Click()
{
    // The first filter is the coordinate lists; any other choice is a raw-data file.
    int filter = -1;
    const QString chosen = m_seams.openFileName(this, {CoordinateListFilter(), RawDataFilter()}, &filter);
    std::string path;
    if (chosen.trimmed().isEmpty() || !AcceptPathFromQt(chosen, path, m_ui, kCaption))
        return;
    openFile(path, filter == 0);
}

void F_map::openFile(const std::string& path, bool coordinateList)
{
    m_tables.view.ZoomBoxStarted = false;
    m_pic->clearBand();
    m_ui.setBusy(true);
    bool loaded = false;
    if (coordinateList) {
        int error = 0;
        std::string failure;
        ConversionContext context = m_contextFor();
        const ListLoad outcome =
            LoadCoordinateList(m_tables, path, context.coordinateOrder, error, &failure, &context.cutShort);
        m_ui.setBusy(false);
        WarnLeftOut(context); // the lines cut short, told as the calculation tells its own
        if (outcome == ListLoad::Unreadable && error == RunError::LineTooLong)
            m_ui.message(failure, MessageButtons::Ok, MessageIcon::Critical, kCaption);
        else if (outcome == ListLoad::Unreadable)
            reportOpenFailure(path, error);
        else if (outcome == ListLoad::NoData)
            m_ui.message(kNoData, MessageButtons::Ok, MessageIcon::Exclamation, kCaption);
        loaded = outcome == ListLoad::Loaded;
    } else {
        loaded = calculateRaw(path);
        m_ui.setBusy(false);
    }
    if (loaded)
        RedrawMap();
    emit fileOpened();
}

// The raw-data file through the calculator into tables of its own, which replace
// the map's only when they hold a point: a failed or empty run changes nothing.
bool F_map::calculateRaw(const std::string& path)
{
    LineReader probe;
    if (!probe.open(path)) {
        m_ui.setBusy(false);
        reportOpenFailure(path, probe.error());
        return false;
    }
    probe.close();
    MapTables calculated;
    calculated.view.picture = m_tables.view.picture;
    ConversionContext context = m_contextFor();
    context.map = &calculated;
    CalcRawCoordinates(context, path, kTablesOnlyOutput);
    if (context.state.TransferStatus != "OK")
        return false; // the calculator has said why
    if (!calculated.hasPoints()) {
        m_ui.setBusy(false);
        m_ui.message(kNoData, MessageButtons::Ok, MessageIcon::Exclamation, kCaption);
        return false;
    }
    m_tables.takeDataFrom(std::move(calculated));
    FitViewToData(m_tables);
    return true;
}

void F_map::reportOpenFailure(const std::string& path, int runError)
{
    m_ui.message("The file " + path + " cannot be opened: " + RunErrorDescription(runError) + ".",
                 MessageButtons::Ok, MessageIcon::Critical, kCaption);
}

} // namespace tavrelo
