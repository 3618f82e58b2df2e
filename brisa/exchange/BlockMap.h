#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "form/MainForm.h"

namespace brisa::exchange {

// The 256 blocks of the "Programa" page at a glance: where each block is (free list, used
// list, a priority field, or nowhere), read from the page's own controls, so that it follows
// every operation on them without being told (BlockSelection, "Descompilar", "A programa",
// loading a file). Clicking a block selects it in its list; a double click moves it as "Usar"
// or "Quitar" would, by pressing those controls, so the same rules and locks apply.
class BlockMap : public QObject {
    Q_OBJECT
  public:
    static constexpr int Side = 16;
    static constexpr int Blocks = Side * Side;

    enum class State {
        Unavailable,  // in no list: not offered after a reset, or high memory switched off
        Free,
        Used,
        Priority,
    };
    struct Cell {
        State state = State::Unavailable;
        int priority = 0;  // 1 or 2 for a priority block
        bool highMemory = false;
        bool selected = false;
        bool operator==(const Cell&) const = default;
    };

    explicit BlockMap(form::MainForm& form, QObject* parent = nullptr);

    // Any number outside 0..255 is an unavailable block.
    Cell cell(int block) const;
    // The block last selected in a list (or clicked here) while it is still its list's current
    // entry, or a priority block clicked here; -1 for none.
    int selectedBlock() const;
    // "usado", "prioritario 1", "memoria alta, libre", "no disponible".
    QString stateText(int block) const;
    // What a screen reader says for the cell: "Bloque 5: usado".
    QString accessibleName(int block) const;
    // The block's PLC and Modbus addresses, as lbMsg shows them, and its state.
    QString toolTip(int block) const;

    // A click: the block is selected in the list that holds it.
    void click(int block);
    // A double click: "Usar" for a free block, "Quitar" for a used one, and the matching
    // "Quitar de alta prioridad" for a priority block.
    void doubleClick(int block);

  signals:
    // Something on the page changed; the cells may have too.
    void changed();

  private:
    void invalidate();
    void refresh() const;

    form::MainForm& form_;
    int current_ = -1;
    mutable bool dirty_ = true;
    mutable std::array<Cell, Blocks> cells_{};
    mutable std::array<int, Blocks> row_{};  // position in its list, for a free or used block
};

}  // namespace brisa::exchange
