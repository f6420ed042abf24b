#include "TextEntry.h"

#include "PlugParam.h"

namespace {
constexpr unsigned kBackspace = 8;

bool IsDigitOrSign(unsigned c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}
}  // namespace

void TextEntry::open(IControl& control, const PlugParam* param)
{
    control_ = &control;
    param_ = param;
    state_ = kEditing;
}

void TextEntry::close()
{
    control_ = nullptr;
    param_ = nullptr;
    state_ = kEditing;
}

TextEntry::TickWork TextEntry::tick()
{
    if (!isOpen()) return TickWork::kScanDirty;
    switch (state_) {
    case kEditing: return TickWork::kScanDirty;
    case kCancel: return TickWork::kClose;
    case kCommit: return TickWork::kCommitAndClose;
    default: state_ = kEditing; return TickWork::kNothing;
    }
}

bool TextEntry::accepts(unsigned character) const
{
    if (character == kBackspace || !param_) return true;
    switch (param_->Kind()) {
    case kBoolParam:
    case kIntParam:
    case kEnumParam: return IsDigitOrSign(character);
    case kDoubleParam: return IsDigitOrSign(character) || character == '.';
    default: return true;
    }
}
