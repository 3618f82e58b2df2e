#pragma once

#include <QString>
#include <array>
#include <utility>

namespace brisa {

// What the node compares a trigger variable with, and of which type that variable is.
struct TriggerSet {
    qint16 vrTr = 0;  // PLC variable, 0..511
    qint32 vlTr = 0;  // comparison value, 0..65535 (wider than the other numbers on purpose)
    bool mBit = true, mByte = false, mWord = false;
    bool menor = false, igual = true, mayor = false;
    bool operator==(const TriggerSet&) const = default;
};

// One of the node's e-mail accounts; its trigger set is NodeConfig::trigger[n].
struct MailAccount {
    QString msg, dst, subject;
    qint16 varAttch = 0;  // PLC variable attached, 0..511
    qint16 attch = 0;     // non-zero: attach it
    bool operator==(const MailAccount&) const = default;
};

constexpr int MailAccounts = 5;
// Trigger sets: one per account, then the POP command record.
constexpr int TriggerSets = 6;
constexpr int PopTrigger = 5;

// Character limits and ranges of the fields, shared by the record and the window.
namespace limits {
constexpr int Octet = 255;
constexpr int TextLen = 49;  // From, POP, SMTP, Usser, nDst, nSubject
constexpr int PassLen = 15;
constexpr int NodoPassLen = 4;
constexpr int MsgLen = 240;
constexpr int Variable = 511;
constexpr int Value = 65535;
constexpr int TcpPort = 65535;
constexpr int MinPopEntries = 9;  // Nunca, 3, 10, 30, 60, 90, 120, 240, PLC
constexpr int MinPopPlc = 8;
constexpr int PcPorts = 16;
constexpr int SoftVersions = 101;  // 1.00 .. 2.00
constexpr int Speeds = 6;          // 600 .. 19200
constexpr int Ids = 255;
constexpr int AllBlocks = 32;
}  // namespace limits

// The configuration of the node being edited: one for the whole program, kept in the settings
// file and in program files, in the sections Sets, Net and Prog. Member names follow the keys.
struct NodeConfig {
    // --- Sets ---
    qint16 baudios = 4800;  // PC link speed; no editor changes it
    qint16 port = 1;        // PC serial port number (COMn)
    qint16 softVer = 50;    // position in the software version list (50: 1.50)

    // --- Net ---
    std::array<qint16, 4> ip{}, mask{}, gate{};
    QString from, pass, pop, smtp, usser;
    qint16 minPop = 0;
    QString nodoPass;
    qint16 mailRta = 0;
    qint16 autenticar = 0;
    qint32 tcpPort = 502;  // kept so that a loaded program file programs the port it was saved with
    std::array<MailAccount, MailAccounts> mail{};
    std::array<TriggerSet, TriggerSets> trigger{};

    // --- Prog ---
    QString blockFree;  // block list: every entry followed by ","
    QString blockUsed;
    QString blockF1, blockF2;
    qint16 baud232 = 0, baud485 = 0;  // positions in the speed list
    qint16 port232 = 0;               // -1: PLC port A, 0: port B
    qint16 id232 = 1, id485 = 1;      // positions in the id list (1: id 2)

    bool operator==(const NodeConfig&) const = default;
};

// The 32 ordinary blocks as a block list: "000,001, ... 031,".
QString allBlocksList();

// Long name of a node type from its hardware version; empty for an unknown one.
QString StrHardVer(float hardVer);
// Short name of a node type code as a node reports it.
QString NodeTypeShortName(int code);

// The 16-bit value made of a high and a low byte (1, 2 give 258; 255, 255 give -1).
qint16 BytesToWord(quint8 high, quint8 low);
// The two bytes of a 16-bit value, returned as (low, high).
std::pair<quint8, quint8> WordToBytes(qint16 value);

}  // namespace brisa
