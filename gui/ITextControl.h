#pragma once

#include <string>

#include "IControl.h"

// A line of text drawn in the control's text style, such as the value or the name
// label of another control. It has no parameter of its own.
class ITextControl : public IControl {
public:
    ITextControl(IPlugBase* plug, const PixelRect& rect, const char* text = "");

    // Stores a text that differs from the current one and marks the control dirty.
    void setText(const char* text);
    const std::string& text() const { return text_; }

    bool draw(IGraphics& graphics) override;

private:
    std::string text_;
};
