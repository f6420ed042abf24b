#pragma once

#include <atomic>
#include <string>

#include "BlendSpec.h"
#include "InputEvents.h"
#include "OwnedPtrList.h"
#include "PixelRect.h"
#include "TextStyle.h"

class IGraphics;
class IPlugBase;
class ITextControl;

// One rectangular element of the editor, optionally bound to a plug-in parameter.
// Its value is the parameter's unit value (0..1). Gestures change it and send it to
// the plug-in (markChanged(true)); values from the plug-in arrive through
// takeParamValue and are never sent back.
//
// Dirty cycle: markChanged sets `changed`; a drawing pass draws the control and then
// markPainted copies `repaintAgain` into `changed` and clears `repaintAgain`, so a
// control that asked to be repainted again stays dirty for one more pass.
//
// Threads: the plug-in pushes values (takeParamValue, takeExtraParamValue) from the
// audio thread while the user-interface thread draws and handles gestures, with no
// lock by design. The value, the default and the two dirty flags are therefore
// relaxed atomics: each read sees some whole written value. Everything else belongs
// to the user-interface thread.
class IControl {
public:
    static constexpr int kDefaultFieldMaxChars = 7;
    static constexpr std::size_t kLabelPartSize = 33;  // value and label texts: 32 characters

    // A further parameter the control follows besides its own.
    struct ExtraParam {
        std::atomic<double> value {0.0};
        int paramIndex = -1;
    };

    IControl(IPlugBase* plug, const PixelRect& rect, int paramIndex = -1, const BlendSpec& blend = {});
    virtual ~IControl();
    IControl(const IControl&) = delete;
    IControl& operator=(const IControl&) = delete;

    // Gestures, in editor pixels. The base press asks for a value on a right click.
    virtual void onMouseDown(int x, int y, const MouseMods& mods);
    virtual void onMouseUp(int /*x*/, int /*y*/, const MouseMods& /*mods*/) {}
    virtual void onMouseDrag(int /*x*/, int /*y*/, int /*dx*/, int /*dy*/, const MouseMods& /*mods*/) {}
    // Restores the default value, once the control has one.
    virtual void onMouseDblClick(int x, int y, const MouseMods& mods);
    virtual void onMouseWheel(int /*x*/, int /*y*/, const MouseMods& /*mods*/, int /*notches*/) {}
    virtual bool onKeyDown(int /*x*/, int /*y*/, KeyCode /*key*/) { return false; }
    virtual void onMouseOver(int /*x*/, int /*y*/, const MouseMods& /*mods*/) {}
    virtual void onMouseOut() {}

    virtual bool draw(IGraphics& graphics) = 0;

    // A unit value from the plug-in; the first one also becomes the default.
    virtual void takeParamValue(double value);
    // A value the user typed or chose in a prompt; sent to the plug-in.
    virtual void takeTypedValue(double value);
    // Typed text for a control without a parameter.
    virtual void takeTypedText(const char* /*text*/) {}
    virtual void setHidden(bool hidden);
    // A dimmed control draws at a quarter strength and takes no mouse events.
    virtual void setDimmed(bool dimmed);
    virtual bool hitTest(int x, int y) const { return hitRect_.contains(x, y); }
    // Bounds the value to the control's range and marks it dirty; with
    // pushToPlug, also sends it to the bound parameter and updates the labels.
    virtual void markChanged(bool pushToPlug);
    virtual void markPainted();
    virtual bool needsPaint() const { return changed_.load(std::memory_order_relaxed); }
    virtual void takeExtraParamValue(int entry, double value);

    // Asks the graphics core to prompt for a new value, unless prompts are off
    // (the default) or the control has no parameter.
    void requestValuePrompt();

    // Called by the graphics core as it takes the control.
    void attachTo(IGraphics& graphics) { graphics_ = &graphics; }

    double value() const { return value_.load(std::memory_order_relaxed); }
    double defaultValue() const { return defaultValue_.load(std::memory_order_relaxed); }
    int paramIndex() const { return paramIndex_; }
    const PixelRect& rect() const { return rect_; }
    const BlendSpec& blend() const { return blend_; }
    bool hidden() const { return hidden_; }
    bool dimmed() const { return dimmed_; }
    bool doubleAsPress() const { return doubleAsPress_; }
    void setDoubleAsPress(bool on) { doubleAsPress_ = on; }
    bool hoverWhenDimmed() const { return hoverWhenDimmed_; }
    void setHoverWhenDimmed(bool on) { hoverWhenDimmed_ = on; }
    void setNoValuePrompt(bool off) { noValuePrompt_ = off; }
    void setValueRange(double minimum, double maximum);
    int fieldMaxChars() const { return fieldMaxChars_; }
    TextStyle& textStyle() { return textStyle_; }
    const std::string& tooltip() const { return tooltip_; }
    void setTooltip(const char* text) { tooltip_ = text ? text : ""; }
    // Text controls that show the bound parameter's value and name; not owned.
    void setLabels(ITextControl* valueLabel, ITextControl* nameLabel);

    // Follows a further parameter; the graphics core hands its values to the first
    // entry with that index.
    void addExtraParam(int paramIndex);
    int extraParamCount() const { return extraParams_.Count(); }
    const ExtraParam* extraParam(int entry) const { return extraParams_.Get(entry); }

protected:
    IPlugBase* plug() const { return plug_; }
    IGraphics* graphics() const { return graphics_; }
    void setValue(double value) { value_.store(value, std::memory_order_relaxed); }
    void setRepaintAgain() { repaintAgain_.store(true, std::memory_order_relaxed); }

private:
    void updateLabels();

    int fieldMaxChars_ = kDefaultFieldMaxChars;
    TextStyle textStyle_;
    IPlugBase* plug_;
    IGraphics* graphics_ = nullptr;
    PixelRect rect_;
    PixelRect hitRect_;
    int paramIndex_;
    OwnedPtrList<ExtraParam> extraParams_;
    std::atomic<double> value_ {0.0};
    std::atomic<double> defaultValue_ {-1.0};  // negative: no default yet
    double minValue_ = 0.0;
    double maxValue_ = 1.0;
    std::atomic<bool> changed_ {true};
    bool hidden_ = false;
    bool dimmed_ = false;
    std::atomic<bool> repaintAgain_ {false};
    bool noValuePrompt_ = true;
    bool doubleAsPress_ = false;
    bool hoverWhenDimmed_ = false;
    BlendSpec blend_;
    ITextControl* valueLabel_ = nullptr;
    ITextControl* nameLabel_ = nullptr;
    std::string tooltip_;
};
