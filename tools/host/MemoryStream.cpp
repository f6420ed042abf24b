#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace vorla::host {

using namespace Steinberg;

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
    if (numBytesRead)
        *numBytesRead = 0;
    if (position >= failPosition || numBytes < 0 || (numBytes > 0 && !buffer))
        return kResultFalse;
    const std::size_t end = data.size();
    const std::size_t count = position < end ? std::min<std::size_t>(numBytes, end - position) : 0;
    if (count > 0)
        std::memcpy(buffer, data.data() + position, count);
    position += count;
    if (numBytesRead)
        *numBytesRead = static_cast<int32>(count);
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
    if (numBytesWritten)
        *numBytesWritten = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer))
        return kResultFalse;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (data.size() < position + numBytes)
        data.resize(position + numBytes);
    std::copy(bytes, bytes + numBytes, data.begin() + static_cast<std::ptrdiff_t>(position));
    position += numBytes;
    if (numBytesWritten)
        *numBytesWritten = numBytes;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
    int64 base = 0;
    if (mode == kIBSeekCur)
        base = static_cast<int64>(position);
    else if (mode == kIBSeekEnd)
        base = static_cast<int64>(data.size());
    else if (mode != kIBSeekSet)
        return kInvalidArgument;
    if (base + pos < 0)
        return kResultFalse;
    position = static_cast<std::size_t>(base + pos);
    if (result)
        *result = static_cast<int64>(position);
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
    if (!pos)
        return kInvalidArgument;
    *pos = static_cast<int64>(position);
    return kResultOk;
}

} // namespace vorla::host
