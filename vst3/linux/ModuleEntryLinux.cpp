// Linux hosts call these right after loading the module and right before
// unloading it. The module needs no set-up of its own.
#include "pluginterfaces/base/fplatform.h"

extern "C" {
SMTG_EXPORT_SYMBOL bool ModuleEntry(void*) { return true; }
SMTG_EXPORT_SYMBOL bool ModuleExit() { return true; }
}
