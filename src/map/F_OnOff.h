#pragma once
// The layers and labels dialog "Viewing Selections": which layers the map shows
// (ticks in LsOnOff) and, for the current layer, which attributes its points carry
// (ticks in ListLayres: symbol, name, elevation, code). Attribute ticks reach the
// switches at once; layer ticks on OK or Cancel. OK then asks for a redraw. Both
// hide the dialog, which keeps its lists; the close box unloads it without committing.
#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tavrelo {

struct MapLayers;

class F_OnOff : public QDialog {
    Q_OBJECT
public:
    // The load: fills the lists and sets the defaults into layers.
    F_OnOff(MapLayers& layers, QWidget* parent = nullptr);

    // Closed by its close box since it was last shown: the next showing needs a new one.
    bool unloaded() const { return m_unloaded; }

signals:
    void redrawRequested();

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void fitButtons();
    void LsOnOff_Click();
    void LsOnOff_ItemCheck(QListWidgetItem* item);
    void ListLayres_ItemCheck(QListWidgetItem* item);
    void ListLayres_LostFocus();
    void ComNaiOLL_Click(int index);
    void ComOxiOLL_Click(int index);
    void commit(bool redraw);
    void showLayer(int layer);
    void tickAll(QListWidget* list, bool ticked);

    MapLayers& m_layers;
    int m_currentLayer = 0;
    bool m_unloaded = false;
    QListWidget* m_lsOnOff;
    QListWidget* m_listLayres;
};

} // namespace tavrelo
