#include "HostApplication.h"

namespace vorla::host {

using namespace Steinberg;

tresult PLUGIN_API HostApplication::getName(Vst::String128 out) {
    size_t i = 0;
    for (; i < name.size() && i < 127; ++i)
        out[i] = static_cast<char16>(static_cast<unsigned char>(name[i]));
    out[i] = 0;
    return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj) {
    *obj = nullptr;
    return kResultFalse;
}

} // namespace vorla::host
