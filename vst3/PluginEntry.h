#pragma once

#include "pluginterfaces/base/funknown.h"

class IPlugVST3;

// What the module's class factory registers. The module entry lives in this layer
// but the product above it knows its identity and how to build itself, so the
// product defines ProductClassRecord() once; the entry calls it.
struct PluginClassRecord {
    const char* name;          // class name, e.g. "VORLA"
    const char* vendor;        // the factory's vendor
    const char* url;           // the factory's web address
    const char* email;         // the factory's contact address
    const char* subCategories; // e.g. "Fx|EQ"
    const char* version;       // e.g. "1.0.0"
    Steinberg::uint32 makerId;  // four characters, the first in the top byte
    Steinberg::uint32 uniqueId; // four characters, the first in the top byte
    IPlugVST3* (*create)();    // one new instance, reference count 1
};

const PluginClassRecord& ProductClassRecord();
