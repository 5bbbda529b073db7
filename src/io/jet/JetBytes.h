#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace jet {

using Bytes = std::vector<std::uint8_t>;

// Access files are little-endian throughout, except index keys (big-endian, see JetSortKey.h).
inline void putU16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU24(std::uint8_t* p, std::uint32_t v) {
    putU16(p, v);
    p[2] = static_cast<std::uint8_t>(v >> 16);
}

inline void putU32(std::uint8_t* p, std::uint32_t v) {
    putU16(p, v);
    putU16(p + 2, v >> 16);
}

inline void putDouble(std::uint8_t* p, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(p, static_cast<std::uint32_t>(bits));
    putU32(p + 4, static_cast<std::uint32_t>(bits >> 32));
}

inline std::uint32_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

inline std::uint32_t getU24(const std::uint8_t* p) {
    return getU16(p) | static_cast<std::uint32_t>(p[2]) << 16;
}

inline std::uint32_t getU32(const std::uint8_t* p) {
    return getU16(p) | getU16(p + 2) << 16;
}

inline double getDouble(const std::uint8_t* p) {
    const std::uint64_t bits = getU32(p) | static_cast<std::uint64_t>(getU32(p + 4)) << 32;
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline void appendU8(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
}

inline void appendU16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void appendU32(Bytes& out, std::uint32_t v) {
    appendU16(out, v);
    appendU16(out, v >> 16);
}

inline void appendDouble(Bytes& out, double v) {
    const auto at = out.size();
    out.resize(at + 8);
    putDouble(out.data() + at, v);
}

inline void appendBytes(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

} // namespace jet
