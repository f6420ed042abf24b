// The rules every window layer shares: wheel steps, key translation, the text-entry
// states and character filters, popup-menu numbering, file-dialog filters and
// folder names.
#include <gtest/gtest.h>

#include <string>

#include "FileFilter.h"
#include "FolderPath.h"
#include "GuiTestSupport.h"
#include "PopupMenuCommands.h"
#include "TextEntry.h"
#include "WindowInput.h"

using namespace guitest;

namespace {

KeyStroke Character(char32_t c)
{
    return {NamedKey::kNone, c};
}

int KeyOf(const KeyStroke& stroke)
{
    KeyCode key = kKeySpace;
    return TranslateKey(stroke, key) ? int(key) : -1;
}

class Entry : public ::testing::Test {
protected:
    class Box : public IControl {
    public:
        using IControl::IControl;
        bool draw(IGraphics&) override { return true; }
    };

    std::string Typed(const PlugParam* param, const std::string& keys)
    {
        entry.open(box, param);
        std::string passed;
        for (char c : keys)
            if (entry.accepts(unsigned(c))) passed += c;
        return passed;
    }

    TestPlug plug;
    Box box {&plug, {0, 0, 10, 10}};
    TextEntry entry;
};

}  // namespace

TEST(WindowInput, WheelTravelCountsWholeStepsOnly)
{
    EXPECT_EQ(WheelNotches(120), 1);
    EXPECT_EQ(WheelNotches(240), 2);
    EXPECT_EQ(WheelNotches(60), 0);
    EXPECT_EQ(WheelNotches(-120), -1);
    EXPECT_EQ(WheelNotches(-200), -1);
}

TEST(WindowInput, KeysTranslateToTheEditorsCodes)
{
    EXPECT_EQ(KeyOf(Character(U' ')), 0);
    EXPECT_EQ(KeyOf({NamedKey::kUp, 0}), 1);
    EXPECT_EQ(KeyOf({NamedKey::kRight, 0}), 4);
    EXPECT_EQ(KeyOf(Character(U'0')), 5);
    EXPECT_EQ(KeyOf(Character(U'9')), 14);
    EXPECT_EQ(KeyOf(Character(U'A')), 15);
    EXPECT_EQ(KeyOf(Character(U'Q')), 31);
    EXPECT_EQ(KeyOf(Character(U'q')), 31);
    EXPECT_EQ(KeyOf(Character(U'z')), 40);
    for (char32_t other : {U'\t', U'\r', U'@', U'[', U'`', U'{', U'/', U':', U'\u00e9'})
        EXPECT_EQ(KeyOf(Character(other)), -1) << unsigned(other);
}

TEST_F(Entry, ReturnLosingTheFocusAndCommandsCommitWhileEscapeWheelAndAbortCancel)
{
    using Work = TextEntry::TickWork;
    entry.open(box, nullptr);
    EXPECT_TRUE(entry.isOpen());
    EXPECT_EQ(entry.tick(), Work::kScanDirty);
    for (void (TextEntry::*commit)() : {&TextEntry::returnPressed, &TextEntry::fieldLostFocus,
                                        &TextEntry::commandChosen, &TextEntry::editorButtonPressed}) {
        entry.open(box, nullptr);
        (entry.*commit)();
        EXPECT_EQ(entry.tick(), Work::kCommitAndClose);
    }
    for (void (TextEntry::*cancel)() : {&TextEntry::escapePressed, &TextEntry::editorWheelTurned, &TextEntry::abort}) {
        entry.open(box, nullptr);
        (entry.*cancel)();
        EXPECT_EQ(entry.tick(), Work::kClose);
    }
    entry.close();
    EXPECT_FALSE(entry.isOpen());
    EXPECT_EQ(entry.control(), nullptr);
}

TEST_F(Entry, AFocusedFieldHoldsTheEditorsInputAndAPressCancelsIt)
{
    entry.open(box, nullptr);
    EXPECT_FALSE(entry.holdsEditorInput());
    entry.fieldFocused();
    EXPECT_TRUE(entry.holdsEditorInput());
    entry.editorButtonPressed();
    EXPECT_FALSE(entry.holdsEditorInput());
    EXPECT_EQ(entry.tick(), TextEntry::TickWork::kClose);
}

TEST_F(Entry, TheTickAfterARepaintOnlyReturnsToEditing)
{
    entry.open(box, nullptr);
    entry.repaintedAround();
    EXPECT_EQ(entry.tick(), TextEntry::TickWork::kNothing);
    EXPECT_EQ(entry.state(), TextEntry::kEditing);
    EXPECT_EQ(entry.tick(), TextEntry::TickWork::kScanDirty);
}

TEST_F(Entry, CharactersPassByTheParametersKind)
{
    const std::string keys = "-1,5.2+x\b";
    EXPECT_EQ(Typed(plug.Param(kGain), keys), "-15.2+\b");  // continuous
    EXPECT_EQ(Typed(plug.Param(kMode), keys), "-152+\b");   // integer
    EXPECT_EQ(Typed(plug.Param(kShape), keys), "-152+\b");  // list
    EXPECT_EQ(Typed(plug.Param(kPower), keys), "-152+\b");  // boolean
    EXPECT_EQ(Typed(nullptr, keys), keys);                   // plain text
}

TEST(PopupMenuCommands, ItemsAreNumberedBeforeTheirSubmenusDepthFirst)
{
    PopupMenu top;
    for (const char* text : {"A", "B", "C"}) top.addItem(text);
    PopupItem& first = top.item(0);
    first.submenu = std::make_unique<PopupMenu>();
    first.submenu->addItem("A1");
    PopupItem& deeper = first.submenu->addItem("A2");
    deeper.submenu = std::make_unique<PopupMenu>();
    deeper.submenu->addItem("A2x");
    top.item(2).submenu = std::make_unique<PopupMenu>();
    top.item(2).submenu->addItem("C1");

    const PopupMenuCommands commands(top);
    EXPECT_EQ(commands.command(top, 0), 0);
    EXPECT_EQ(commands.command(top, 2), 2);
    EXPECT_EQ(commands.command(*first.submenu, 0), 3);
    EXPECT_EQ(commands.command(*deeper.submenu, 0), 5);
    EXPECT_EQ(commands.command(*top.item(2).submenu, 0), 6);
    PopupMenu stranger;
    EXPECT_EQ(commands.command(stranger, 0), -1);

    EXPECT_EQ(commands.choose(1), &top);
    EXPECT_EQ(top.chosenIndex, 1);
    EXPECT_EQ(commands.choose(4), first.submenu.get());
    EXPECT_EQ(first.submenu->chosenIndex, 1);
    EXPECT_EQ(commands.choose(6), top.item(2).submenu.get());
    EXPECT_EQ(top.item(2).submenu->chosenIndex, 0);
    EXPECT_EQ(commands.choose(7), nullptr);
    EXPECT_EQ(commands.choose(-1), nullptr);
    EXPECT_EQ(deeper.submenu->chosenIndex, -1);
}

TEST(PopupMenuCommands, LabelsCarryTheItemNumberWithTheAskedDigits)
{
    PopupMenu menu;
    for (int i = 1; i <= 12; ++i) menu.addItem("Item");
    const auto label = [&](int numbering, int item) {
        menu.numbering = numbering;
        return PopupItemLabel(menu, item);
    };
    EXPECT_EQ(label(0, 2), "Item");
    EXPECT_EQ(label(1, 2), "3: Item");
    EXPECT_EQ(label(1, 11), "12: Item");
    EXPECT_EQ(label(2, 2), "03: Item");
    EXPECT_EQ(label(3, 2), "003: Item");
    EXPECT_EQ(label(4, 2), "Item");
}

TEST(FileFilter, PatternsAreWrittenTwiceEachEndingInAZeroByte)
{
    FileFilter filter;
    ASSERT_TRUE(filter.build("  wav aif  "));
    EXPECT_EQ(filter.bytes, std::string("*.wav;*.aif\0*.wav;*.aif\0\0", 25));
    EXPECT_EQ(filter.defaultExtension, "wav");
    ASSERT_TRUE(filter.build(""));
    EXPECT_TRUE(filter.bytes.empty());
    ASSERT_TRUE(filter.build(nullptr));
    EXPECT_TRUE(filter.defaultExtension.empty());
}

// The filter of "a" and an extension of n characters takes 2 * (6 + n) + 3 bytes.
TEST(FileFilter, ListsTooLongForTheFilterAreRefusedNotCut)
{
    FileFilter filter;
    EXPECT_TRUE(filter.build(("a " + std::string(120, 'x')).c_str()));
    EXPECT_EQ(filter.bytes.size(), 255u);
    EXPECT_FALSE(filter.build(("a " + std::string(121, 'x')).c_str()));
    EXPECT_TRUE(filter.bytes.empty());
    EXPECT_TRUE(filter.defaultExtension.empty());

    EXPECT_TRUE(filter.build(std::string(15, 'e').c_str()));
    EXPECT_FALSE(filter.build(std::string(16, 'e').c_str()));
}

TEST(FolderPath, KeepsEverythingUpToTheLastSeparator)
{
    EXPECT_EQ(FolderOf("C:\\Hosts\\h.exe", "\\"), "C:\\Hosts\\");
    EXPECT_EQ(FolderOf("h.exe", "\\"), "");
    EXPECT_EQ(FolderOf("C:\\Hosts\\", "\\"), "");
    EXPECT_EQ(FolderOf("C:/Music/take.wav", "\\"), "");
    EXPECT_EQ(FolderOf("C:/Music\\Takes/take.wav", "\\/"), "C:/Music\\Takes/");
}
