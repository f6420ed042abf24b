// The shipped module file as a Windows host and a bare Windows installation see it:
// it loads with nothing but system libraries present, exports exactly the three
// module entry points, names its class by the bytes Windows hosts have always stored,
// and carries the ten panel images as US-English PNG resources.
#include "LoadPngResource.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// CTest starts this program in the bundle's binary folder, so the path is the one a
// host would load.
constexpr const char* kModulePath = ".\\VORLA.vst3";

using EntryPoint = bool (*)();

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Libraries every Windows installation has. ole32 is there for the VST 3 SDK: FObject
// draws its interface id from CoCreateGuid when the module loads.
bool isSystemLibrary(const std::string& name) {
    static const std::vector<std::string> system = {
        "kernel32.dll", "user32.dll",  "gdi32.dll",    "comctl32.dll", "comdlg32.dll",
        "shell32.dll",  "wininet.dll", "advapi32.dll", "ole32.dll",    "msvcrt.dll"};
    const std::string universalCrt = "api-ms-win-crt-";
    return std::find(system.begin(), system.end(), name) != system.end() ||
           name.compare(0, universalCrt.size(), universalCrt) == 0;
}

class WindowsModule : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryA(kModulePath);
        loadError = GetLastError();
    }
    static void TearDownTestSuite() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(module, nullptr) << "LoadLibrary failed with error " << loadError;
    }

    // The loaded image is laid out by relative virtual addresses from its base.
    template <typename T>
    static const T* at(DWORD rva) {
        return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
    }
    static const IMAGE_DATA_DIRECTORY& directory(int entry) {
        const auto* dos = at<IMAGE_DOS_HEADER>(0);
        return at<IMAGE_NT_HEADERS64>(static_cast<DWORD>(dos->e_lfanew))
            ->OptionalHeader.DataDirectory[entry];
    }

    static std::vector<std::string> importedLibraries() {
        std::vector<std::string> names;
        const auto& imports = directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        if (imports.Size == 0) return names;
        for (const auto* d = at<IMAGE_IMPORT_DESCRIPTOR>(imports.VirtualAddress); d->Name; ++d)
            names.push_back(lowerCase(at<char>(d->Name)));
        return names;
    }

    static std::vector<std::string> exportedNames() {
        std::vector<std::string> names;
        const auto& exports = directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
        if (exports.Size == 0) return names;
        const auto* table = at<IMAGE_EXPORT_DIRECTORY>(exports.VirtualAddress);
        const auto* nameRvas = at<DWORD>(table->AddressOfNames);
        for (DWORD i = 0; i < table->NumberOfNames; ++i) names.emplace_back(at<char>(nameRvas[i]));
        return names;
    }

    static EntryPoint entryPoint(const char* name) {
        return reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    static HMODULE module;
    static DWORD loadError;
};

HMODULE WindowsModule::module = nullptr;
DWORD WindowsModule::loadError = 0;

TEST_F(WindowsModule, ImportsOnlySystemLibraries) {
    const auto libraries = importedLibraries();
    EXPECT_NE(std::find(libraries.begin(), libraries.end(), "kernel32.dll"), libraries.end());
    for (const auto& name : libraries) EXPECT_TRUE(isSystemLibrary(name)) << name;
}

TEST_F(WindowsModule, ExportsExactlyTheModuleEntryPointsByPlainName) {
    EXPECT_EQ(exportedNames(), (std::vector<std::string>{"ExitDll", "GetPluginFactory", "InitDll"}));
    EXPECT_NE(GetProcAddress(module, "GetPluginFactory"), nullptr);
    ASSERT_NE(entryPoint("InitDll"), nullptr);
    ASSERT_NE(entryPoint("ExitDll"), nullptr);
    EXPECT_TRUE(entryPoint("InitDll")());
    EXPECT_TRUE(entryPoint("ExitDll")());
}

// COM's layout of the FUID F2AEE70D-00DE-4F4E-516C-6D6856524C31, as Windows hosts
// store it in their projects and preset files.
TEST_F(WindowsModule, ClassIdentifierKeepsItsWindowsBytes) {
    using GetFactory = Steinberg::IPluginFactory* (*)();
    const auto getFactory =
        reinterpret_cast<GetFactory>(reinterpret_cast<void*>(GetProcAddress(module, "GetPluginFactory")));
    ASSERT_NE(getFactory, nullptr);
    Steinberg::IPluginFactory* factory = getFactory();
    ASSERT_NE(factory, nullptr);
    Steinberg::PClassInfo info{};
    ASSERT_EQ(factory->getClassInfo(0, &info), Steinberg::kResultOk);
    const unsigned char expected[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                        'Q',  'l',  'm',  'h',  'V',  'R',  'L',  '1'};
    EXPECT_EQ(std::memcmp(info.cid, expected, 16), 0);
    factory->release();
}

struct PanelImage {
    int id;
    const char* name;
    int width, height;
};

// The editor's pictures, by resource id, at the sizes their film strips are cut from.
const PanelImage kPanelImages[] = {
    {101, "BG.png", 796, 189},  {102, "HI.png", 90, 5185},  {103, "HPF.png", 83, 492},
    {104, "LB.png", 74, 4819},  {105, "LC.png", 74, 4331},  {106, "LPF.png", 78, 5185},
    {107, "MID.png", 101, 6039}, {108, "OVER.png", 145, 60}, {109, "OUT.png", 75, 750},
    {110, "BY.png", 43, 60}};

BOOL CALLBACK countName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Decoded with the editor's own loader from the module's handle, as the editor does
// once InitDll has published that handle.
TEST_F(WindowsModule, HoldsTheTenPanelImagesAsUsEnglishPngResources) {
    ASSERT_TRUE(entryPoint("InitDll")());
    const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    for (const auto& image : kPanelImages) {
        SCOPED_TRACE(image.name);
        EXPECT_NE(FindResourceExA(module, "PNG", MAKEINTRESOURCEA(image.id), usEnglish), nullptr);
        const std::unique_ptr<LICE_MemBitmap> bitmap(LoadPngResource(module, image.id, image.name));
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->Width(), image.width);
        EXPECT_EQ(bitmap->Height(), image.height);
    }
    int count = 0;
    EnumResourceNamesA(module, "PNG", countName, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 10);
}

// The editor finds its images through the handle InitDll publishes, not through
// whatever module happens to be running: before InitDll nothing is found.
TEST(WindowsModuleEntry, PublishesTheHandleThatFindsTheModulesImages) {
    const HMODULE probe = LoadLibraryA(VORLA_IMAGE_PROBE);
    ASSERT_NE(probe, nullptr) << "LoadLibrary failed with error " << GetLastError();
    using Probe = bool (*)(int, int*, int*);
    const auto probeImage =
        reinterpret_cast<Probe>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbePublishedImage")));
    const auto initDll =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(probe, "InitDll")));
    ASSERT_NE(probeImage, nullptr);
    ASSERT_NE(initDll, nullptr);

    int width = 0, height = 0;
    EXPECT_FALSE(probeImage(101, &width, &height));
    ASSERT_TRUE(initDll());
    for (const auto& image : kPanelImages) {
        SCOPED_TRACE(image.name);
        ASSERT_TRUE(probeImage(image.id, &width, &height));
        EXPECT_EQ(width, image.width);
        EXPECT_EQ(height, image.height);
    }
    FreeLibrary(probe);
}

}  // namespace
