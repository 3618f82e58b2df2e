#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// The node query's two information blocks, turned into the captions of the node-information
// labels.
namespace brisa::compiler {

using NodeData = std::array<std::uint8_t, 16>;

// Gives the short name of a node type code (NodeTypeShortName of the configuration model).
using ShortNameOf = std::function<QString(int code)>;

struct NodeInfo0 {
    QString softwareVersion;  // lbSoftwarever: "1.05"
    int modelCode = 0;        // bytes 2..3, low byte first, signed
    QString model;            // lbModelo: shortName(modelCode)
    QString priority1;        // lbBlPri1: "5 (80 - 95)" or "No usado"
    QString priority2;        // lbBlPri2
    QString ip;               // lbIP: "192.168.001.010"
    QString mask;             // lbMsk
};

struct NodeInfo1 {
    QString tcpPort;       // lbIpPort, unsigned
    QString baud232;       // lbBaud232, signed
    QString baud485;       // lbBaud485, unsigned
    QString blocksInNode;  // lbBloquesEnNodo
    QString id232;         // lbId232
    QString id485;         // lbId485
    QString plcPort;       // lbPortPLC: "A", "B" or "Error"
};

// `shortName` may be empty: `model` then stays empty and the caller maps `modelCode` itself.
NodeInfo0 decodeNodeBlock0(const NodeData& d, const ShortNameOf& shortName);
NodeInfo1 decodeNodeBlock1(const NodeData& d);

// A priority block as the query shows it: "w (w*16 - w*16+15)" for 0..255, else "No usado".
QString priorityCaption(std::int16_t block);

}  // namespace brisa::compiler
