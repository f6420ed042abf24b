#pragma once

// A small plug-in core and a headless editor that record what reaches the host and
// the platform, for the tests of the graphics core and the controls.
#include <memory>
#include <string>
#include <vector>

#include "FourCC.h"
#include "IGraphicsHeadless.h"
#include "IPlugBase.h"
#include "LICE_MemBitmap.h"

namespace guitest {

// Parameters of every kind the prompts distinguish.
enum Param { kGain, kMode, kShape, kPower, kParamCount };

class TestPlug : public IPlugBase {
public:
    TestPlug() : IPlugBase("Test", "", "Maker", FourCC("Tst1"), FourCC("Mkr1"), 0x10000, "2-2", kParamCount, 1)
    {
        Param(kGain)->DefineContinuous("Gain", 0.0, -12.0, 12.0, 0.5, "dB");
        Param(kMode)->DefineInteger("Mode", 0, 0, 5);
        Param(kShape)->DefineEnum("Shape", 0, 3);
        Param(kShape)->AddValueText(0, "Sine");
        Param(kShape)->AddValueText(1, "Square");
        Param(kShape)->AddValueText(2, "Saw");
        Param(kPower)->DefineBool("Power", false);
        Param(kPower)->AddValueText(0, "off");
        Param(kPower)->AddValueText(1, "on");
    }

    // What the host saw, one line per call: "begin 1", "perform 1 0.5", "end 1",
    // "menu 1 10 20", "resized 300 100".
    std::vector<std::string> host;
    int bindingCode = kVst3Binding;

    void BeginHostEdit(int index) override { host.push_back("begin " + std::to_string(index)); }
    void PerformHostEdit(int index, double value) override
    {
        host.push_back("perform " + std::to_string(index) + " " + Format(value));
    }
    void EndHostEdit(int index) override { host.push_back("end " + std::to_string(index)); }
    void HostParamMenu(int index, int x, int y) override
    {
        host.push_back("menu " + std::to_string(index) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    void EditorResized(int width, int height) override
    {
        host.push_back("resized " + std::to_string(width) + " " + std::to_string(height));
    }
    int32_t BindingCode() override { return bindingCode; }

    int32_t TransportPosition() override { return 0; }
    double TransportTempo() override { return 120.0; }
    void TransportMeter(int32_t& numerator, int32_t& denominator) override { numerator = denominator = 4; }
    bool TransportSnapshot(TransportInfo&) override { return false; }
    bool EmitMidi(const MidiMessage&) override { return false; }

    static std::string Format(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }
};

// The headless editor with prompts, a browser and images that tests can script.
class TestGraphics : public IGraphicsHeadless {
public:
    explicit TestGraphics(IPlugBase& plug, int width = 200, int height = 100)
        : IGraphicsHeadless(plug, width, height, 25)
    {
    }

    // The menu's answer: the item to choose, or -1 to close it without a choice.
    int menuChoice = -1;
    std::vector<std::string> menuItems;  // "text" or "text (ticked)", of the last menu
    PixelRect menuAnchor;
    PopupMenu* runPopupMenu(PopupMenu& menu, const PixelRect& anchor) override
    {
        menuItems.clear();
        for (int i = 0; i < menu.itemCount(); ++i)
            menuItems.push_back(menu.item(i).text + (menu.item(i).flags & PopupItem::kTicked ? " (ticked)" : ""));
        menuAnchor = anchor;
        if (menuChoice < 0) return nullptr;
        menu.chosenIndex = menuChoice;
        return &menu;
    }

    struct TextField {
        IControl* control;
        PixelRect area;
        std::string text;
        const PlugParam* param;
    };
    std::vector<TextField> textFields;
    void openTextField(IControl* control, const TextStyle&, const PixelRect& area, const char* text,
                       const PlugParam* param) override
    {
        textFields.push_back({control, area, text, param});
    }

    std::vector<std::string> browsed;
    int browserSucceedsFrom = 0;  // the n-th call (0-based) and later succeed
    bool launchBrowser(const char* url, const char*, const char*, const char*) override
    {
        browsed.push_back(url);
        return int(browsed.size()) > browserSucceedsFrom;
    }

    std::vector<int> decoded;  // resource ids, in the order they were decoded
    LICE_IBitmap* decodeImageResource(int resourceId, const char*) override
    {
        decoded.push_back(resourceId);
        auto* bitmap = new LICE_MemBitmap;
        bitmap->Resize(4, 8);
        return bitmap;
    }
};

// A bitmap whose pixels tell where they came from: column in blue, row in green,
// opaque unless asked otherwise.
inline std::unique_ptr<LICE_MemBitmap> NumberedBitmap(int width, int height, int alpha = 255)
{
    auto bitmap = std::make_unique<LICE_MemBitmap>();
    bitmap->Resize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->PixelData()[y * bitmap->RowStride() + x] = LICE_pixel(alpha) << 24 | LICE_pixel(y) << 8 | LICE_pixel(x);
    return bitmap;
}

inline BitmapStrip StripOf(LICE_IBitmap& image, int frames)
{
    BitmapStrip strip;
    strip.image = &image;
    strip.width = image.Width();
    strip.height = image.Height();
    strip.frames = frames;
    return strip;
}

inline void Fill(LICE_IBitmap& bitmap, LICE_pixel colour)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.PixelData()[y * bitmap.RowStride() + x] = colour;
}

inline LICE_pixel PixelAt(const LICE_IBitmap& bitmap, int x, int y)
{
    return bitmap.PixelData()[y * bitmap.RowStride() + x];
}

}  // namespace guitest
