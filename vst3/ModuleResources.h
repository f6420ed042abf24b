#pragma once

// The module handle that resource loading uses (the module's embedded images on
// Windows). Null until the platform's module entry publishes it.
void* ResourceModule();
void PublishResourceModule(void* module);
