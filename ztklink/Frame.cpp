#include "Frame.h"

namespace ztklink::frame {

std::uint8_t xorOf(const std::uint8_t* bytes, int n) {
    std::uint8_t x = 0;
    for (int i = 0; i < n; ++i) x ^= bytes[i];
    return x;
}

BlockAddress blockAddress(int block, bool write) {
    if (block > 255)
        return {write ? Command::WriteHigh : Command::ReadHigh,
                static_cast<std::uint8_t>(block - 256)};
    return {write ? Command::Write : Command::Read, static_cast<std::uint8_t>(block)};
}

void shiftDownForAnalog(Bytes& frame) {
    for (int i = 2; i <= 17; ++i) frame[i] = frame[i + 1];
    frame[18] = 0;
}

void seal(Bytes& frame) {
    frame[19] = 0;
    frame[19] = xorOf(frame.data(), Size - 1);
}

Bytes blockFrame(std::uint8_t id, std::uint8_t command, std::uint8_t block, const Data& data) {
    Bytes f{};
    f[0] = id;
    f[1] = command;
    f[2] = block;
    for (int i = 0; i < DataSize; ++i) f[DataOffset + i] = data[i];
    seal(f);
    return f;
}

Bytes analogFrame(std::uint8_t id, std::uint8_t command, const Data& data) {
    Bytes f{};
    f[0] = id;
    f[1] = command;
    for (int i = 0; i < DataSize; ++i) f[2 + i] = data[i];
    f[18] = 0;
    seal(f);
    return f;
}

bool isValid(const Bytes& frame) { return xorOf(frame.data(), Size) == 0; }

void unpackAnalog(Bytes& frame) {
    if (!isAnalog(frame[1])) return;
    for (int i = 17; i >= 2; --i) frame[i + 1] = frame[i];
}

Data dataOf(const Bytes& frame) {
    Data d{};
    for (int i = 0; i < DataSize; ++i) d[i] = frame[DataOffset + i];
    return d;
}

QByteArray toByteArray(const Bytes& frame) {
    return QByteArray(reinterpret_cast<const char*>(frame.data()), Size);
}

Bytes fromByteArray(const QByteArray& bytes) {
    Bytes f{};
    for (int i = 0; i < Size && i < bytes.size(); ++i) f[i] = static_cast<std::uint8_t>(bytes[i]);
    return f;
}

std::uint16_t crc16Modbus(const std::uint8_t* bytes, int n) {
    std::uint16_t crc = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

Data modeSwitchData(std::uint8_t id, std::uint8_t marker) {
    Data d{};
    d[0] = marker;
    const Bytes f = blockFrame(id, Command::Write, ModeSwitchBlock, d);
    const std::uint16_t crc = crc16Modbus(f.data(), 17);
    d[14] = static_cast<std::uint8_t>(crc & 0xFF);
    d[15] = static_cast<std::uint8_t>(crc >> 8);
    return d;
}

}  // namespace ztklink::frame
