#include "IPlugBase.h"

#include <algorithm>
#include <cstring>

#include "TextCopy.h"

IPlugBase::IPlugBase(const char* effectName, const char* productName, const char* makerName, uint32_t uniqueId,
                     uint32_t makerId, int32_t version, const char* channelIO, int paramCount, int presetCount)
    : uniqueId_(uniqueId), makerId_(makerId), version_(version)
{
    for (int i = 0; i < paramCount; ++i) params_.Append(new PlugParam);
    for (int i = 0; i < presetCount; ++i) presets_.Append(new PresetRecord);
    CopyText(effectName_, effectName);
    CopyText(productName_, productName);
    CopyText(makerName_, makerName);

    ParseChannelIO(channelIO, channelIO_);
    int inputs = 0, outputs = 0;
    for (int i = 0; i < channelIO_.Count(); ++i) {
        inputs = std::max(inputs, channelIO_.Get(i)->inputs);
        outputs = std::max(outputs, channelIO_.Get(i)->outputs);
    }
    CreateChannelSlots(inputSlots_, inputPointers_, inputs);
    CreateChannelSlots(outputSlots_, outputPointers_, outputs);
}

// The editor goes first: closing its window may still reach the parameters.
IPlugBase::~IPlugBase() { editor_.reset(); }

// One slot per channel, each linked to its entry of `pointers`. The array is sized
// here once and never again, so the slots' links stay valid; if it cannot be sized
// for every channel, only the channels it holds get slots.
void IPlugBase::CreateChannelSlots(OwnedPtrList<ChannelSlot>& slots, GrowBuffer& pointers, int channels)
{
    const int64_t bytes = int64_t(channels) * int64_t(sizeof(double*));
    if (bytes > INT32_MAX) return;
    pointers.Resize(int32_t(bytes), false);
    const int held = pointers.Size() / int32_t(sizeof(double*));
    for (int c = 0; c < held; ++c) slots.Append(new ChannelSlot(pointers.As<double*>() + c));
}

void IPlugBase::ResetEngine() { PlugLock::Guard guard(lock_); }

void IPlugBase::ParamChanged(int /*paramIndex*/) { PlugLock::Guard guard(lock_); }

void IPlugBase::SetParamFromEditor(int paramIndex, double unitValue)
{
    PlugLock::Guard guard(lock_);
    PlugParam* param = Param(paramIndex);
    if (!param) return;
    param->AssignUnit(unitValue);
    PerformHostEdit(paramIndex, unitValue);
    ParamChanged(paramIndex);
}

void IPlugBase::AttachEditor(IPlugEditor* editor)
{
    if (!editor) return;
    PlugLock::Guard guard(lock_);
    for (int i = 0; i < ParamCount(); ++i) editor->pushParamToControls(i, Param(i)->UnitValue(), true);
    editor->allocateSurface();
    if (editor != editor_.get()) editor_.reset(editor);
}

void IPlugBase::RefreshEditorControls()
{
    if (!editor_) return;
    for (int i = 0; i < ParamCount(); ++i) editor_->pushParamToControls(i, Param(i)->Value(), false);
}

void IPlugBase::SetBusLabel(OwnedPtrList<char[]>& labels, int bus, const char* label)
{
    if (bus < 0) return;
    while (labels.Count() < bus) labels.Append(new char[1]{});
    const size_t length = label ? std::strlen(label) : 0;
    char* copy = new char[length + 1];
    CopyText(copy, length + 1, label);
    if (bus < labels.Count())
        labels.Replace(bus, copy);
    else
        labels.Append(copy);
}

int IPlugBase::RegisterParamGroup(const char* group)
{
    if (!group || group[0] == '\0') return 0;
    const int count = ParamGroupCount();
    for (int i = 0; i < count; ++i)
        if (std::strcmp(ParamGroup(i), group) == 0) return i + 1;
    paramGroups_.Resize(int32_t(sizeof(const char*)) * (count + 1), false);
    if (ParamGroupCount() != count + 1) return 0;
    paramGroups_.As<const char*>()[count] = group;
    return count + 1;
}

const char* IPlugBase::ParamGroup(int index) const
{
    return index >= 0 && index < ParamGroupCount() ? paramGroups_.As<const char*>()[index] : nullptr;
}
