#include "IControl.h"

#include <cstdio>

#include "IGraphics.h"
#include "IPlugBase.h"
#include "ITextControl.h"

namespace {
constexpr float kDimmedWeight = 0.25f;
constexpr int kPromptHalfWidth = 20;
constexpr int kPromptHalfHeight = 8;
}  // namespace

IControl::IControl(IPlugBase* plug, const PixelRect& rect, int paramIndex, const BlendSpec& blend)
    : plug_(plug), rect_(rect), hitRect_(rect), paramIndex_(paramIndex), blend_(blend)
{
}

IControl::~IControl() = default;

void IControl::onMouseDown(int, int, const MouseMods& mods)
{
    if (mods.right) requestValuePrompt();
}

void IControl::onMouseDblClick(int, int, const MouseMods&)
{
    const double fallback = defaultValue();
    if (fallback < 0.0) return;
    setValue(fallback);
    markChanged(true);
}

void IControl::takeParamValue(double value)
{
    if (defaultValue() < 0.0) {
        setValue(value);
        defaultValue_.store(value, std::memory_order_relaxed);
        return;
    }
    if (value == this->value()) return;
    setValue(value);
    markChanged(false);
    setRepaintAgain();
}

void IControl::takeTypedValue(double value)
{
    if (value == this->value()) return;
    setValue(value);
    markChanged(true);
    setRepaintAgain();
}

void IControl::setHidden(bool hidden)
{
    hidden_ = hidden;
    setRepaintAgain();
    markChanged(false);
}

void IControl::setDimmed(bool dimmed)
{
    dimmed_ = dimmed;
    blend_.weight = dimmed ? kDimmedWeight : 1.0f;
    markChanged(false);
}

void IControl::markChanged(bool pushToPlug)
{
    const double current = value();
    setValue(current < minValue_ ? minValue_ : (current > maxValue_ ? maxValue_ : current));
    changed_.store(true, std::memory_order_relaxed);
    if (!pushToPlug || !plug_ || paramIndex_ < 0) return;
    plug_->SetParamFromEditor(paramIndex_, value());
    updateLabels();
}

void IControl::markPainted()
{
    changed_.store(repaintAgain_.load(std::memory_order_relaxed), std::memory_order_relaxed);
    repaintAgain_.store(false, std::memory_order_relaxed);
}

void IControl::takeExtraParamValue(int entry, double value)
{
    ExtraParam* extra = extraParams_.Get(entry);
    if (!extra || value == extra->value.load(std::memory_order_relaxed)) return;
    extra->value.store(value, std::memory_order_relaxed);
    markChanged(false);
    setRepaintAgain();
}

// The prompt covers the control when the parameter has named values (a menu);
// otherwise it is a small text box centred on the control.
void IControl::requestValuePrompt()
{
    if (paramIndex_ < 0 || noValuePrompt_ || !graphics_ || !plug_) return;
    const PlugParam* param = plug_->Param(paramIndex_);
    if (!param) return;
    PixelRect area = rect_;
    if (param->ValueTextCount() == 0) {
        const int cx = int((float(rect_.left) + float(rect_.right)) * 0.5f);
        const int cy = int((float(rect_.top) + float(rect_.bottom)) * 0.5f);
        area = {cx - kPromptHalfWidth, cy - kPromptHalfHeight, cx + kPromptHalfWidth, cy + kPromptHalfHeight};
    }
    graphics_->askForValue(this, param, &area);
    setRepaintAgain();
}

void IControl::setValueRange(double minimum, double maximum)
{
    minValue_ = minimum;
    maxValue_ = maximum;
}

void IControl::setLabels(ITextControl* valueLabel, ITextControl* nameLabel)
{
    valueLabel_ = valueLabel;
    nameLabel_ = nameLabel;
}

void IControl::addExtraParam(int paramIndex)
{
    auto* extra = new ExtraParam;
    extra->paramIndex = paramIndex;
    extraParams_.Append(extra);
}

// The value label reads like "0.50 %"; a named value stands alone.
void IControl::updateLabels()
{
    const PlugParam* param = plug_->Param(paramIndex_);
    if (!param) return;
    if (valueLabel_) {
        char value[kLabelPartSize];
        param->FormatValue(value, sizeof value);
        char text[2 * kLabelPartSize];
        if (param->ValueTextFor(param->Value()))
            std::snprintf(text, sizeof text, "%s", value);
        else
            std::snprintf(text, sizeof text, "%s %.32s", value, param->Label());
        valueLabel_->setText(text);
    }
    if (nameLabel_) nameLabel_->setText(param->Name());
}
