// moduleinfo.json as hosts read it: every field the module's factory answers, the
// exact keys the SDK's parser accepts, and the snapshots present in the bundle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ModuleDescription.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "Snapshots.h"
#include "TestFiles.h"

using namespace Steinberg;
using vorla::test::ReadText;
using vorla::test::WriteText;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

json ReadJson(const fs::path& path) { return json::parse(ReadText(path), nullptr, false); }

using KeyList = std::vector<std::string>;

// Key order means nothing to a JSON reader, so lists are compared sorted.
KeyList Keys(const json& object)
{
    KeyList keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    std::sort(keys.begin(), keys.end());
    return keys;
}

KeyList Sorted(KeyList keys)
{
    std::sort(keys.begin(), keys.end());
    return keys;
}

// The built bundle and its module, loaded as a host would.
class BuiltBundle : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        module = vorla::host::PluginModule::load(VORLA_BUNDLE_DIR, error).release();
        ASSERT_NE(module, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete module;
        module = nullptr;
    }
    static fs::path Resources() { return fs::path(VORLA_BUNDLE_DIR) / "Contents" / "Resources"; }
    static IPluginFactory& Factory() { return *module->factory(); }

    static vorla::host::PluginModule* module;
};

vorla::host::PluginModule* BuiltBundle::module = nullptr;

}  // namespace

TEST_F(BuiltBundle, DescriptionEqualsTheFactoryAnswers)
{
    const json description = ReadJson(Resources() / "moduleinfo.json");
    ASSERT_TRUE(description.is_object());

    PFactoryInfo factoryInfo {};
    ASSERT_EQ(Factory().getFactoryInfo(&factoryInfo), kResultOk);
    const json& factory = description["Factory Info"];
    EXPECT_EQ(factory["Vendor"], factoryInfo.vendor);
    EXPECT_EQ(factory["URL"], factoryInfo.url);
    EXPECT_EQ(factory["E-Mail"], factoryInfo.email);
    EXPECT_EQ(factory["Flags"]["Unicode"], (factoryInfo.flags & PFactoryInfo::kUnicode) != 0);
    EXPECT_EQ(factory["Flags"]["Classes Discardable"], (factoryInfo.flags & PFactoryInfo::kClassesDiscardable) != 0);
    EXPECT_EQ(factory["Flags"]["Component Non Discardable"],
              (factoryInfo.flags & PFactoryInfo::kComponentNonDiscardable) != 0);
    EXPECT_EQ(factory["Flags"]["Unicode"], true);  // flags 16: the factory answers in UTF-16 too

    EXPECT_EQ(description["Name"], "VORLA");
    EXPECT_EQ(description["Compatibility"], json::array());
    FUnknownPtr<IPluginFactory3> factory3(&Factory());
    ASSERT_TRUE(factory3);
    const json& classes = description["Classes"];
    ASSERT_EQ(classes.size(), size_t(Factory().countClasses()));
    for (int32 index = 0; index < Factory().countClasses(); ++index) {
        PClassInfo2 info {};
        PClassInfoW wide {};
        ASSERT_EQ(factory3->getClassInfo2(index, &info), kResultOk);
        ASSERT_EQ(factory3->getClassInfoUnicode(index, &wide), kResultOk);
        const json& entry = classes[size_t(index)];

        // The text reads back into the factory's 16 bytes through the SDK's parser.
        const std::string cid = entry["CID"];
        ASSERT_EQ(cid.size(), 32u);
        for (char digit : cid) EXPECT_TRUE(std::isxdigit(digit) && !std::islower(digit)) << cid;
        FUID parsed;
        ASSERT_TRUE(parsed.fromString(cid.c_str()));
        TUID bytes;
        parsed.toTUID(bytes);
        EXPECT_EQ(std::memcmp(bytes, info.cid, sizeof(TUID)), 0) << cid;

        EXPECT_EQ(entry["Category"], info.category);
        EXPECT_EQ(entry["Name"], info.name);
        EXPECT_EQ(entry["Name"], vorla::host::narrow(wide.name));
        EXPECT_EQ(entry["Vendor"], info.vendor);
        EXPECT_EQ(entry["Version"], info.version);
        EXPECT_EQ(entry["Version"], vorla::host::narrow(wide.version));
        EXPECT_EQ(entry["SDKVersion"], info.sdkVersion);
        EXPECT_EQ(entry["Class Flags"], info.classFlags);
        EXPECT_EQ(entry["Cardinality"], info.cardinality);
        std::string joined;
        for (const json& sub : entry["Sub Categories"]) joined += (joined.empty() ? "" : "|") + sub.get<std::string>();
        EXPECT_EQ(joined, info.subCategories);
        EXPECT_EQ(entry["Snapshots"].size(), vorla::moduleinfo::FindSnapshots(Resources(), cid).size());
    }
    EXPECT_EQ(description["Version"], classes[0]["Version"]);
    EXPECT_EQ(classes[0]["Sub Categories"], json::array({"Fx", "EQ"}));
}

// The SDK's parser refuses a description with a key it does not know or without one
// it needs, so the key sets must match exactly.
TEST_F(BuiltBundle, DescriptionHasExactlyTheKeysHostsParse)
{
    const json description = ReadJson(Resources() / "moduleinfo.json");
    EXPECT_EQ(Keys(description), Sorted({"Name", "Version", "Factory Info", "Compatibility", "Classes"}));
    EXPECT_EQ(Keys(description["Factory Info"]), Sorted({"Vendor", "URL", "E-Mail", "Flags"}));
    EXPECT_EQ(Keys(description["Factory Info"]["Flags"]),
              Sorted({"Unicode", "Classes Discardable", "Component Non Discardable"}));
    for (const json& entry : description["Classes"]) {
        EXPECT_EQ(Keys(entry), Sorted({"CID", "Category", "Name", "Vendor", "Version", "SDKVersion", "Sub Categories",
                                       "Class Flags", "Cardinality", "Snapshots"}));
        EXPECT_TRUE(entry["Snapshots"].is_array());
    }
}

// A snapshot step may add pictures after the module is built; the description lists
// those present when it is written, and none when there are none.
TEST_F(BuiltBundle, DescriptionListsTheSnapshotsPresent)
{
    vorla::test::ScratchFolder folder;
    const fs::path bundle = folder.path() / "VORLA.vst3";
    fs::copy(VORLA_BUNDLE_DIR, bundle, fs::copy_options::recursive);
    const fs::path resources = bundle / "Contents" / "Resources";
    fs::remove_all(resources / "Snapshots");
    std::string error;
    ASSERT_TRUE(vorla::moduleinfo::WriteModuleInfo(bundle, error)) << error;
    EXPECT_EQ(ReadJson(resources / "moduleinfo.json")["Classes"][0]["Snapshots"], json::array());

    const std::string cid = ReadJson(resources / "moduleinfo.json")["Classes"][0]["CID"];
    WriteText(resources / "Snapshots" / (cid + "_snapshot.png"), "png");
    WriteText(resources / "Snapshots" / (cid + "_snapshot_2.0x.png"), "png");
    WriteText(resources / "Snapshots" / "00000000000000000000000000000000_snapshot.png", "png");
    ASSERT_TRUE(vorla::moduleinfo::WriteModuleInfo(bundle, error)) << error;
    const json expected = json::array({
        {{"Scale Factor", 1.0}, {"Path", "Snapshots/" + cid + "_snapshot.png"}},
        {{"Scale Factor", 2.0}, {"Path", "Snapshots/" + cid + "_snapshot_2.0x.png"}},
    });
    EXPECT_EQ(ReadJson(resources / "moduleinfo.json")["Classes"][0]["Snapshots"], expected);
    EXPECT_FALSE(fs::exists(resources / "moduleinfo.json.part"));
}

TEST(ModuleInfo, ABundleThatDoesNotLoadKeepsItsOlderDescription)
{
    vorla::test::ScratchFolder folder;
    const fs::path resources = folder.path() / "Empty.vst3" / "Contents" / "Resources";
    fs::create_directories(resources);
    WriteText(resources / "moduleinfo.json", "older");
    std::string error;
    EXPECT_FALSE(vorla::moduleinfo::WriteModuleInfo(folder.path() / "Empty.vst3", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(resources / "moduleinfo.json"), "older");
}

TEST(Snapshots, OnlyTheClassesOwnPicturesWithTheirScales)
{
    vorla::test::ScratchFolder folder;
    const std::string cid = "0123456789ABCDEF0123456789ABCDEF";
    EXPECT_TRUE(vorla::moduleinfo::FindSnapshots(folder.path(), cid).empty());  // no Snapshots folder

    for (const std::string& name : {cid + "_snapshot_2.0x.png", cid + "_snapshot.png", cid + "_snapshot_1.5x.png",
                                   cid + "_snapshot.jpg", cid + "_snapshot_x.png", cid + "_snapshot_0x.png",
                                   cid + "_snapshot_2.0.png", cid + "_snapshotx.png",
                                   std::string("FEDCBA9876543210FEDCBA9876543210_snapshot.png"), cid + ".png"})
        WriteText(folder.path() / "Snapshots" / name, "png");
    fs::create_directories(folder.path() / "Snapshots" / (cid + "_snapshot_3x.png"));  // a folder, not a picture

    const auto found = vorla::moduleinfo::FindSnapshots(folder.path(), cid);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].scaleFactor, 1.0);
    EXPECT_EQ(found[0].path, "Snapshots/" + cid + "_snapshot.png");
    EXPECT_EQ(found[1].scaleFactor, 1.5);
    EXPECT_EQ(found[2].scaleFactor, 2.0);
    EXPECT_EQ(found[2].path, "Snapshots/" + cid + "_snapshot_2.0x.png");
}
