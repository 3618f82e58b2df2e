#include "exchange/BlockMap.h"

#include "compiler/Text.h"
#include "exchange/BlockSelection.h"

namespace brisa::exchange {

using namespace form;

namespace {

bool inRange(int block) { return block >= 0 && block < BlockMap::Blocks; }

// A list entry as a block number; -1 for text that names no block of the map.
int blockOf(const QString& entry) {
    if (compiler::isBlank(entry)) return -1;
    const double v = compiler::textValue(entry);
    return v >= 0 && v < BlockMap::Blocks && v == int(v) ? int(v) : -1;
}
}  // namespace

BlockMap::BlockMap(MainForm& form, QObject* parent) : QObject(parent), form_(form) {
    for (Control* c : std::initializer_list<Control*>{&form.lstBlockFree, &form.lstUsed,
                                                      &form.txtPri[0], &form.txtPri[1]})
        connect(c, &Control::changed, this, &BlockMap::invalidate);
    // The block whose description lbMsg shows is the one selected here too.
    for (ListBox* list : {&form.lstBlockFree, &form.lstUsed})
        connect(list, &ListControl::click, this, [this, list] {
            current_ = blockOf(list->text());
            invalidate();
        });
}

void BlockMap::invalidate() {
    dirty_ = true;
    emit changed();
}

void BlockMap::refresh() const {
    if (!dirty_) return;
    dirty_ = false;
    cells_.fill(Cell{});
    row_.fill(-1);
    for (int b = BlockSelection::FirstHighBlock; b < Blocks; ++b) cells_[b].highMemory = true;
    // A damaged file can put a block in more than one place: the stronger claim is shown.
    const auto place = [this](const ListBox& list, State state) {
        for (int i = 0; i < list.count(); ++i) {
            const int b = blockOf(list.item(i));
            if (b < 0 || cells_[b].state >= state) continue;
            cells_[b].state = state;
            row_[b] = i;
        }
    };
    place(form_.lstBlockFree, State::Free);
    place(form_.lstUsed, State::Used);
    for (int k = 0; k < 2; ++k) {
        const int b = blockOf(form_.txtPri[k].text());
        if (b < 0 || cells_[b].state == State::Priority) continue;
        cells_[b].state = State::Priority;
        cells_[b].priority = k + 1;
        row_[b] = -1;
    }
    // Selected while the page still says so: the current entry of its list, or a priority
    // block (which has no list).
    if (inRange(current_)) {
        Cell& c = cells_[current_];
        c.selected = c.state == State::Priority ||
                     (c.state == State::Free && blockOf(form_.lstBlockFree.text()) == current_) ||
                     (c.state == State::Used && blockOf(form_.lstUsed.text()) == current_);
    }
}

BlockMap::Cell BlockMap::cell(int block) const {
    if (!inRange(block)) return {};
    refresh();
    return cells_[block];
}

int BlockMap::selectedBlock() const {
    refresh();
    return inRange(current_) && cells_[current_].selected ? current_ : -1;
}

QString BlockMap::stateText(int block) const {
    const Cell c = cell(block);
    QString state;
    switch (c.state) {
        case State::Unavailable:
            state = QStringLiteral("no disponible");
            break;
        case State::Free:
            state = QStringLiteral("libre");
            break;
        case State::Used:
            state = QStringLiteral("usado");
            break;
        case State::Priority:
            state = QStringLiteral("prioritario %1").arg(c.priority);
            break;
    }
    if (inRange(block) && c.highMemory) state = QStringLiteral("memoria alta, ") + state;
    return state;
}

QString BlockMap::accessibleName(int block) const {
    return QStringLiteral("Bloque %1: %2").arg(block).arg(stateText(block));
}

QString BlockMap::toolTip(int block) const {
    if (!inRange(block)) return {};
    QString text = BlockSelection::blockDescription(block);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString state = stateText(block);
    state[0] = state[0].toUpper();
    return text + QLatin1Char('\n') + state;
}

void BlockMap::click(int block) {
    const Cell c = cell(block);
    if (c.state == State::Free || c.state == State::Used) {
        ListBox& list = c.state == State::Free ? form_.lstBlockFree : form_.lstUsed;
        // Selecting the entry shows its description, as a click in the list does.
        if (list.enabled()) list.setListIndex(row_[block]);
    } else if (c.state == State::Priority) {
        current_ = block;
        invalidate();
    }
}

void BlockMap::doubleClick(int block) {
    const Cell c = cell(block);
    click(block);
    switch (c.state) {
        case State::Free:
            if (selectedBlock() == block) form_.cmdAdd.press();
            break;
        case State::Used:
            if (selectedBlock() == block) form_.cmdQuita.press();
            break;
        case State::Priority:
            (c.priority == 1 ? form_.cmdRemovePri1 : form_.cmdRemovePri2).press();
            break;
        case State::Unavailable:
            break;
    }
}

}  // namespace brisa::exchange
