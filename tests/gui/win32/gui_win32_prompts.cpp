// The Win32 editor's prompts and dialogs under Wine: the text field driven through
// window messages, popup menus, message boxes, the file and colour dialogs, the
// browser, the clipboard and the folders. Modal windows are answered from inside
// their own message loops.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Win32EditorTest.h"

using namespace wintest;
using guitest::kGain;
using guitest::kMode;

namespace {

// A right click opens the prompt of a control whose prompt is enabled, and the
// binding is one under which the right button reaches controls.
class TextField : public Win32Editor {
protected:
    TextField()
    {
        plug.bindingCode = 0;
        gain.setNoValuePrompt(false);
        mode.setNoValuePrompt(false);
        Open();
    }

    HWND Prompt(const Box& box)
    {
        const PixelRect& r = box.rect();
        Send(WM_RBUTTONDOWN, MK_RBUTTON, At(r.left + 1, r.top + 1));
        Send(WM_RBUTTONUP, 0, At(r.left + 1, r.top + 1));
        plug.host.clear();
        return editor->textFieldWindow();
    }
    HWND PlainField()
    {
        editor->openTextField(&plain, plain.textStyle(), plain.rect(), "", nullptr);
        return editor->textFieldWindow();
    }
    void Type(const char* keys)
    {
        for (; *keys; ++keys) SendMessageA(editor->textFieldWindow(), WM_CHAR, WPARAM(*keys), 1);
    }
    void Press(WPARAM key) { SendMessageA(editor->textFieldWindow(), WM_KEYDOWN, key, 1); }
    std::string FieldText() { return WindowText(editor->textFieldWindow()); }

    Box& gain = Add(PixelRect {10, 10, 60, 40}, kGain);
    Box& mode = Add(PixelRect {70, 10, 120, 40}, kMode);
    Box& plain = Add(PixelRect {130, 10, 190, 40});
};

using Prompts = Win32Editor;

// Answers a message box or dialog with a button.
ModalDriver::Action Answer(int button)
{
    return [button](HWND dialog) { PostMessageA(dialog, WM_COMMAND, WPARAM(button), 0); };
}

class RecordingLauncher : public BrowserLauncher {
public:
    explicit RecordingLauncher(std::vector<std::string>& opened, bool succeeds) : opened_(opened), succeeds_(succeeds) {}
    bool openPage(void*, const char* url) override
    {
        opened_.push_back(url);
        return succeeds_;
    }

private:
    std::vector<std::string>& opened_;
    bool succeeds_;
};

}  // namespace

TEST_F(TextField, ReturnCommitsTheTypedValueOnTheNextTick)
{
    const HWND field = Prompt(gain);
    ASSERT_TRUE(field);
    EXPECT_EQ(GetParent(field), editor->windowHandle());
    EXPECT_EQ(FieldText(), "0.0");
    Type("6.5");
    Press(VK_RETURN);
    EXPECT_TRUE(IsWindow(field));
    Tick();
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(editor->textFieldWindow(), nullptr);
    EXPECT_EQ(plug.Param(kGain)->Value(), 6.5);
    EXPECT_EQ(plug.host, std::vector<std::string> {"perform 0 0.770833"});
}

TEST_F(TextField, EscapeAndAWheelTurnCancel)
{
    Prompt(gain);
    Type("7");
    Press(VK_ESCAPE);
    Tick();
    EXPECT_EQ(editor->textFieldWindow(), nullptr);

    Prompt(gain);
    Type("8");
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(0, 0));
    Tick();
    EXPECT_EQ(editor->textFieldWindow(), nullptr);
    EXPECT_EQ(plug.Param(kGain)->Value(), 0.0);
    EXPECT_TRUE(plug.host.empty());
    EXPECT_TRUE(gain.events.size() == 4u);  // the two right clicks, nothing more
}

// The click that ends the field began no gesture, so its release ends none either.
TEST_F(TextField, AClickOnTheEditorCommits)
{
    Prompt(mode);
    Type("3");
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(65, 5));
    Send(WM_LBUTTONUP, 0, At(65, 5));
    Tick();
    EXPECT_EQ(editor->textFieldWindow(), nullptr);
    EXPECT_EQ(plug.Param(kMode)->Value(), 3.0);
    EXPECT_EQ(plug.host, std::vector<std::string> {"perform 1 0.6"});
    EXPECT_TRUE(background->events.empty());
}

// Once the field has regained the focus the editor sets its input aside, timer
// included; a press on it then cancels.
TEST_F(TextField, APressCancelsAFieldThatRegainedTheFocus)
{
    const HWND field = Prompt(gain);
    Type("5");
    SendMessageA(field, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(editor->textEntry().state(), TextEntry::kFocused);
    Tick();
    EXPECT_TRUE(IsWindow(field));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(65, 5));
    Send(WM_LBUTTONUP, 0, At(65, 5));
    Tick();
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(plug.Param(kGain)->Value(), 0.0);
    EXPECT_TRUE(plug.host.empty());
}

TEST_F(TextField, DirtyControlsAreRepaintedAroundTheOpenField)
{
    Prompt(gain);
    editor->pushParamToControls(kMode, 0.4, true);
    Tick();
    EXPECT_EQ(editor->textEntry().state(), TextEntry::kRepainted);
    Tick();
    EXPECT_EQ(editor->textEntry().state(), TextEntry::kEditing);
    EXPECT_TRUE(IsWindow(editor->textFieldWindow()));
}

TEST_F(TextField, TypedCharactersFollowTheParametersKindAndTheControlsLimit)
{
    Prompt(gain);
    Type("-1,5.2+x");
    EXPECT_EQ(FieldText(), "-15.2+");
    Press(VK_ESCAPE);
    Tick();

    Prompt(mode);
    Type("-1,5.2");
    EXPECT_EQ(FieldText(), "-152");
    Press(VK_ESCAPE);
    Tick();

    PlainField();
    Type("a,b.1");
    EXPECT_EQ(FieldText(), "a,b.1");
    Type("\b123456");
    EXPECT_EQ(FieldText(), "a,b.123");  // seven characters at most
    Press(VK_RETURN);
    Tick();
    EXPECT_EQ(plain.events, std::vector<std::string> {"text a,b.123"});
}

TEST_F(Prompts, AMenuNumbersItsItemsAndReportsTheChosenSubmenuItem)
{
    Open();
    PopupMenu menu;
    menu.numbering = 2;
    for (const char* text : {"One", "Two", "Three"}) menu.addItem(text);
    menu.item(0).submenu = std::make_unique<PopupMenu>();
    menu.item(0).submenu->addItem("Sub A");
    menu.item(0).submenu->addItem("Sub B");

    std::vector<std::string> labels;
    ModalDriver driver("#32768", [&](HWND shown) {
        const auto built = reinterpret_cast<HMENU>(SendMessageA(shown, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(built); ++i) {
            char label[32] = {};
            GetMenuStringA(built, UINT(i), label, sizeof label, MF_BYPOSITION);
            labels.push_back(label);
        }
        for (WPARAM key : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) PostMessageA(shown, WM_KEYDOWN, key, 0);
    });
    PopupMenu* chosen = editor->runPopupMenu(menu, {10, 10, 50, 30});
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(labels, (std::vector<std::string> {"01: One", "02: Two", "03: Three"}));
    EXPECT_EQ(chosen, menu.item(0).submenu.get());
    EXPECT_EQ(menu.item(0).submenu->chosenIndex, 1);
    EXPECT_EQ(menu.chosenIndex, -1);
}

// The first item's command is 0, which must count as a choice like any other.
TEST_F(Prompts, TheFirstItemCanBeChosenAndClosingAMenuChoosesNothing)
{
    Open();
    PopupMenu menu;
    menu.addItem("Only");
    {
        ModalDriver driver("#32768", [](HWND shown) {
            for (WPARAM key : {VK_DOWN, VK_RETURN}) PostMessageA(shown, WM_KEYDOWN, key, 0);
        });
        EXPECT_EQ(editor->runPopupMenu(menu, {0, 0, 10, 10}), &menu);
        EXPECT_EQ(menu.chosenIndex, 0);
    }
    menu.chosenIndex = -1;
    ModalDriver driver("#32768", [](HWND) { EndMenu(); });
    EXPECT_EQ(editor->runPopupMenu(menu, {0, 0, 10, 10}), nullptr);
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(menu.chosenIndex, -1);
}

// The host's top-level window owns message boxes; once it is gone, another window
// of its class in this process takes its place.
TEST_F(Prompts, MessageBoxesBelongToTheHostsTopLevelWindow)
{
    const HWND frame = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 250, 150, host.handle(), nullptr,
                                       nullptr, nullptr);
    Open(frame);
    HWND owner = nullptr;
    std::string caption;
    const auto answer = [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        caption = WindowText(box);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    };
    {
        ModalDriver driver("#32770", answer);
        EXPECT_EQ(editor->messageDialog("Text", "Caption", MB_OKCANCEL), IDCANCEL);
    }
    EXPECT_EQ(owner, host.handle());
    EXPECT_EQ(caption, "Caption");

    DestroyWindow(host.handle());
    HostWindow later(100, 100);
    ModalDriver driver("#32770", answer);
    editor->messageDialog("Text", "Again", MB_OK);
    EXPECT_EQ(owner, later.handle());
}

TEST_F(Prompts, AFileDialogStartsOnTheDesktopAndKeepsTheChosenFolder)
{
    Open();
    std::string desktop;
    editor->desktopFolder(desktop);
    ASSERT_FALSE(desktop.empty());
    const std::string path = desktop + "\\vorla-dialog-test.txt";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_TRUE(file) << path;
    std::fclose(file);

    ModalDriver driver("#32770", [](HWND dialog) {
        SetWindowTextA(FindChild(dialog, "Edit"), "vorla-dialog-test.txt");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::string name, folder;
    editor->fileDialog(name, 0, folder, "txt wav");
    std::remove(path.c_str());
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(_stricmp(name.c_str(), path.c_str()), 0) << name;
    EXPECT_EQ(_stricmp(folder.c_str(), (desktop + "\\").c_str()), 0) << folder;
}

TEST_F(Prompts, AFileDialogThatCannotBeShownLeavesTheNameEmpty)
{
    std::string name = "take.wav", folder = "C:\\Music\\";
    editor->fileDialog(name, 0, folder, "wav");  // no window yet
    EXPECT_EQ(name, "");

    Open();
    ModalDriver driver("#32770", Answer(IDCANCEL));
    name = "take.wav";
    const std::string tooLong = "wav " + std::string(200, 'x');
    editor->fileDialog(name, 1, folder, tooLong.c_str());
    EXPECT_FALSE(driver.acted());
    EXPECT_EQ(name, "");
    EXPECT_EQ(folder, "C:\\Music\\");
}

TEST_F(Prompts, TheColourChooserShowsThePromptAndKeepsTheAlpha)
{
    RgbaColor colour {128, 10, 20, 30};
    EXPECT_FALSE(editor->colorDialog(colour, "Pick"));  // no window yet
    Open();
    std::string title;
    {
        ModalDriver driver("#32770", [&](HWND dialog) {
            title = WindowText(dialog);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(editor->colorDialog(colour, "Pick"));
    }
    EXPECT_EQ(title, "Pick");
    EXPECT_EQ(colour.alpha, 128);
    EXPECT_EQ(colour.colorRef(), RGB(10, 20, 30));

    ModalDriver driver("#32770", Answer(IDCANCEL));
    EXPECT_FALSE(editor->colorDialog(colour, nullptr));
}

TEST_F(Prompts, TheBrowserOpensOnlyAfterConsentAndAFailureShowsOnlyAGivenError)
{
    Open();
    std::vector<std::string> opened;
    editor->setBrowserLauncher(std::make_unique<RecordingLauncher>(opened, true));
    {
        ModalDriver driver("#32770", Answer(IDNO));
        EXPECT_FALSE(editor->launchBrowser("https://example.org/", "Site", "Open it?", nullptr));
    }
    EXPECT_TRUE(opened.empty());
    {
        ModalDriver driver("#32770", Answer(IDYES));
        EXPECT_TRUE(editor->launchBrowser("https://example.org/", "Site", "Open it?", nullptr));
    }
    EXPECT_EQ(opened, std::vector<std::string> {"https://example.org/"});

    editor->setBrowserLauncher(std::make_unique<RecordingLauncher>(opened, false));
    std::string error;
    {
        ModalDriver driver("#32770", [&](HWND box) {
            error = WindowText(FindChild(box, "Static", "No browser"));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(editor->launchBrowser("https://example.org/", "Site", nullptr, "No browser"));
    }
    EXPECT_EQ(error, "No browser");
    ModalDriver silent("#32770", Answer(IDOK));
    EXPECT_FALSE(editor->launchBrowser("https://example.org/", "Site", nullptr, nullptr));
    EXPECT_FALSE(silent.acted());
}

TEST_F(Prompts, ClipboardTextArrivesAsUtf8)
{
    const HWND window = Open();
    const wchar_t greeting[] = L"Gr\u00fc\u00dfe";
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof greeting);
    std::memcpy(GlobalLock(data), greeting, sizeof greeting);
    GlobalUnlock(data);
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();

    std::string text;
    EXPECT_TRUE(editor->readClipboardText(text));
    EXPECT_EQ(text, "Gr\xc3\xbc\xc3\x9f" "e");

    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(editor->readClipboardText(text));
    EXPECT_EQ(text, "");
}

TEST_F(Prompts, FoldersAreThoseOfTheProgramAndTheSystem)
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string folder;
    editor->hostFolder(folder);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(program).rfind(folder, 0), 0u);
    std::string module;
    editor->moduleFolder(module);
    EXPECT_EQ(module, folder);  // the editor is linked into this program

    std::string local, common, sandbox;
    editor->settingsFolder(local, false);
    editor->settingsFolder(common, true);
    editor->sandboxSettingsFolder(sandbox);
    EXPECT_FALSE(local.empty());
    EXPECT_FALSE(common.empty());
    EXPECT_NE(local, common);
    EXPECT_EQ(sandbox, local);
}
