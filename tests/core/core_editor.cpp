#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestPlug.h"

namespace {

struct Push {
    int index;
    double value;
    bool normalised;
    bool operator==(const Push& other) const
    {
        return index == other.index && value == other.value && normalised == other.normalised;
    }
};

// Records the calls the core makes, in order, into a log that outlives the editor.
class FakeEditor : public IPlugEditor {
public:
    explicit FakeEditor(std::vector<std::string>& log) : log_(log) {}
    ~FakeEditor() override { log_.push_back("deleted"); }
    void pushParamToControls(int index, double value, bool normalised) override
    {
        pushes.push_back({index, value, normalised});
    }
    void allocateSurface() override { log_.push_back("surface after " + std::to_string(pushes.size())); }
    int width() const override { return 0; }
    int height() const override { return 0; }
    bool supportsWindowType(const char*) const override { return false; }
    void* attachWindow(void*) override { return nullptr; }
    void detachWindow() override {}

    std::vector<Push> pushes;

private:
    std::vector<std::string>& log_;
};

}  // namespace

TEST(EditorLink, AttachPushesUnitValuesThenAllocatesTheSurface)
{
    std::vector<std::string> log;
    {
        TestPlug plug;
        plug.Param(ParamIndex::kOut)->Assign(6.0);
        auto* editor = new FakeEditor(log);
        plug.AttachEditor(editor);
        EXPECT_EQ(plug.Editor(), editor);
        ASSERT_EQ(editor->pushes.size(), 10u);
        EXPECT_EQ(editor->pushes[ParamIndex::kOut], (Push{ParamIndex::kOut, 0.75, true}));
        EXPECT_EQ(editor->pushes[ParamIndex::kLowBoost], (Push{ParamIndex::kLowBoost, 0.0, true}));
        EXPECT_EQ(log, std::vector<std::string>{"surface after 10"});
    }
    EXPECT_EQ(log.back(), "deleted");
}

TEST(EditorLink, AttachOfNoEditorDoesNothing)
{
    TestPlug plug;
    plug.AttachEditor(nullptr);
    EXPECT_EQ(plug.Editor(), nullptr);
    plug.RefreshEditorControls();
}

TEST(EditorLink, RefreshPushesPlainValuesInIndexOrder)
{
    std::vector<std::string> log;
    TestPlug plug;
    auto* editor = new FakeEditor(log);
    plug.AttachEditor(editor);
    editor->pushes.clear();
    plug.Param(ParamIndex::kOut)->Assign(-4.0);
    plug.RefreshEditorControls();
    ASSERT_EQ(editor->pushes.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(editor->pushes[i].index, i);
    EXPECT_EQ(editor->pushes[ParamIndex::kOut], (Push{ParamIndex::kOut, -4.0, false}));
}

TEST(EditorLink, PresetRecallRefreshesTheEditor)
{
    std::vector<std::string> log;
    TestPlug plug;
    auto* editor = new FakeEditor(log);
    plug.AttachEditor(editor);
    plug.CaptureDefaultPreset();
    editor->pushes.clear();
    plug.LoadPreset(0);
    EXPECT_EQ(editor->pushes.size(), 10u);
}

TEST(EditorLink, EditStoresSnappedButReportsTheUnsnappedValue)
{
    TestPlug plug;
    plug.SetParamFromEditor(ParamIndex::kHpf, 0.55);
    EXPECT_EQ(plug.Param(ParamIndex::kHpf)->Value(), 3.0);
    ASSERT_EQ(plug.edits.size(), 1u);
    EXPECT_EQ(plug.edits[0].index, ParamIndex::kHpf);
    EXPECT_EQ(plug.edits[0].unitValue, 0.55);
    EXPECT_EQ(plug.changed, std::vector<int>{ParamIndex::kHpf});
}

TEST(EditorLink, EditOfAnUnknownParameterIsIgnored)
{
    TestPlug plug;
    plug.SetParamFromEditor(10, 0.5);
    plug.SetParamFromEditor(-1, 0.5);
    EXPECT_TRUE(plug.edits.empty());
    EXPECT_TRUE(plug.changed.empty());
}
