#include "StateChunk.h"

#include <cstring>

bool StateChunk::PutDouble(double value)
{
    const int32_t end = Size();
    if (end > INT32_MAX - int32_t(sizeof value)) return false;
    Resize(end + int32_t(sizeof value), true);
    if (Size() != end + int32_t(sizeof value)) return false;
    std::memcpy(As<char>() + end, &value, sizeof value);
    return true;
}

int32_t StateChunk::GetDouble(double& value, int32_t position) const
{
    if (position < 0 || int64_t(position) + int64_t(sizeof value) > Size()) return -1;
    std::memcpy(&value, As<char>() + position, sizeof value);
    return position + int32_t(sizeof value);
}
