#include "ComponentHandler.h"

namespace vorla::host {

using namespace Steinberg;

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID id) {
    recorded.push_back({EditKind::Begin, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value) {
    recorded.push_back({EditKind::Perform, id, value});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID id) {
    recorded.push_back({EditKind::End, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
    restartFlags.push_back(flags);
    return kResultOk;
}

} // namespace vorla::host
