// Renders the product's editor into a PNG through the same code a host runs: the
// product is built as the module builds it, its parameters are set, and the
// editor's drawing pass paints the whole panel into its surface.
//   vorla-snapshot OUTPUT.png [NAME=VALUE ...]
//   vorla-snapshot --bundle BUNDLE [NAME=VALUE ...]
// NAME is a parameter as the host lists it (High, HPF, "Low Boost", Out ...) and
// VALUE a plain value in its range; parameters not named keep their defaults. With
// --bundle the picture goes where VST 3 hosts look for it:
// BUNDLE/Contents/Resources/Snapshots/<class id>_snapshot.png.
#include "IGraphics.h"
#include "IPlugVST3.h"
#include "PluginEntry.h"
#include "PngWriter.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

using namespace Steinberg;

namespace {

// The plug-in's reference, given back when the snapshot is done.
struct Product {
    IPlugVST3* plug = ProductClassRecord().create();
    ~Product() { plug->release(); }
};

PlugParam* ParamNamed(IPlugBase& plug, const std::string& name)
{
    for (int i = 0; i < plug.ParamCount(); ++i)
        if (name == plug.Param(i)->Name()) return plug.Param(i);
    return nullptr;
}

// Sets each NAME=VALUE as a host would: as a unit value, snapped to the parameter's step.
bool SetParameters(IPlugBase& plug, int count, char** settings)
{
    for (int i = 0; i < count; ++i) {
        const char* equals = std::strchr(settings[i], '=');
        PlugParam* param = equals ? ParamNamed(plug, std::string(settings[i], std::size_t(equals - settings[i]))) : nullptr;
        if (!param) {
            std::fprintf(stderr, "vorla-snapshot: unknown setting %s\n", settings[i]);
            return false;
        }
        param->AssignUnit(param->ToUnit(std::atof(equals + 1)));
    }
    plug.RefreshEditorControls();
    return true;
}

// The class id as the module's factory reports it, in the 32 hex digits the SDK prints.
std::string ClassIdText()
{
    IPtr<IPluginFactory> factory = owned(GetPluginFactory());
    PClassInfo info {};
    if (!factory || factory->getClassInfo(0, &info) != kResultOk) return {};
    char8 text[33] = {};
    FUID(info.cid).toString(text);
    return text;
}

std::string BundleSnapshotPath(const std::string& bundle)
{
    const std::string classId = ClassIdText();
    if (classId.empty()) return {};
    const std::filesystem::path folder = std::filesystem::path(bundle) / "Contents" / "Resources" / "Snapshots";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return (folder / (classId + "_snapshot.png")).string();
}

bool WriteSnapshot(IGraphics& editor, const std::string& path)
{
    editor.paintControls(PixelRect {0, 0, editor.width(), editor.height()});
    const LICE_SysBitmap* surface = editor.surface();
    return surface && WriteFile(path, EncodePng(RgbaImageOf(*surface)));
}

int Usage()
{
    std::fprintf(stderr, "usage: vorla-snapshot OUTPUT.png [NAME=VALUE ...]\n"
                         "       vorla-snapshot --bundle BUNDLE [NAME=VALUE ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool intoBundle = argc > 1 && std::strcmp(argv[1], "--bundle") == 0;
    const int first = intoBundle ? 3 : 2;
    if (argc < first) return Usage();

    Product product;
    auto* editor = dynamic_cast<IGraphics*>(product.plug->Editor());
    if (!editor) {
        std::fprintf(stderr, "vorla-snapshot: the product has no editor\n");
        return 1;
    }
    if (!SetParameters(*product.plug, argc - first, argv + first)) return Usage();
    const std::string path = intoBundle ? BundleSnapshotPath(argv[2]) : std::string(argv[1]);
    if (!path.empty() && WriteSnapshot(*editor, path)) return 0;
    std::fprintf(stderr, "vorla-snapshot: cannot write the snapshot %s\n", path.c_str());
    return 1;
}
