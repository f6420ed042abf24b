#pragma once

#include <cstdint>

// Packs a four-character identifier with its first character in the most significant
// byte, the form hosts and the state format use for plug-in, maker and parameter ids.
constexpr uint32_t FourCC(const char (&code)[5])
{
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}
