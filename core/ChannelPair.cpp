#include "ChannelPair.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Reads a decimal integer the way "%d" does (leading blanks skipped, optional sign),
// saturating instead of overflowing. Returns false, cursor untouched, without a number.
bool ReadInt(const char*& cursor, int32_t& value)
{
    char* end = nullptr;
    const long long parsed = std::strtoll(cursor, &end, 10);
    if (end == cursor) return false;
    value = parsed > INT_MAX ? INT_MAX : (parsed < INT_MIN ? INT_MIN : int32_t(parsed));
    cursor = end;
    return true;
}

ChannelPair ParseToken(const char* token)
{
    ChannelPair pair;
    if (ReadInt(token, pair.inputs) && *token == '-') {
        ++token;
        ReadInt(token, pair.outputs);
    }
    return pair;
}

}  // namespace

void ParseChannelIO(const char* text, OwnedPtrList<ChannelPair>& pairs)
{
    for (const char* token = text; token;) {
        pairs.Append(new ChannelPair(ParseToken(token)));
        token = std::strchr(token, ' ');
        if (token) ++token;
    }
}
