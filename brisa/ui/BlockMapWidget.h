#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include "exchange/BlockMap.h"

namespace brisa::ui {

// Where the cells and the legend lie in a map widget of a given size: square cells, as large
// as the room leaves, the grid and the legend column beside it centred together. Kept apart
// from the widget so that hit-testing can be checked at any size.
struct BlockMapGeometry {
    static constexpr int Gap = 4;  // between the grid and the legend

    QRect grid;  // empty when there is no room for a cell
    int cell = 0;

    QRect legend;  // right of the grid, as high as it

    // `legendWidth` is kept free right of the grid.
    static BlockMapGeometry forSize(QSize size, int legendWidth);
    // The block under `p` (widget coordinates), or -1 outside every cell.
    int blockAt(QPoint p) const;
    QRect cellRect(int block) const;
};

// The block map of the "Programa" page: paints the cells of the App's BlockMap, shows their
// tooltips and hands clicks, double clicks and keys to it. Block 0 is at the top left, one
// row per 16 blocks; the last four rows are high memory.
//
// Keyboard: the arrows, Home and End move over the cells, Space selects the cell in its list,
// Enter moves it as a double click does. Each cell is an accessible child named by its state.
class BlockMapWidget : public QWidget {
    Q_OBJECT
  public:
    explicit BlockMapWidget(exchange::BlockMap& map, QWidget* parent = nullptr);

    exchange::BlockMap& map() const { return map_; }
    BlockMapGeometry geometryNow() const;
    // The cell the keyboard is on.
    int focusBlock() const { return focus_; }
    void setFocusBlock(int block);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The fill of each state; high memory is also hatched and a priority block carries a
    // mark, so that colour is never the only cue.
    static QColor fill(const exchange::BlockMap::Cell& cell);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

  private:
    struct LegendEntry {
        exchange::BlockMap::Cell cell;
        QString text;
    };
    static QList<LegendEntry> legend();
    // One entry a line: a swatch and its text.
    int legendWidth() const;
    int legendHeight() const;
    void paintCell(QPainter& p, const QRect& r, const exchange::BlockMap::Cell& cell,
                   int block) const;
    void paintLegend(QPainter& p, const QRect& area) const;

    exchange::BlockMap& map_;
    int focus_ = 0;
};

}  // namespace brisa::ui
