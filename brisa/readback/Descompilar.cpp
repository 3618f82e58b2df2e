#include "Descompilar.h"

#include "compiler/Text.h"

namespace brisa::readback {

namespace {

constexpr int IdEntries = 255;  // positions 0..254 of the id lists

// Removes the first entry whose value is `block`; false when there is none.
bool removeFirst(form::ListControl& list, int block) {
    for (int i = 0; i < list.count(); ++i) {
        if (compiler::textValue(list.item(i)) == block) {
            list.removeItem(i);
            return true;
        }
    }
    return false;
}

// Selects the first of the first `limit` entries whose value is `value`; otherwise the list
// keeps its selection.
void selectValue(form::ListControl& list, int value, int limit) {
    for (int i = 0; i < list.count() && i < limit; ++i) {
        if (compiler::textValue(list.item(i)) == value) {
            list.setListIndex(i);
            return;
        }
    }
}

void applyPriority(std::int16_t priority, form::TextBox& field, form::ListControl& freeList,
                   form::ListControl& used) {
    if (priority < 0 || priority > 255) return;  // none: the field stays empty
    removeFirst(freeList, priority);
    // "Compilar" repeats the priority blocks after every second used block.
    for (int i = used.count() - 1; i >= 0; --i)
        if (compiler::textValue(used.item(i)) == priority) used.removeItem(i);
    field.setText(QString::number(priority));
}

}  // namespace

void descompilar(const ConfNodo& conf, form::MainForm& f, Session& session,
                 exchange::BlockSelection& blocks, const std::function<void()>& startUpControls) {
    if (startUpControls) startUpControls();
    blocks.PrgClear();
    f.mnMemH.setChecked(true);
    session.memH = true;
    blocks.AddMemH();

    for (int i = 0; i < conf.storedEntries(); ++i) {
        const int block = conf.scanEntries[i];
        f.lstUsed.addItem(exchange::BlockSelection::blockText(block));
        removeFirst(f.lstBlockFree, block);
    }
    applyPriority(conf.priority1, f.txtPri[0], f.lstBlockFree, f.lstUsed);
    applyPriority(conf.priority2, f.txtPri[1], f.lstBlockFree, f.lstUsed);

    selectValue(f.cbId232, conf.id232, IdEntries);
    selectValue(f.cbId485, conf.id485, IdEntries);
    selectValue(f.cbBaudios485, conf.baud485, f.cbBaudios485.count());
    selectValue(f.cbBaudios232, conf.baud232, f.cbBaudios232.count());

    for (int i = 0; i < 4; ++i) {
        f.txtIP[i].setText(QString::number(conf.ip[i]));
        f.txtMsk[i].setText(QString::number(conf.mask[i]));
    }
    f.txtPort.setText(QString::number(conf.tcpPort));
    if (f.lstBlockFree.count() > 0) f.lstBlockFree.setListIndex(0);
}

}  // namespace brisa::readback
