#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What the configuration image is built from: the main window's fields at the moment a block
// is built. Numbers are the values the fields hold (not list positions).
namespace brisa::compiler {

// Type byte of a trigger variable; None when no option of the group is set.
enum class VarType : unsigned char { None = 0, Bit = 1, Byte = 2, Word = 4 };

// Comparison byte; Menor and "no option set" both go out as 0.
enum class Comparison : unsigned char { Menor = 0, Igual = 1, Mayor = 2 };

enum class PlcPort : unsigned char { A = 0, B = 1 };

struct TriggerSet {
    int variable = 0;  // txtTriggerMail: signed 16-bit
    int value = 0;     // txtValTriggerMail: 0..65535
    VarType type = VarType::Bit;
    Comparison comparison = Comparison::Igual;
};

struct MailAccount {
    QString destination;     // txtDestinatario: blank = account unused
    QString subject;         // txtAsunto
    QString message;         // txtMensaje
    bool attach = false;     // chkAttachVar
    int attachVariable = 0;  // txtVarAttach: signed 16-bit
};

constexpr int MailAccounts = 5;
constexpr int PopTrigger = 5;  // index of the POP command record among the trigger sets

struct ImageSnapshot {
    // Header
    QString priority1;  // txtPri(0), untrimmed; empty = none
    QString priority2;  // txtPri(1)
    int id485 = 2;
    int id232 = 2;
    int baud232 = 600;
    int baud485 = 600;
    PlcPort plcPort = PlcPort::B;
    QStringList scanList;  // lstCompilado

    // Network
    std::array<int, 4> ip{0, 0, 0, 0};
    std::array<int, 4> mask{255, 255, 255, 0};
    std::array<int, 4> gateway{0, 0, 0, 0};
    int tcpPort = 502;  // 0..65535
    bool highMemory = false;

    // E-mail
    std::array<TriggerSet, MailAccounts + 1> triggers{};  // 0..4 accounts, 5 POP command
    std::array<MailAccount, MailAccounts> accounts{};
    QString smtp;
    QString pop;
    QString sender;
    QString authUser;
    QString authPassword;
    QString nodePassword;        // txtNodoPASS: 4 characters
    std::optional<int> mailRta;  // opMailRta: 0..4, or no option set
    bool authentication = false;
    int popMinutesIndex = 0;  // list position of cbMinutosPop
};

}  // namespace brisa::compiler
