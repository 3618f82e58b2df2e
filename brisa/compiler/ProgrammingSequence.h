#pragma once

#include <QList>
#include <QString>

// Which block follows which acknowledged block while a node is programmed, and what the
// progress bar and the status label show meanwhile. Nothing here sends anything: the caller
// builds the named block (Image.h) and writes it.
namespace brisa::compiler {

// Nodes below hardware version 3 are the RS-232/485 ones; 3 to 6 have Ethernet and e-mail.
bool isSerialNode(double hardwareVersion);
bool hasMailData(double hardwareVersion);

// Every block a programming run writes, in order, starting with the header.
QList<int> sendingOrder(double hardwareVersion, double softwareVersion);

// How many scan-list entries the blocks of that order carry (16 per scan-list block).
int scanCapacity(double hardwareVersion, double softwareVersion);

struct Progress {
    int value = 0;
    int maximum = 0;
    bool operator==(const Progress&) const = default;
};

// The bar when programming starts: value 1, maximum 14 with high memory, otherwise 6.
Progress startProgress(bool highMemory);

enum class Completion {
    None,
    Programado,      // software version 1 of a serial node, after block 6
    ProgramadoFull,  // "Programado!": after block 14 or block 161
};

struct WriteStep {
    bool handled = false;          // false: the reply belongs to no step and changes nothing else
    int nextBlock = -1;            // the block to build and send, -1 when none
    bool buildTextStream = false;  // take the e-mail text stream now (before block 31 goes out)
    Completion completion = Completion::None;
    QString status;     // new lbProgramado caption; empty when it stays as it is
    Progress progress;  // the bar after the step
};

// The step that answers a write acknowledgement of `ackBlock`. A value the bar cannot show
// (above its maximum) is not taken, as the bar itself refuses it; the bar keeps its value.
WriteStep writeStep(double hardwareVersion, double softwareVersion, int ackBlock, Progress current);

// The completion texts.
QString completionText(Completion c);

}  // namespace brisa::compiler
