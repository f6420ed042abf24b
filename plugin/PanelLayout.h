#pragma once

#include "ParamIndex.h"

// The product's editor panel: its size, every picture and every control with its
// place and parameter, in the editor's drawing order (the background first, the
// web link last). The editor is built from this table, the art generator draws its
// pictures to these sizes and the snapshot tool renders the editor built from it.

constexpr int kPanelWidth = 796;
constexpr int kPanelHeight = 189;
constexpr int kPanelFramesPerSecond = 25;
constexpr double kKnobDragScale = 4.0;  // a knob's whole range takes four times its height

enum class PanelControlKind { kBackground, kSwitch, kKnob, kLink };

struct PanelElement {
    PanelControlKind kind;
    int pictureId;        // the picture's resource id; 0 for none
    const char* picture;  // the picture's resource name; null for none
    int x;                // top-left corner in editor pixels
    int y;
    int width;            // one frame of the picture, which is the control's rectangle
    int height;
    int frames;
    int param;            // the parameter shown, -1 for none
};

enum PanelSlot {
    kPanelBackground,
    kPanelBypass,
    kPanelOversample,
    kPanelHigh,
    kPanelHpf,
    kPanelLowBoost,
    kPanelLowAtten,
    kPanelLpf,
    kPanelMid,
    kPanelOut,
    kPanelLink,
    kPanelSlotCount
};

// The rail's controls (Oversample, Out) reach two pixels below the editor, the web
// link even further and past its right edge; only the visible part can be clicked.
constexpr PanelElement kPanelElements[kPanelSlotCount] = {
    {PanelControlKind::kBackground, 101, "resources/img/BG.png", 0, 0, 796, 189, 1, -1},
    {PanelControlKind::kSwitch, 110, "resources/img/BY.png", 378, 160, 43, 30, 2, kBypass},
    {PanelControlKind::kSwitch, 108, "resources/img/OVER.png", 0, 161, 145, 30, 2, kOversample},
    {PanelControlKind::kKnob, 102, "resources/img/HI.png", 512, 37, 90, 85, 61, kHigh},
    {PanelControlKind::kKnob, 103, "resources/img/HPF.png", 40, 37, 83, 82, 6, kHpf},
    {PanelControlKind::kKnob, 104, "resources/img/LB.png", 165, 18, 74, 79, 61, kLowBoost},
    {PanelControlKind::kKnob, 105, "resources/img/LC.png", 239, 88, 74, 71, 61, kLowAtten},
    {PanelControlKind::kKnob, 106, "resources/img/LPF.png", 678, 37, 78, 85, 61, kLpf},
    {PanelControlKind::kKnob, 107, "resources/img/MID.png", 347, 36, 101, 99, 61, kMid},
    {PanelControlKind::kKnob, 109, "resources/img/OUT.png", 200, 161, 75, 30, 25, kOut},
    {PanelControlKind::kLink, 0, nullptr, 702, 161, 100, 100, 1, -1},
};
