#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/ibstream.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace vorla::host {

// A byte stream in memory, as hosts hand to getState/setState. Reading past the end
// delivers nothing and reports success, as a short stream does; reads can also be
// made to report failure from some position on.
class MemoryStream : public Steinberg::FObject, public Steinberg::IBStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {}

    const std::vector<std::uint8_t>& bytes() const { return data; }
    // Reads that start at or after `position` report failure.
    void failReadsFrom(std::size_t position) { failPosition = position; }

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                       Steinberg::int64* result) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) SMTG_OVERRIDE;

    OBJ_METHODS(MemoryStream, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IBStream)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

    std::vector<std::uint8_t> data;
    std::size_t position = 0;
    std::size_t failPosition = kNever;
};

} // namespace vorla::host
