#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "Session.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// The "Programa" page: which PLC blocks the node exchanges (free list, used list, the two
// priority fields, high memory) and "Compilar", which turns that choice into the scan list and
// its report. The window's lists are the block model itself; there is no second copy to keep
// in step. The handlers are connected to the controls' click signals, so the window, brisa-cli
// and the tests run the same code by pressing the same controls.
//
// Every block number is in at most one of: the free list, the used list, priority field 1,
// priority field 2. The free list stays in ascending order; the used list keeps the user's
// order, which is the order the node scans.
class BlockSelection : public QObject {
    Q_OBJECT
  public:
    // High memory: the blocks from here to the last one (255).
    static constexpr int FirstHighBlock = 192;

    // The decimal separator of the scan time in the report: the user's regional settings.
    using DecimalSeparator = std::function<QString()>;
    static QString systemDecimalSeparator();

    BlockSelection(form::MainForm& form, Session& session,
                   DecimalSeparator separator = &BlockSelection::systemDecimalSeparator,
                   QObject* parent = nullptr);

    // "Usar >>": the selected free blocks go to the end of the used list, in ascending order.
    void cmdAdd_Click();
    // "<< Quitar": the selected used blocks go back to the free list.
    void cmdQuita_Click();
    // The selected free block becomes priority block 1 / 2, when that field is empty.
    void cmdAddPri1_Click() { setPriority(0); }
    void cmdAddPri2_Click() { setPriority(1); }
    // Priority block 1 / 2 goes back to the free list.
    void cmdRemovePri1_Click() { clearPriority(0); }
    void cmdRemovePri2_Click() { clearPriority(1); }
    // "Activar memoria alta": switches blocks 192..255 on or off.
    void mnMemH_Click();
    // "Borrar prog.".
    void cmdRstProg_Click() { PrgClear(); }
    // "A programa": the blocks an inspected node asked for become the used list.
    void cmdAPrg_Click();
    // Selecting an entry shows where the block lies in PLC memory and its Modbus addresses.
    void lstBlockFree_Click();
    void lstUsed_Click();
    // "Compilar": the scan list into lstCompilado, the report into lbCompilado, and
    // "Programar" shown when the node can take the whole scan list.
    void cmdCompilar_Click();

    // A block back into the free list at its place, unless the list already has it.
    void ReturnBlockToFree(int block);
    // Blocks 192..255 into the free list.
    void AddMemH();
    // Every block above 191 out of the free list, the used list and the priority fields.
    void RemoveMemH();
    // A new, empty program: blocks 0..31 free, nothing used, no priority, high memory off,
    // default speeds and ids, compile result and node information cleared.
    void PrgClear();
    // Builds the scan list and the report from the used list and the priority fields.
    void ArmaRecorrido();

    // A block number as the lists write it: three digits ("007").
    static QString blockText(int block);
    // What lbMsg shows for a block: its number, PLC addresses and Modbus addresses.
    static QString blockDescription(int block);

  private:
    void setPriority(int field);
    void clearPriority(int field);
    // Inserts before the first free entry with a greater value, so the list stays ascending.
    void insertFree(const QString& text);
    void showUsedCount();
    // The selection changed after a compile: the compiled scan list no longer matches it.
    void clearCompiled();

    form::MainForm& form_;
    Session& session_;
    DecimalSeparator separator_;
};

}  // namespace brisa::exchange
