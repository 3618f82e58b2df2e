#include "BlockMapWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <array>

namespace brisa::ui {

using exchange::BlockMap;
using State = BlockMap::State;

namespace {

constexpr int Side = BlockMap::Side;
constexpr int SmallestCell = 10;
// Small: the page's height is what its parts prefer (its labels wrap), and the map takes
// whatever the window has beyond that.
constexpr int PreferredCell = 12;
// Block numbers are written into cells at least this large.
constexpr int NumberedCell = 26;

// Okabe-Ito colours, told apart with every common colour vision deficiency.
const QColor Blue(0x00, 0x72, 0xB2);
const QColor Orange(0xE6, 0x9F, 0x00);
const QColor SkyBlue(0x56, 0xB4, 0xE9);
const QColor Grey(0xCC, 0xCC, 0xCC);
const QColor Empty(0xFF, 0xFF, 0xFF);

// --- accessibility: the map is a list whose items are the cells ---

class CellAccessible : public QAccessibleInterface {
  public:
    CellAccessible(BlockMapWidget* map, int block) : map_(map), block_(block) {}

    bool isValid() const override { return !map_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return map_ ? map_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return map_ ? QAccessible::queryAccessibleInterface(map_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!map_) return {};
        if (t == QAccessible::Name) return map_->map().accessibleName(block_);
        if (t == QAccessible::Description) return map_->map().toolTip(block_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!map_) return {};
        const QRect r = map_->geometryNow().cellRect(block_);
        return QRect(map_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!map_) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = map_->map().cell(block_).selected;
        s.focused = map_->hasFocus() && map_->focusBlock() == block_;
        s.invisible = !map_->isVisible();
        return s;
    }

  private:
    QPointer<BlockMapWidget> map_;
    int block_;
};

class MapAccessible : public QAccessibleWidget {
  public:
    explicit MapAccessible(BlockMapWidget* w) : QAccessibleWidget(w, QAccessible::List) {}
    ~MapAccessible() override {
        for (QAccessible::Id id : ids_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }
    BlockMapWidget* map() const { return static_cast<BlockMapWidget*>(widget()); }

    int childCount() const override { return BlockMap::Blocks; }
    QAccessibleInterface* child(int i) const override {
        if (i < 0 || i >= BlockMap::Blocks) return nullptr;
        if (!ids_[i]) ids_[i] = QAccessible::registerAccessibleInterface(new CellAccessible(map(), i));
        return QAccessible::accessibleInterface(ids_[i]);
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < BlockMap::Blocks; ++i)
            if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == c) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const int b = map()->geometryNow().blockAt(map()->mapFromGlobal(QPoint(x, y)));
        return b < 0 ? nullptr : child(b);
    }
    QAccessibleInterface* focusChild() const override {
        return map()->hasFocus() ? child(map()->focusBlock()) : nullptr;
    }

  private:
    mutable std::array<QAccessible::Id, BlockMap::Blocks> ids_{};
};

QAccessibleInterface* mapFactory(const QString& key, QObject* o) {
    if (key == QLatin1String(BlockMapWidget::staticMetaObject.className()))
        if (auto* w = qobject_cast<BlockMapWidget*>(o)) return new MapAccessible(w);
    return nullptr;
}

}  // namespace

BlockMapGeometry BlockMapGeometry::forSize(QSize size, int legendWidth) {
    BlockMapGeometry g;
    const int room = qMin(size.width() - legendWidth - Gap, size.height());
    g.cell = qMax(0, room / Side);
    if (g.cell == 0) return g;
    const int side = g.cell * Side;
    const int left = (size.width() - side - Gap - legendWidth) / 2;
    g.grid = QRect(left, 0, side, side);
    g.legend = QRect(left + side + Gap, 0, legendWidth, side);
    return g;
}

int BlockMapGeometry::blockAt(QPoint p) const {
    if (cell == 0 || !grid.contains(p)) return -1;
    const int column = (p.x() - grid.left()) / cell;
    const int row = (p.y() - grid.top()) / cell;
    return row * Side + column;
}

QRect BlockMapGeometry::cellRect(int block) const {
    if (cell == 0 || block < 0 || block >= BlockMap::Blocks) return {};
    return QRect(grid.left() + (block % Side) * cell, grid.top() + (block / Side) * cell, cell, cell);
}

BlockMapWidget::BlockMapWidget(BlockMap& map, QWidget* parent) : QWidget(parent), map_(map) {
    static const bool installed = (QAccessible::installFactory(&mapFactory), true);
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("blockMap"));
    setAccessibleName(QStringLiteral("Mapa de bloques"));
    setAccessibleDescription(QStringLiteral("Los 256 bloques: libres, usados, prioritarios y de "
                                            "memoria alta. Flechas para recorrer, Espacio para "
                                            "seleccionar, Enter para usar o quitar."));
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setSizePolicy(policy);
    connect(&map_, &BlockMap::changed, this, [this] {
        update();
        // A reader on the map hears what became of the cell it is on ("Usar", "Quitar").
        if (hasFocus() && QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            event.setChild(focus_);
            QAccessible::updateAccessibility(&event);
        }
    });
}

BlockMapGeometry BlockMapWidget::geometryNow() const {
    return BlockMapGeometry::forSize(size(), legendWidth());
}

QSize BlockMapWidget::sizeHint() const {
    const int side = PreferredCell * Side;
    return QSize(side + BlockMapGeometry::Gap + legendWidth(), qMax(side, legendHeight()));
}

QSize BlockMapWidget::minimumSizeHint() const {
    const int side = SmallestCell * Side;
    return QSize(side + BlockMapGeometry::Gap + legendWidth(), qMax(side, legendHeight()));
}

int BlockMapWidget::legendWidth() const {
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const LegendEntry& e : legend()) widest = qMax(widest, fm.horizontalAdvance(e.text));
    return fm.height() + 8 + widest + 4;
}

int BlockMapWidget::legendHeight() const { return int(legend().size()) * (fontMetrics().height() + 6); }

void BlockMapWidget::setFocusBlock(int block) {
    if (block < 0 || block >= BlockMap::Blocks || block == focus_) return;
    focus_ = block;
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(block);
        QAccessible::updateAccessibility(&event);
    }
}

QColor BlockMapWidget::fill(const BlockMap::Cell& cell) {
    switch (cell.state) {
        case State::Unavailable: return Empty;
        case State::Free: return cell.highMemory ? SkyBlue : Grey;
        case State::Used: return Blue;
        case State::Priority: return Orange;
    }
    return Empty;
}

QList<BlockMapWidget::LegendEntry> BlockMapWidget::legend() {
    return {
        {{State::Free, 0, false, false}, QStringLiteral("Libre")},
        {{State::Used, 0, false, false}, QStringLiteral("Usado")},
        {{State::Priority, 1, false, false}, QStringLiteral("Prioritario")},
        {{State::Free, 0, true, false}, QStringLiteral("Memoria alta")},
        {{State::Unavailable, 0, false, false}, QStringLiteral("No disponible")},
    };
}

void BlockMapWidget::paintCell(QPainter& p, const QRect& r, const BlockMap::Cell& cell,
                               int block) const {
    const QRect box = r.adjusted(1, 1, -1, -1);
    const QColor colour = fill(cell);
    p.fillRect(box, colour);
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (cell.highMemory) {
        // Hatched: high memory is told by its pattern as well as by its colour.
        p.fillRect(box, QBrush(QColor(0, 0, 0, 110), Qt::BDiagPattern));
    }
    if (cell.state == State::Priority) {
        // A black corner marks a priority block.
        const int m = qMax(4, box.width() / 2);
        const QPoint corner = box.topLeft();
        const QPolygon mark{corner, corner + QPoint(m, 0), corner + QPoint(0, m)};
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(mark);
        p.setBrush(Qt::NoBrush);
    }
    if (block >= 0 && box.width() >= NumberedCell) {
        // By perceived brightness: white on blue, black on orange and the light fills.
        const bool dark = qGray(colour.rgb()) < 128;
        p.setPen(dark ? Qt::white : Qt::black);
        QFont f = font();
        f.setPixelSize(qMax(7, box.height() / 3));
        p.setFont(f);
        QString label = QString::number(block);
        if (cell.state == State::Priority) label = QStringLiteral("P%1\n").arg(cell.priority) + label;
        p.drawText(box, Qt::AlignCenter, label);
        p.setFont(font());
    }
    if (cell.selected) {
        // Black and white, visible on every fill.
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(r.adjusted(1, 1, -2, -2));
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

void BlockMapWidget::paintLegend(QPainter& p, const QRect& area) const {
    const int swatch = fontMetrics().height();
    int y = area.top();
    for (const LegendEntry& e : legend()) {
        paintCell(p, QRect(area.left(), y, swatch + 2, swatch + 2), e.cell, -1);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(area.left() + swatch + 8, y, area.width() - swatch - 8, swatch + 2),
                   Qt::AlignVCenter | Qt::AlignLeft, e.text);
        y += swatch + 6;
    }
}

void BlockMapWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const BlockMapGeometry g = geometryNow();
    if (g.cell == 0) return;
    for (int b = 0; b < BlockMap::Blocks; ++b) paintCell(p, g.cellRect(b), map_.cell(b), b);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        p.drawRect(g.cellRect(focus_).adjusted(0, 0, -1, -1));
    }
    paintLegend(p, g.legend);
}

void BlockMapWidget::mousePressEvent(QMouseEvent* e) {
    const int b = geometryNow().blockAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || b < 0) return QWidget::mousePressEvent(e);
    setFocusBlock(b);
    map_.click(b);
}

void BlockMapWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    const int b = geometryNow().blockAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || b < 0) return QWidget::mouseDoubleClickEvent(e);
    setFocusBlock(b);
    map_.doubleClick(b);
}

void BlockMapWidget::keyPressEvent(QKeyEvent* e) {
    int to = focus_;
    switch (e->key()) {
        case Qt::Key_Left: to = focus_ % Side > 0 ? focus_ - 1 : focus_; break;
        case Qt::Key_Right: to = focus_ % Side < Side - 1 ? focus_ + 1 : focus_; break;
        case Qt::Key_Up: to = focus_ >= Side ? focus_ - Side : focus_; break;
        case Qt::Key_Down: to = focus_ + Side < BlockMap::Blocks ? focus_ + Side : focus_; break;
        case Qt::Key_Home: to = 0; break;
        case Qt::Key_End: to = BlockMap::Blocks - 1; break;
        case Qt::Key_Space: map_.click(focus_); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: map_.doubleClick(focus_); return;
        default: return QWidget::keyPressEvent(e);
    }
    setFocusBlock(to);
}

bool BlockMapWidget::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const BlockMapGeometry g = geometryNow();
        const int b = g.blockAt(help->pos());
        if (b < 0)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), map_.toolTip(b), this, g.cellRect(b));
        return true;
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) update();
    return QWidget::event(e);
}

}  // namespace brisa::ui
