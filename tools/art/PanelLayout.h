#pragma once

// Where the editor shows each picture: resource id, file, top-left corner, frame
// size and frame count. The art generator draws to these sizes and the snapshot
// tool composites with them, so both agree with the editor's control layout.
struct PanelPicture {
    int id;
    const char* file;
    const char* name;
    int x;
    int y;
    int frameWidth;
    int frameHeight;
    int frames;
};

constexpr int kPanelWidth = 796;
constexpr int kPanelHeight = 189;

enum PictureIndex { kBackground, kBypass, kOversample, kHigh, kHpf, kLowBoost, kLowAtten, kLpf, kMid, kOut,
                    kPictureCount };

// In the editor's drawing order: the background first.
constexpr PanelPicture kPanelPictures[kPictureCount] = {
    {101, "BG.png", "background", 0, 0, 796, 189, 1},
    {110, "BY.png", "bypass", 378, 160, 43, 30, 2},
    {108, "OVER.png", "oversample", 0, 161, 145, 30, 2},
    {102, "HI.png", "high", 512, 37, 90, 85, 61},
    {103, "HPF.png", "hpf", 40, 37, 83, 82, 6},
    {104, "LB.png", "lowboost", 165, 18, 74, 79, 61},
    {105, "LC.png", "lowatten", 239, 88, 74, 71, 61},
    {106, "LPF.png", "lpf", 678, 37, 78, 85, 61},
    {107, "MID.png", "mid", 347, 36, 101, 99, 61},
    {109, "OUT.png", "out", 200, 161, 75, 30, 25},
};

// The frame a control shows for a normalised value: value scaled to 0 .. frames - 1
// and rounded half up.
inline int FrameForValue(const PanelPicture& picture, double value)
{
    const int frame = int((picture.frames - 1) * value + 0.5);
    return frame < 0 ? 0 : (frame >= picture.frames ? picture.frames - 1 : frame);
}
