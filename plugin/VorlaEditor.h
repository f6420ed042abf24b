#pragma once

#include "IGraphics.h"

// The product's editor for `plug`: the platform's editor with the panel of
// PanelLayout.h, whose web link opens `productPage`. The caller attaches it.
IGraphics* BuildVorlaEditor(IPlugBase& plug, const char* productPage);
