#pragma once

#include <new>

#include "pluginterfaces/base/funknown.h"

// No exception may unwind into a host: the frames above an entry point are the
// host's, and need not even be C++. Every entry point whose work can throw (an
// allocation, the product's hooks, the editor) runs that work through HostCall,
// which turns an escaping exception into a published failure: kOutOfMemory for a
// failed allocation, kInternalError for anything else, or the given answer where
// the entry point returns something other than a result code.
template <class Body>
Steinberg::tresult HostCall(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return Steinberg::kOutOfMemory;
    } catch (...) {
        return Steinberg::kInternalError;
    }
}

template <class Result, class Body>
Result HostCall(Result onFailure, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}
