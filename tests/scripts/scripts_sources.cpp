// Source-package entries derived from a machine's own package sources, in both of
// apt's formats, for the Windows libraries' private apt configuration.
#include <gtest/gtest.h>

#include <string>

#include "RunCommand.h"
#include "TestFiles.h"

using namespace vorla::test;

namespace {

struct Derived {
    std::string oneLine;  // sources.list
    std::string deb822;   // sources.list.d/derived.sources
};

Derived Derive(const ScratchFolder& folder, const std::string& files)
{
    const CommandResult result = RunCommand(VORLA_SCRIPTS "/derive-deb-src " + (folder / "apt") + " " + files);
    EXPECT_EQ(result.status, 0) << result.output;
    return {ReadText(folder.path() / "apt/sources.list"), ReadText(folder.path() / "apt/sources.list.d/derived.sources")};
}

}  // namespace

TEST(DebSrc, OneLineEntriesKeepTheirOptionsOnceEach)
{
    ScratchFolder folder;
    WriteText(folder.path() / "sources.list",
              "# deb http://commented.example/debian bookworm main\n"
              "deb http://deb.debian.org/debian bookworm main contrib\n"
              "  deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://x.example/apt stable main\n"
              "deb-src http://deb.debian.org/debian bookworm main contrib\n"
              "\n"
              "debian-installer is not an entry\n");
    WriteText(folder.path() / "extra.list", "deb http://deb.debian.org/debian bookworm main contrib\n");
    const Derived derived = Derive(folder, (folder / "sources.list") + " " + (folder / "extra.list"));
    EXPECT_EQ(derived.oneLine,
              "deb-src [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://x.example/apt stable main\n"
              "deb-src http://deb.debian.org/debian bookworm main contrib\n");
    EXPECT_EQ(derived.deb822, "");
}

// Only a stanza's Types line changes; the rest, a key block and Enabled: no among it,
// is carried over as it stands.
TEST(DebSrc, Deb822StanzasWithBinaryTypesBecomeSourceStanzas)
{
    const std::string debian =
        "URIs: http://deb.debian.org/debian\n"
        "Suites: bookworm bookworm-updates\n"
        "Components: main\n"
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n";
    const std::string disabledWithKey =
        "URIs: http://y.example/debian\n"
        "Suites: stable\n"
        "Components: main\n"
        "Enabled: no\n"
        "Signed-By:\n"
        " -----BEGIN PGP PUBLIC KEY BLOCK-----\n"
        " .\n"
        " mDMEZ\n"
        " -----END PGP PUBLIC KEY BLOCK-----\n";
    const std::string sourcesOnly = "URIs: http://only-sources.example\nSuites: stable\nComponents: main\n";
    ScratchFolder folder;
    WriteText(folder.path() / "debian.sources", "Types: deb\n" + debian + "\nTypes: deb deb-src\n" +
                                                    disabledWithKey + "\n\nTypes: deb-src\n" + sourcesOnly);
    const Derived derived = Derive(folder, (folder / "debian.sources") + " " + (folder / "absent.sources"));
    EXPECT_EQ(derived.deb822, "Types: deb-src\n" + debian + "\nTypes: deb-src\n" + disabledWithKey + "\n");
    EXPECT_EQ(derived.oneLine, "");
}

TEST(DebSrc, AMachineWithBothFormatsGetsBoth)
{
    ScratchFolder folder;
    WriteText(folder.path() / "sources.list", "deb http://archive.ubuntu.com/ubuntu jammy main\n");
    WriteText(folder.path() / "ubuntu.sources",
              "Types: deb\nURIs: http://security.ubuntu.com/ubuntu\nSuites: jammy-security\nComponents: main\n");
    const Derived derived = Derive(folder, (folder / "sources.list") + " " + (folder / "ubuntu.sources"));
    EXPECT_EQ(derived.oneLine, "deb-src http://archive.ubuntu.com/ubuntu jammy main\n");
    EXPECT_EQ(derived.deb822,
              "Types: deb-src\nURIs: http://security.ubuntu.com/ubuntu\nSuites: jammy-security\nComponents: main\n\n");
}
