// The native bundle's VST 3 snapshot: the default panel, stored under the class id
// that the bundle's own factory reports.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "DecodePng.h"
#include "PanelImages.h"
#include "PluginModule.h"

using namespace Steinberg;

TEST(BundleSnapshot, IsTheDefaultPanelUnderTheFactorysClassId)
{
    std::string error;
    const auto module = vorla::host::PluginModule::load(VORLA_BUNDLE, error);
    ASSERT_TRUE(module) << error;
    PClassInfo info {};
    ASSERT_EQ(module->factory()->getClassInfo(0, &info), kResultOk);
    char8 classId[33] = {};
    FUID(info.cid).toString(classId);

    const std::string path = std::string(VORLA_BUNDLE) + "/Contents/Resources/Snapshots/" + classId + "_snapshot.png";
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::unique_ptr<LICE_MemBitmap> snapshot(DecodePng(bytes.data(), bytes.size()));
    const auto golden = paneltest::ReadGolden("panel-defaults.png");
    ASSERT_TRUE(snapshot && golden);
    EXPECT_EQ(paneltest::CountDifferences(*snapshot, *golden), 0);
}
