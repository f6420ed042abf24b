#include "ModuleResources.h"

namespace {
void* resourceModule = nullptr;
}

void* ResourceModule() { return resourceModule; }
void PublishResourceModule(void* module) { resourceModule = module; }
