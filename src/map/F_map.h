#pragma once
// F_map, "Tavrelo Map Show": the map of the program's map tables with the toolbar
// Tb (the tools pan, real-time zoom, zoom window and information, and the commands
// new scale, viewing selections, statistics; Find and the print commands do only
// their common first steps), the status bar StB (scale, note, cursor position) and
// the picture Pic between them. File, Open loads a coordinate list or a raw-data
// file (through the calculator, tables only). Every redraw is a full one.
#include "map/MapRenderer.h"
#include "map/MapSeams.h"
#include "map/core/MapFrame.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <string>

class QAction;
class QLabel;

namespace tavrelo {

class F_OnOff;
class MapPicture;
class MapTables;
class UserInteraction;
struct ConversionContext;

enum class MapTool { Pan, ZoomRealTime, ZoomWindow, Information };

class F_map : public QMainWindow {
    Q_OBJECT
public:
    // contextFor gives the conversion context a raw-data file is calculated with
    // (options, coordinate order, messages).
    F_map(MapTables& tables, UserInteraction& ui, std::function<ConversionContext()> contextFor,
          QWidget* parent = nullptr);
    ~F_map() override;

    MapSeams& seams() { return m_seams; }
    // Shown with the data fitted to the picture: the map of the latest result.
    void showResult();
    // What File, Open does with the chosen file.
    void openFile(const std::string& path, bool coordinateList);
    void RedrawMap();

    MapTool tool() const { return m_tool; }
    const MapFrame& frame() const { return m_frame; }
    MapPicture* picture() const { return m_pic; }

signals:
    // A file was opened from the map window (the main window hides View Map).
    void fileOpened();

private:
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void MnOpen_Click();
    void Tb_ButtonClick(QAction* button);
    void selectTool(MapTool tool);
    void newScale();
    void showViewingSelections();
    void Pic_MouseDown(Qt::MouseButton button, QPointF position);
    void Pic_MouseMove(Qt::MouseButtons buttons, QPointF position);
    void Pic_MouseUp();
    void Form_Resize();
    void informationAt(double x, double y);
    void showScale();
    void reportOpenFailure(const std::string& path, int runError);
    bool calculateRaw(const std::string& path);

    MapTables& m_tables;
    UserInteraction& m_ui;
    std::function<ConversionContext()> m_contextFor;
    MapSeams m_seams;
    MapRenderer m_renderer;
    MapFrame m_frame;
    MapTool m_tool = MapTool::Pan;
    bool m_fitPending = false;
    QPointer<F_OnOff> m_onOff;

    MapPicture* m_pic;
    QLabel* m_scalePanel;
    QLabel* m_notePanel;
    QLabel* m_positionPanel;
};

} // namespace tavrelo
