#pragma once

class IEditorRunLoop;

// The plug-in core's view of its editor. The core sits below the GUI layer, so it
// reaches the editor only through this interface, which the graphics core implements.
// The core owns the editor once it is attached and deletes it through this interface.
//
// The editor object lives as long as the plug-in; only its window comes and goes,
// opened and closed by the host's view of the plug-in on the user-interface thread.
class IPlugEditor {
public:
    virtual ~IPlugEditor() = default;

    // Hands a parameter's value to every control bound to that parameter. A plain
    // value (normalised == false) is first mapped to the unit interval.
    virtual void pushParamToControls(int paramIndex, double value, bool normalised) = 0;

    // Creates the editor's drawing surface; called once, when the core takes the editor.
    virtual void allocateSurface() = 0;

    // The editor's size in pixels, which the host view reports as its own.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Whether attachWindow can open a window inside a host window of this platform
    // type ("HWND", "X11EmbedWindowID", ...); false for a null type.
    virtual bool supportsWindowType(const char* type) const = 0;
    // Opens the editor window as a child of the host's native parent window and
    // returns it (null if none could be made). detachWindow closes it again and
    // does nothing when no window is open.
    virtual void* attachWindow(void* parent) = 0;
    virtual void detachWindow() = 0;
    // The host's loop that drives an open window's timer and events, on platforms
    // where the host owns the loop (null: none). The host view sets it before
    // attachWindow and clears it after detachWindow; an editor whose window is open
    // when it changes moves to the new loop, and none keeps a loop once it is
    // cleared. Editors whose platform has a loop of its own ignore it.
    virtual void setRunLoop(IEditorRunLoop* /*loop*/) {}
};
