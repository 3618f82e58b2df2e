#include "Node.h"

#include <algorithm>

namespace nodesim {

namespace frame = ztklink::frame;
namespace Command = ztklink::frame::Command;

namespace {

void putLittle(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v & 0xFF);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

// The node's memory as a fresh node has it: nothing programmed, ids 2, RS-232 at 4800 and
// RS-485 at 19200, PLC on port B, IP 0.0.0.0/255.255.255.0, TCP port 502.
void fillDefaults(std::array<std::uint8_t, Memory::Size>& m) {
    putLittle(&m[Memory::Priority1], 0xFFFF);
    putLittle(&m[Memory::Priority2], 0xFFFF);
    m[Memory::Id485] = 2;
    m[Memory::Id232] = 2;
    putLittle(&m[Memory::Baud232], 4800);
    putLittle(&m[Memory::Baud485], 19200);
    m[Memory::PlcPort] = 1;
    m[Memory::ScanCount] = 0;
    for (int i = 0; i < 3; ++i) m[Memory::Mask + i] = 255;
    m[Memory::TcpPort] = 502 >> 8;
    m[Memory::TcpPort + 1] = 502 & 0xFF;
}

// Memory offset of a programmed block, or -1 when the block is kept elsewhere.
int memoryOffsetOf(int block) {
    if (block >= 1 && block <= 4) return Memory::ScanList + (block - 1) * 16;
    if (block >= 7 && block <= 14) return Memory::ScanList + 64 + (block - 7) * 16;
    if (block == 5) return Memory::Header;
    if (block == 6) return Memory::Network;
    return -1;
}

bool isMailBlock(int block) { return block >= FirstMailBlock && block <= LastMailBlock; }

}  // namespace

Node::Node(Identity identity) : identity_(identity) { fillDefaults(memory_); }

std::optional<Bytes> Node::respond(const Bytes& request) {
    if (!frame::isValid(request) || request[0] != NodeId) return std::nullopt;
    const std::uint8_t command = request[1];
    const std::uint8_t blockByte = request[2];
    if (command == Command::Write && blockByte == ModeSwitchBlock) return modeSwitch(request);
    if (mode_ == Mode::Inspected) return std::nullopt;

    switch (command) {
        case Command::Read:
        case Command::ReadHigh: {
            const int block = blockByte + (command == Command::ReadHigh ? 256 : 0);
            return frame::blockFrame(NodeId, command, blockByte, readBlock(block));
        }
        case Command::Write:
        case Command::WriteHigh: {
            const int block = blockByte + (command == Command::WriteHigh ? 256 : 0);
            const Data data = frame::dataOf(request);
            writeBlock(block, data);
            return frame::blockFrame(NodeId, command, blockByte, data);
        }
        case Command::AnalogRead:
            return frame::analogFrame(NodeId, command, analogInputs());
        case Command::AnalogWrite:
            // Analog requests carry their data at offsets 2..17.
            for (int i = 0; i < frame::DataSize; ++i) analogOutputs_[i] = request[2 + i];
            return frame::analogFrame(NodeId, command, analogOutputs_);
        default:
            return std::nullopt;
    }
}

std::optional<Bytes> Node::modeSwitch(const Bytes& request) {
    const std::uint16_t expected = crc16Modbus(request.data(), 17);
    const std::uint16_t given = static_cast<std::uint16_t>(request[17] | (request[18] << 8));
    if (given != expected) return std::nullopt;
    const std::uint8_t marker = request[3];
    if (marker == InspectedMarker) mode_ = Mode::Inspected;
    if (marker == NormalMarker) mode_ = Mode::Normal;
    return frame::blockFrame(NodeId, Command::Write, ModeSwitchBlock, frame::dataOf(request));
}

void Node::flipAfterWrites(int offset) {
    if (offset >= 0 && offset < Memory::Size) flips_.push_back(offset);
}

void Node::writeBlock(int block, const Data& data) {
    if (const int at = memoryOffsetOf(block); at >= 0) {
        std::copy(data.begin(), data.end(), memory_.begin() + at);
        for (int offset : flips_)
            if (offset >= at && offset < at + int(data.size())) memory_[offset] ^= 0xFF;
    } else if (isMailBlock(block)) {
        mail_[block - FirstMailBlock] = data;
    } else {
        other_[block] = data;
    }
}

Data Node::readBlock(int block) const {
    if (block == 0) return informationBlock0();
    if (block == 1) return informationBlock1();
    Data d{};
    int at = memoryOffsetOf(block);
    if (block >= Memory::FirstImageBlock && block <= Memory::LastImageBlock)
        at = (block - Memory::FirstImageBlock) * 16;
    if (at >= 0) {
        std::copy_n(memory_.begin() + at, d.size(), d.begin());
    } else if (isMailBlock(block)) {
        d = mail_[block - FirstMailBlock];
    } else if (auto it = other_.find(block); it != other_.end()) {
        d = it->second;
    }
    return d;
}

Data Node::informationBlock0() const {
    const auto& m = memory_;
    Data d{};
    d[0] = identity_.swMajor;
    d[1] = identity_.swMinor;
    putLittle(&d[2], identity_.model);
    d[4] = m[Memory::Priority1];
    d[5] = m[Memory::Priority1 + 1];
    d[6] = m[Memory::Priority2];
    d[7] = m[Memory::Priority2 + 1];
    // Address and mask go out last part first: the reader shows bytes 11, 10, 9, 8.
    for (int i = 0; i < 4; ++i) {
        d[11 - i] = m[Memory::Ip + i];
        d[15 - i] = m[Memory::Mask + i];
    }
    return d;
}

Data Node::informationBlock1() const {
    const auto& m = memory_;
    Data d{};
    putLittle(&d[0], static_cast<std::uint16_t>((m[Memory::TcpPort] << 8) | m[Memory::TcpPort + 1]));
    d[2] = m[Memory::Baud232];
    d[3] = m[Memory::Baud232 + 1];
    d[4] = m[Memory::Baud485];
    d[5] = m[Memory::Baud485 + 1];
    d[6] = m[Memory::ScanCount];
    d[8] = m[Memory::Id232];
    d[9] = m[Memory::Id485];
    d[10] = m[Memory::PlcPort];
    return d;
}

std::vector<std::uint8_t> Node::scanOrder() const {
    const int n = std::min<int>(memory_[Memory::ScanCount], Memory::ScanListMax);
    std::vector<std::uint8_t> order;
    if (n == 0) {
        for (int b = 0; b < 32; ++b) order.push_back(static_cast<std::uint8_t>(b));
        return order;
    }
    order.assign(memory_.begin() + Memory::ScanList, memory_.begin() + Memory::ScanList + n);
    return order;
}

// Eight 16-bit inputs, low byte first, each a 12-bit ramp at its own phase: enough movement
// for a host to see its readings change.
Data Node::analogInputs() {
    Data d{};
    for (int ch = 0; ch < 8; ++ch) {
        const auto v = static_cast<std::uint16_t>((analogTick_ * 37 + ch * 512) % 4096);
        putLittle(&d[2 * ch], v);
    }
    ++analogTick_;
    return d;
}

}  // namespace nodesim
