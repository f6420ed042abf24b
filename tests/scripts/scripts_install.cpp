// Installing the plug-in: cmake --install into a prefix, and scripts/install into a
// user's ~/.vst3, replacing an older copy. Hosts load what lands there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "PluginModule.h"
#include "RunCommand.h"
#include "TestFiles.h"

using namespace vorla::test;
namespace fs = std::filesystem;

namespace {

// The files of the built bundle, as they must appear wherever it is installed.
std::vector<std::string> BundleFiles(const std::string& prefix)
{
    std::vector<std::string> files;
    for (const std::string& file : FilesBelow(VORLA_BUNDLE_DIR)) files.push_back(prefix + file);
    return files;
}

void ExpectLoadable(const fs::path& bundle)
{
    std::string error;
    auto module = vorla::host::PluginModule::load(bundle.string(), error);
    ASSERT_NE(module, nullptr) << error;
    EXPECT_EQ(module->factory()->countClasses(), 1);
}

std::string InstallForUser(const ScratchFolder& home, const std::string& bundle)
{
    const CommandResult result = RunCommand("HOME=" + home.path().string() + " " VORLA_SCRIPTS "/install " + bundle);
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

}  // namespace

TEST(CMakeInstall, PutsTheBundleAloneUnderLibVst3OfThePrefix)
{
    ScratchFolder prefix;
    const CommandResult result =
        RunCommand(VORLA_CMAKE " --install " VORLA_BUILD_DIR " --prefix " + prefix.path().string());
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(fs::is_regular_file(prefix.path() / "lib/vst3/VORLA.vst3/Contents/x86_64-linux/VORLA.so"));
    EXPECT_TRUE(fs::is_regular_file(prefix.path() / "lib/vst3/VORLA.vst3/Contents/Resources/moduleinfo.json"));
    EXPECT_EQ(FilesBelow(prefix.path()), BundleFiles("lib/vst3/VORLA.vst3/"));
    ExpectLoadable(prefix.path() / "lib/vst3/VORLA.vst3");
}

TEST(UserInstall, ReplacesAnOlderCopyWhole)
{
    ScratchFolder home;
    const fs::path installed = home.path() / ".vst3" / "VORLA.vst3";
    WriteText(installed / "Contents/x86_64-linux/VORLA.so", "an older module");
    WriteText(installed / "Contents/Resources/Snapshots/old_snapshot.png", "a picture the new build lacks");
    WriteText(home.path() / ".vst3" / "Other.vst3" / "Contents/x86_64-linux/Other.so", "another plug-in");

    const std::string output = InstallForUser(home, VORLA_BUNDLE_DIR);
    EXPECT_NE(output.find(installed.string()), std::string::npos) << output;
    EXPECT_EQ(FilesBelow(installed), BundleFiles(""));
    ExpectLoadable(installed);
    // Nothing is left beside it but the other plug-in.
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(home.path() / ".vst3"))
        entries.push_back(entry.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string> {"Other.vst3", "VORLA.vst3"}));

    InstallForUser(home, std::string(VORLA_BUNDLE_DIR) + "/");  // again, named with a trailing slash
    EXPECT_EQ(FilesBelow(installed), BundleFiles(""));
}

TEST(UserInstall, RefusesWhatIsNotABundleAndKeepsTheInstalledOne)
{
    ScratchFolder home;
    ScratchFolder notABundle;
    WriteText(notABundle.path() / "VORLA.so", "misplaced");
    InstallForUser(home, VORLA_BUNDLE_DIR);

    for (const std::string& argument : {notABundle.path().string(), notABundle / "missing.vst3",
                                        std::string(VORLA_BUNDLE_DIR) + " extra"}) {
        const CommandResult result =
            RunCommand("HOME=" + home.path().string() + " " VORLA_SCRIPTS "/install " + argument);
        EXPECT_NE(result.status, 0) << argument;
        EXPECT_FALSE(result.output.empty()) << argument;
    }
    EXPECT_EQ(FilesBelow(home.path() / ".vst3"), BundleFiles("VORLA.vst3/"));
}
