#include "ModuleDescription.h"

#include <fstream>
#include <system_error>

#include "PluginModule.h"
#include "Snapshots.h"
#include "pluginterfaces/base/funknown.h"

namespace vorla::moduleinfo {

using namespace Steinberg;
using nlohmann::ordered_json;

namespace {

// The factory's 8-bit texts carry one character per byte (it widens them byte by
// byte for its UTF-16 answers), while JSON texts are UTF-8. A text that fills its
// whole field has no terminating zero, so the field's size bounds the reading.
template <size_t N>
std::string Utf8(const char8 (&text)[N])
{
    std::string utf8;
    for (size_t i = 0; i < N && text[i]; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            utf8 += char(byte);
        } else {
            utf8 += char(0xC0 | (byte >> 6));
            utf8 += char(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

ordered_json SubCategories(const std::string& joined)
{
    ordered_json list = ordered_json::array();
    if (joined.empty()) return list;
    for (size_t start = 0;;) {
        const size_t bar = joined.find('|', start);
        list.push_back(joined.substr(start, bar - start));
        if (bar == std::string::npos) return list;
        start = bar + 1;
    }
}

ordered_json FactoryInfo(const PFactoryInfo& info)
{
    return {
        {"Vendor", Utf8(info.vendor)},
        {"URL", Utf8(info.url)},
        {"E-Mail", Utf8(info.email)},
        {"Flags",
         {
             {"Unicode", (info.flags & PFactoryInfo::kUnicode) != 0},
             {"Classes Discardable", (info.flags & PFactoryInfo::kClassesDiscardable) != 0},
             {"Component Non Discardable", (info.flags & PFactoryInfo::kComponentNonDiscardable) != 0},
         }},
    };
}

ordered_json ClassInfo(const PClassInfo2& info, const std::filesystem::path& resources)
{
    const std::string classId = ClassIdText(info.cid);
    ordered_json snapshots = ordered_json::array();
    for (const Snapshot& snapshot : FindSnapshots(resources, classId))
        snapshots.push_back({{"Scale Factor", snapshot.scaleFactor}, {"Path", snapshot.path}});
    return {
        {"CID", classId},
        {"Category", Utf8(info.category)},
        {"Name", Utf8(info.name)},
        {"Vendor", Utf8(info.vendor)},
        {"Version", Utf8(info.version)},
        {"SDKVersion", Utf8(info.sdkVersion)},
        {"Sub Categories", SubCategories(Utf8(info.subCategories))},
        {"Class Flags", info.classFlags},
        {"Cardinality", info.cardinality},
        {"Snapshots", snapshots},
    };
}

// The module's file name without ".vst3".
std::string ModuleName(const std::filesystem::path& bundle)
{
    std::filesystem::path name = bundle.filename();
    if (name.empty()) name = bundle.parent_path().filename();  // a trailing separator
    return name.stem().string();
}

}  // namespace

std::string ClassIdText(const TUID classId)
{
    char8 text[33] = {};
    FUID::fromTUID(classId).toString(text);
    return text;
}

ordered_json DescribeModule(const std::string& moduleName, IPluginFactory& factory,
                            const std::filesystem::path& resources, std::string& error)
{
    PFactoryInfo factoryInfo {};
    FUnknownPtr<IPluginFactory2> factory2(&factory);
    if (factory.getFactoryInfo(&factoryInfo) != kResultOk || !factory2) {
        error = "the factory gives no factory information or no extended class information";
        return nullptr;
    }
    ordered_json classes = ordered_json::array();
    for (int32 index = 0; index < factory.countClasses(); ++index) {
        PClassInfo2 info {};
        if (factory2->getClassInfo2(index, &info) != kResultOk) {
            error = "the factory does not describe its class " + std::to_string(index);
            return nullptr;
        }
        classes.push_back(ClassInfo(info, resources));
    }
    // The module carries the version of what it registers: one product, one version.
    if (classes.empty()) {
        error = "the factory registers no class";
        return nullptr;
    }
    return {
        {"Name", moduleName},
        {"Version", classes.front()["Version"]},
        {"Factory Info", FactoryInfo(factoryInfo)},
        {"Compatibility", ordered_json::array()},
        {"Classes", classes},
    };
}

bool WriteModuleInfo(const std::filesystem::path& bundle, std::string& error)
{
    auto module = host::PluginModule::load(bundle.string(), error);
    if (!module) return false;
    const std::filesystem::path resources = bundle / "Contents" / "Resources";
    const ordered_json description = DescribeModule(ModuleName(bundle), *module->factory(), resources, error);
    if (description.is_null()) return false;

    std::error_code failure;
    std::filesystem::create_directories(resources, failure);
    const std::filesystem::path target = resources / "moduleinfo.json";
    const std::filesystem::path temporary = resources / "moduleinfo.json.part";
    {
        std::ofstream file(temporary, std::ios::binary);
        file << description.dump(2) << '\n';
        if (!file.flush()) {
            error = "cannot write " + temporary.string();
            file.close();
            std::filesystem::remove(temporary, failure);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, failure);
    if (failure) {
        std::filesystem::remove(temporary, failure);
        error = "cannot replace " + target.string();
        return false;
    }
    return true;
}

}  // namespace vorla::moduleinfo
