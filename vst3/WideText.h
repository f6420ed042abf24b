#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <cstddef>

// 8-bit texts cross the VST3 boundary one byte to one UTF-16 unit: at most 127
// units and a terminating zero. A null text gives the empty text.
void WidenText(const char* text, Steinberg::Vst::String128 out);

// UTF-16 texts from the host keep each unit's low byte, up to the first zero unit
// and at most capacity - 1 characters; the result is always terminated.
void NarrowText(const Steinberg::Vst::TChar* text, char* out, size_t capacity);
