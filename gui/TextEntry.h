#pragma once

#include <cstdint>

class IControl;
class PlugParam;

// The life of an in-place text field over a control, from opening to its commit or
// cancel, apart from the window that shows it. The window layer reports what happens
// to the field and to the editor window; its frame tick asks what to do next.
//
//   state      meaning                          set by
//   kEditing   being edited                     opening; every closing; the tick after kRepainted
//   kFocused   the field (re)gained the focus   the field
//   kRepainted the editor repainted around it   a frame tick that repainted
//   kCancel    close without a value            Escape, a wheel turn, a press while focused, abort
//   kCommit    take the text, then close        Return, losing the focus, a press, a command
//
// While kFocused, the editor window sets its input aside: only button presses reach
// it, and they cancel. The field's own opening focus comes before the layer listens
// to the field, so a field starts in kEditing and a press on the editor commits it.
class TextEntry {
public:
    enum State : int32_t { kEditing = 0, kFocused = 1, kRepainted = 2, kCancel = 3, kCommit = 4 };

    // What a frame tick does while a field is open.
    enum class TickWork {
        kScanDirty,       // the usual repaint of dirty controls
        kClose,           // close the field, the value unchanged
        kCommitAndClose,  // hand the field's text to the editor, then close it
        kNothing,         // the state went back to kEditing; nothing more this tick
    };

    bool isOpen() const { return control_ != nullptr; }
    IControl* control() const { return control_; }
    // The parameter whose value is typed, or null for plain text.
    const PlugParam* param() const { return param_; }
    State state() const { return state_; }

    void open(IControl& control, const PlugParam* param);
    void close();

    // Reports from the field.
    void fieldFocused() { state_ = kFocused; }
    void fieldLostFocus() { state_ = kCommit; }
    void returnPressed() { state_ = kCommit; }
    void escapePressed() { state_ = kCancel; }
    void commandChosen() { state_ = kCommit; }
    void abort() { state_ = kCancel; }

    // Reports from the editor window while a field is open.
    void editorButtonPressed() { state_ = state_ == kFocused ? kCancel : kCommit; }
    void editorWheelTurned() { state_ = kCancel; }
    void repaintedAround() { state_ = kRepainted; }

    // Whether the editor window sets its input aside (see above).
    bool holdsEditorInput() const { return isOpen() && state_ == kFocused; }
    // What this tick does; a tick after a repaint also returns the state to kEditing.
    TickWork tick();

    // Whether a typed character may enter the field: Backspace always; for a
    // boolean, integer or list parameter the digits and signs; for a continuous one
    // also the dot; for plain text (or any other kind) everything.
    bool accepts(unsigned character) const;

private:
    IControl* control_ = nullptr;
    const PlugParam* param_ = nullptr;
    State state_ = kEditing;
};
