#pragma once

#include <cstddef>

#include "StateChunk.h"

// A named snapshot of the plug-in's state, held in memory. A slot starts empty and is
// filled once, by a default capture or by the first recall of it.
class PresetRecord {
public:
    static constexpr size_t kNameSize = 256;  // 255 characters

    PresetRecord();

    bool Initialised() const { return initialised_; }
    void MarkInitialised() { initialised_ = true; }
    const char* Name() const { return name_; }
    void SetName(const char* name);
    StateChunk& Content() { return content_; }
    const StateChunk& Content() const { return content_; }

private:
    bool initialised_ = false;
    char name_[kNameSize];
    StateChunk content_;
};
