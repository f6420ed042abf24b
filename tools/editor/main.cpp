// Opens the plug-in's editor in a window on the user's X11 display, as a Linux host
// does, on a running instance: the view gets a frame that lends the host's run
// loop, the instance processes silence block by block on the same thread, and
// every edit the panel sends to the host is printed with the parameter's text.
//   vorla-editor [--seconds N] [BUNDLE]
// The window stays until it is closed, or N seconds passed.
#include "ComponentHandler.h"
#include "HostApplication.h"
#include "AudioBlock.h"
#include "HostWindow.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "RunLoopFrame.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace Steinberg;
using namespace vorla;

namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kBlockFrames = 480; // 10 ms

struct Options {
    std::string bundle = VORLA_DEFAULT_PLUGIN;
    double seconds = 0.0; // 0: until the window is closed
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            options.seconds = std::atof(argv[++i]);
        else if (argv[i][0] != '-')
            options.bundle = argv[i];
        else
            return false;
    }
    return true;
}

const char* KindName(host::ComponentHandler::EditKind kind) {
    switch (kind) {
    case host::ComponentHandler::EditKind::Begin: return "begin";
    case host::ComponentHandler::EditKind::Perform: return "perform";
    default: return "end";
    }
}

// The edit as the host shows it: the parameter's title and, for a change, its text.
void PrintEdit(Vst::IEditController& controller, const host::ComponentHandler::Edit& edit) {
    Vst::ParameterInfo info {};
    std::string title = std::to_string(edit.id);
    for (int32 i = 0; i < controller.getParameterCount(); ++i)
        if (controller.getParameterInfo(i, info) == kResultOk && info.id == edit.id)
            title = host::narrow(info.title);
    if (edit.kind != host::ComponentHandler::EditKind::Perform) {
        std::printf("%-7s %s\n", KindName(edit.kind), title.c_str());
        return;
    }
    Vst::String128 text {};
    controller.getParamStringByValue(edit.id, edit.value, text);
    std::printf("%-7s %s = %s (%.4f)\n", KindName(edit.kind), title.c_str(), host::narrow(text).c_str(), edit.value);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vorla-editor: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: vorla-editor [--seconds N] [BUNDLE]\n");
        return 2;
    }
    std::string error;
    auto module = host::PluginModule::load(options.bundle, error);
    if (!module)
        return Fail(error);
    auto plugin = host::PluginInstance::createFirstEffect(module->factory(), error);
    if (!plugin || !plugin->controller())
        return Fail(error.empty() ? "the plug-in has no edit controller" : error);
    auto context = owned(new host::HostApplication("vorla-editor"));
    if (plugin->initialize(static_cast<Vst::IHostApplication*>(context.get())) != kResultOk ||
        plugin->prepare(kSampleRate, kBlockFrames, Vst::kSample32, 2) != kResultOk)
        return Fail("the plug-in did not start");
    auto handler = owned(new host::ComponentHandler);
    plugin->controller()->setComponentHandler(handler);

    IPtr<IPlugView> view = owned(plugin->controller()->createView(Vst::ViewType::kEditor));
    ViewRect size;
    if (!view || view->getSize(&size) != kResultOk)
        return Fail("the plug-in has no editor");
    if (view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
        return Fail("the editor opens no X11 window");
    auto window = host::HostWindow::open(size.getWidth(), size.getHeight(), "VORLA", error);
    if (!window)
        return Fail(error);
    auto frame = owned(new host::RunLoopFrame);
    view->setFrame(frame);
    if (view->attached(window->parentHandle(), kPlatformTypeX11EmbedWindowID) != kResultOk)
        return Fail("the editor window did not open");
    std::printf("VORLA's editor is open: turn the knobs, close the window to end.\n");
    std::fflush(stdout);

    host::AudioBlock block(2, kBlockFrames, Vst::kSample32);
    const auto start = std::chrono::steady_clock::now();
    auto nextBlock = start;
    std::size_t printed = 0;
    while (!window->closeRequested()) {
        const auto now = std::chrono::steady_clock::now();
        if (options.seconds > 0 && now - start >= std::chrono::duration<double>(options.seconds))
            break;
        frame->runOnce(5);
        if (std::chrono::steady_clock::now() >= nextBlock) {
            plugin->process(block.processData(kBlockFrames));
            nextBlock += std::chrono::milliseconds(10);
        }
        for (; printed < handler->edits().size(); ++printed)
            PrintEdit(*plugin->controller(), handler->edits()[printed]);
        std::fflush(stdout);
    }
    view->removed();
    view->setFrame(nullptr);
    plugin->controller()->setComponentHandler(nullptr);
    return 0;
}
