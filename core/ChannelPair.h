#pragma once

#include <cstdint>

#include "OwnedPtrList.h"

// One legal (inputs, outputs) channel-count combination.
struct ChannelPair {
    int32_t inputs = 0;
    int32_t outputs = 0;
};

// Appends one pair per space-separated "inputs-outputs" token of `text` ("1-1 2-2").
// A token that does not start with a number gives (0,0); a lone number n gives (n,0).
void ParseChannelIO(const char* text, OwnedPtrList<ChannelPair>& pairs);
