#include "exchange/BlockSelection.h"

#include <algorithm>

#include "SettingsStore.h"

#include "compiler/ProgrammingSequence.h"
#include "compiler/ScanList.h"
#include "compiler/Text.h"
#include "exchange/NodeInfoLabels.h"

namespace brisa::exchange {

using namespace form;

namespace {
constexpr int HighestOrdinaryBlock = 191;
constexpr int LastHighBlock = 255;
constexpr int BlocksAfterReset = 32;
// Speeds list positions of 4800 and 19200 baud, the ports' factory settings.
constexpr int Default232Speed = 3;
constexpr int Default485Speed = 5;
const QString CrLf = QStringLiteral("\r\n");

// Entries are compared by their numeric value, whatever their text form ("7", "007").
double value(const QString& entry) { return compiler::textValue(entry); }
bool isHigh(const QString& entry) { return value(entry) > HighestOrdinaryBlock; }

// Modbus addresses are shown five characters wide, with "x" for the digits they lack.
QString modbusText(qint64 address) {
    return (QStringLiteral("xxxxx") + QString::number(address)).right(5);
}
}  // namespace

QString BlockSelection::systemDecimalSeparator() {
    return SettingsStore::regionalSettings().decimalSymbol;
}

BlockSelection::BlockSelection(MainForm& form, Session& session, DecimalSeparator separator,
                               QObject* parent)
    : QObject(parent), form_(form), session_(session), separator_(std::move(separator)) {
    connect(&form.cmdAdd, &CommandButton::click, this, &BlockSelection::cmdAdd_Click);
    connect(&form.cmdQuita, &CommandButton::click, this, &BlockSelection::cmdQuita_Click);
    connect(&form.cmdAddPri1, &CommandButton::click, this, &BlockSelection::cmdAddPri1_Click);
    connect(&form.cmdAddPri2, &CommandButton::click, this, &BlockSelection::cmdAddPri2_Click);
    connect(&form.cmdRemovePri1, &CommandButton::click, this, &BlockSelection::cmdRemovePri1_Click);
    connect(&form.cmdRemovePri2, &CommandButton::click, this, &BlockSelection::cmdRemovePri2_Click);
    connect(&form.mnMemH, &MenuItem::click, this, &BlockSelection::mnMemH_Click);
    connect(&form.cmdRstProg, &CommandButton::click, this, &BlockSelection::cmdRstProg_Click);
    connect(&form.cmdAPrg, &CommandButton::click, this, &BlockSelection::cmdAPrg_Click);
    connect(&form.lstBlockFree, &ListControl::click, this, &BlockSelection::lstBlockFree_Click);
    connect(&form.lstUsed, &ListControl::click, this, &BlockSelection::lstUsed_Click);
    connect(&form.cmdCompilar, &CommandButton::click, this, &BlockSelection::cmdCompilar_Click);
    // Double click or Enter on a list does what its button does, through the button, so that
    // a button disabled during an exchange keeps the list still too.
    connect(&form.lstBlockFree, &ListControl::activated, this, [&form] { form.cmdAdd.press(); });
    connect(&form.lstUsed, &ListControl::activated, this, [&form] { form.cmdQuita.press(); });
}

QString BlockSelection::blockText(int block) {
    // Only a damaged file can bring a negative number; it is shown as it is.
    if (block < 0) return QString::number(block);
    return QStringLiteral("%1").arg(block, 3, 10, QLatin1Char('0'));
}

QString BlockSelection::blockDescription(int n) {
    // Wide enough for any number a damaged entry can hold.
    qint64 plcFirst, modbusFirst, modbusLast;
    if (n <= HighestOrdinaryBlock) {
        // One Modbus address per byte.
        plcFirst = 16 * qint64(n);
        modbusFirst = plcFirst + 1;
        modbusLast = modbusFirst + 15;
    } else {
        // High memory lies 4096 bytes further on, with one Modbus address per 16-bit word.
        plcFirst = 16 * qint64(n) + 4096;
        modbusFirst = plcFirst / 2 + 1;
        modbusLast = modbusFirst + 7;
    }
    const qint64 plcLast = plcFirst + 15;
    return QStringLiteral("Bloque %1").arg(n) + CrLf +
           QStringLiteral("Direcciones PLC: %1 a %2").arg(plcFirst).arg(plcLast) + CrLf +
           QStringLiteral("Direcciones de MODBUS: ") + modbusText(modbusFirst) +
           QStringLiteral(" a ") + modbusText(modbusLast);
}

void BlockSelection::lstBlockFree_Click() {
    if (form_.lstBlockFree.listIndex() < 0) return;
    form_.lbMsg.setCaption(blockDescription(compiler::textInt(form_.lstBlockFree.text())));
}

void BlockSelection::lstUsed_Click() {
    if (form_.lstUsed.listIndex() < 0) return;
    form_.lbMsg.setCaption(blockDescription(compiler::textInt(form_.lstUsed.text())) + CrLf +
                           QStringLiteral("Bloques usados = %1").arg(form_.lstUsed.count()));
}

void BlockSelection::cmdAdd_Click() {
    ListBox& freeList = form_.lstBlockFree;
    ListBox& used = form_.lstUsed;
    const QList<int> rows = freeList.selection();
    if (rows.isEmpty()) return;
    for (int r : rows) used.addItem(freeList.item(r));
    for (auto r = rows.crbegin(); r != rows.crend(); ++r) freeList.removeItem(*r);
    // The entry that took the first one's place; past the last entry the free list is left
    // without a selection.
    freeList.setListIndex(rows.first());
    form_.cmdProgramar.setVisible(false);
    // The blocks just moved stay selected, the last one current.
    QList<int> moved;
    for (int r = used.count() - int(rows.size()); r < used.count(); ++r) moved << r;
    used.setSelection(moved, used.count() - 1);
}

void BlockSelection::cmdQuita_Click() {
    ListBox& used = form_.lstUsed;
    const QList<int> rows = used.selection();
    if (rows.isEmpty()) return;
    for (int r : rows) ReturnBlockToFree(compiler::textInt(used.item(r)));
    for (auto r = rows.crbegin(); r != rows.crend(); ++r) used.removeItem(*r);
    used.setListIndex(qMin(rows.first(), used.count() - 1));
    showUsedCount();
    clearCompiled();
}

void BlockSelection::setPriority(int field) {
    ListBox& freeList = form_.lstBlockFree;
    TextBox& priority = form_.txtPri[field];
    int i = freeList.listIndex();
    // A priority block is cleared before another one takes its place.
    if (i < 0 || !priority.text().isEmpty()) return;
    priority.setText(freeList.text());
    freeList.removeItem(i);
    if (i >= freeList.count()) i = freeList.count() - 1;
    freeList.setListIndex(i);
    form_.cmdProgramar.setVisible(false);
}

void BlockSelection::clearPriority(int field) {
    TextBox& priority = form_.txtPri[field];
    if (priority.text().isEmpty()) return;
    insertFree(priority.text());
    priority.setText(QString());
    showUsedCount();
    clearCompiled();
}

void BlockSelection::ReturnBlockToFree(int block) {
    ListBox& freeList = form_.lstBlockFree;
    for (const QString& entry : freeList.items())
        if (value(entry) == block) return;
    insertFree(blockText(block));
}

void BlockSelection::insertFree(const QString& text) {
    ListBox& freeList = form_.lstBlockFree;
    const double v = value(text);
    int at = 0;
    while (at < freeList.count() && value(freeList.item(at)) <= v) ++at;
    freeList.insertItem(at, text);
}

void BlockSelection::mnMemH_Click() {
    const bool on = !form_.mnMemH.checked();
    form_.mnMemH.setChecked(on);
    if (on)
        AddMemH();
    else
        RemoveMemH();
    session_.memH = on;
}

void BlockSelection::AddMemH() {
    for (int b = FirstHighBlock; b <= LastHighBlock; ++b) insertFree(QString::number(b));
}

void BlockSelection::RemoveMemH() {
    for (ListBox* list : {&form_.lstBlockFree, &form_.lstUsed})
        for (int i = list->count() - 1; i >= 0; --i)
            if (isHigh(list->item(i))) list->removeItem(i);
    for (TextBox& priority : form_.txtPri)
        if (isHigh(priority.text())) priority.setText(QString());
}

void BlockSelection::PrgClear() {
    form_.lstUsed.clear();
    form_.lstCompilado.clear();
    form_.lstBlockFree.clear();
    form_.lbCompilado.setCaption(QString());
    form_.lbProgramado.setCaption(QString());
    form_.lbMsg.setCaption(QString());
    form_.mnMemH.setChecked(false);
    session_.memH = false;
    lbInfNodoClear(form_);
    for (TextBox& priority : form_.txtPri) priority.setText(QString());
    // Refused, and left as they are, while the speed and id lists are not filled yet.
    form_.cbBaudios232.setListIndex(Default232Speed);
    form_.cbBaudios485.setListIndex(Default485Speed);
    for (int b = 0; b < BlocksAfterReset; ++b) form_.lstBlockFree.addItem(blockText(b));
    form_.cbId232.setListIndex(0);
    form_.cbId485.setListIndex(0);
    form_.lstBlockFree.setListIndex(0);
}

void BlockSelection::cmdAPrg_Click() {
    PrgClear();
    ListBox& used = form_.lstUsed;
    ListBox& freeList = form_.lstBlockFree;
    for (const QString& entry : form_.lstInspec.items()) used.addItem(entry);
    // Blocks the reset did not free (high memory) stay used all the same.
    for (const QString& entry : used.items()) {
        const double v = value(entry);
        for (int i = 0; i < freeList.count(); ++i) {
            if (value(freeList.item(i)) == v) {
                freeList.removeItem(i);
                break;
            }
        }
    }
    used.setListIndex(used.count() - 1);
}

void BlockSelection::cmdCompilar_Click() {
    form_.lstCompilado.clear();
    form_.cmdProgramar.setVisible(true);
    form_.lbProgramado.setCaption(QString());
    lbInfNodoClear(form_);
    ArmaRecorrido();
}

void BlockSelection::ArmaRecorrido() {
    compiler::ScanInput in;
    in.priority1 = form_.txtPri[0].text();
    in.priority2 = form_.txtPri[1].text();
    in.used = form_.lstUsed.items();
    in.highMemory = session_.memH;
    in.decimalSeparator = separator_();
    in.maxEntries = compiler::scanCapacity(session_.hardVer, session_.softVer);
    if (!compiler::isSerialNode(session_.hardVer)) {
        // The gateway may stay empty (000): a node without a router still works on its network.
        const auto anyBlank = [](const auto& fields) {
            return std::any_of(fields.begin(), fields.end(),
                               [](const TextBox& f) { return compiler::isBlank(f.text()); });
        };
        if (anyBlank(form_.txtIP)) in.missingFields << QStringLiteral("Dirección IP");
        if (anyBlank(form_.txtMsk)) in.missingFields << QStringLiteral("Máscara de red");
        if (compiler::isBlank(form_.txtPort.text())) in.missingFields << QStringLiteral("Puerto Tcp/Ip");
    }
    // A node that reads its mailbox recognises the mails meant for it by this password; with
    // another length it would ignore them all.
    if (compiler::hasMailData(session_.hardVer) && form_.cbMinutosPop.listIndex() > 0 &&
        !compiler::validNodePassword(form_.txtNodoPASS.text()))
        in.faults << compiler::nodePasswordLine();
    const compiler::ScanResult r = compiler::armaRecorrido(in);
    for (const QString& entry : r.scan) form_.lstCompilado.addItem(entry);
    form_.lbCompilado.setCaption(r.report);
    form_.PgBar1.setValue(0);
    // The node would keep only the first entries while believing it has them all.
    if (!r.programmable) form_.cmdProgramar.setVisible(false);
}

void BlockSelection::showUsedCount() {
    form_.lbMsg.setCaption(CrLf + QString::number(form_.lstUsed.count()) +
                           QStringLiteral(" Bloques"));
}

void BlockSelection::clearCompiled() {
    form_.lstCompilado.clear();
    form_.cmdProgramar.setVisible(false);
    form_.lbCompilado.setCaption(QString());
}

}  // namespace brisa::exchange
