#include "compiler/ProgrammingSequence.h"

#include "compiler/Image.h"

namespace brisa::compiler {

namespace {
constexpr int SerialMaximum = 15;  // the serial handler sets this on every reply
constexpr int MailMaximum = 129;

bool isSoftwareVersionOne(double softwareVersion) { return softwareVersion == 1.0; }

// The bar refuses a value outside 0..maximum and keeps the one it has.
void setValue(Progress& p, int value) {
    if (value >= 0 && value <= p.maximum) p.value = value;
}
void setMaximum(Progress& p, int maximum) {
    p.maximum = maximum;
    if (p.value > maximum) p.value = maximum;
}
}  // namespace

bool isSerialNode(double hardwareVersion) { return hardwareVersion < 3; }
bool hasMailData(double hardwareVersion) { return hardwareVersion >= 3 && hardwareVersion <= 6; }

QList<int> sendingOrder(double hardwareVersion, double softwareVersion) {
    QList<int> order{HeaderBlock, 1, 2, 3, 4, NetworkBlock};
    if (isSerialNode(hardwareVersion)) {
        if (!isSoftwareVersionOne(softwareVersion))
            for (int b = 7; b <= 14; ++b) order << b;
    } else if (hasMailData(hardwareVersion)) {
        for (int b = MailStartBlock; b <= LastStreamBlock; ++b) order << b;
    }
    return order;
}

int scanCapacity(double hardwareVersion, double softwareVersion) {
    int blocks = 0;
    for (int b : sendingOrder(hardwareVersion, softwareVersion))
        if (isScanListBlock(b)) ++blocks;
    return blocks * 16;
}

Progress startProgress(bool highMemory) { return {1, highMemory ? 14 : 6}; }

QString completionText(Completion c) {
    switch (c) {
        case Completion::Programado:
            return QStringLiteral("Programado");
        case Completion::ProgramadoFull:
            return QStringLiteral("Programado!");
        case Completion::None:
            break;
    }
    return {};
}

WriteStep writeStep(double hardwareVersion, double softwareVersion, int ackBlock,
                    Progress current) {
    WriteStep step;
    step.progress = current;
    Progress& p = step.progress;
    const auto send = [&](int block, int progressValue) {
        step.handled = true;
        step.nextBlock = block;
        setValue(p, progressValue);
    };
    const auto complete = [&](Completion c) {
        step.handled = true;
        step.completion = c;
        step.status = completionText(c);
        setValue(p, c == Completion::Programado ? p.maximum : 0);
    };

    const bool serial = isSerialNode(hardwareVersion);
    if (serial) setMaximum(p, SerialMaximum);

    // Header, scan-list blocks 1 to 4 and the network block: the same for every node.
    if (ackBlock == HeaderBlock) {
        send(1, 2);
        return step;
    }
    if (ackBlock >= 1 && ackBlock <= 4) {
        if (ackBlock < 4)
            send(ackBlock + 1, ackBlock + 2);
        else
            send(NetworkBlock, 6);
        return step;
    }

    if (serial) {
        if (ackBlock == NetworkBlock) {
            if (isSoftwareVersionOne(softwareVersion))
                complete(Completion::Programado);
            else
                send(7, 7);
        } else if (ackBlock >= 7 && ackBlock <= 13) {
            send(ackBlock + 1, ackBlock + 1);
        } else if (ackBlock == 14) {
            complete(Completion::ProgramadoFull);
        }
        return step;
    }

    if (ackBlock == NetworkBlock) {
        if (hasMailData(hardwareVersion)) send(MailStartBlock, 7);
    } else if (ackBlock == MailStartBlock) {
        step.handled = true;
        step.nextBlock = MailSettingsBlock;
        step.status = QStringLiteral("Datos e-mail...");
        step.buildTextStream = true;
        setMaximum(p, MailMaximum);
    } else if (ackBlock >= MailSettingsBlock && ackBlock <= TriggerValuesBlock) {
        send(ackBlock + 1, p.value + 1);
    } else if (ackBlock >= AttachBlock && ackBlock < LastStreamBlock) {
        // The stream blocks outnumber the bar: it starts again from 0 when full.
        if (p.value >= p.maximum) p.value = 0;
        send(ackBlock + 1, p.value + 1);
    } else if (ackBlock == LastStreamBlock) {
        complete(Completion::ProgramadoFull);
    }
    return step;
}

}  // namespace brisa::compiler
