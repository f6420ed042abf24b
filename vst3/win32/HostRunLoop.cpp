// Windows windows have the system's message loop; the host lends none.
#include "HostRunLoop.h"

std::unique_ptr<IEditorRunLoop> HostRunLoopOf(Steinberg::IPlugFrame*)
{
    return nullptr;
}
