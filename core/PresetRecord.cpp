#include "PresetRecord.h"

#include "TextCopy.h"

PresetRecord::PresetRecord() { SetName("empty"); }

void PresetRecord::SetName(const char* name) { CopyText(name_, name); }
