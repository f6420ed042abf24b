#include "ResourceModule.h"

namespace {
void* resourceModule = nullptr;
}

void SetResourceModule(void* module)
{
    resourceModule = module;
}

void* ResourceModule()
{
    return resourceModule;
}
