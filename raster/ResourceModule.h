#pragma once

// The module whose resources hold the editor's images. The module entry publishes
// its instance handle here when the library is initialised; the editor window
// reads it when it loads images. Null until published.
void SetResourceModule(void* module);
void* ResourceModule();
