#pragma once

#include <cstdint>

// A MIDI message: its frame offset in the block and its three bytes.
struct MidiMessage {
    int32_t offset = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// The host's transport at the start of the current block.
struct TransportInfo {
    double tempo = 0.0;
    double samplePosition = 0.0;
    double quarterNotePosition = 0.0;
    double barStartPosition = 0.0;
    double cycleStart = 0.0;
    double cycleEnd = 0.0;
    int32_t numerator = 0;
    int32_t denominator = 0;
    bool running = false;
    bool looping = false;
};
