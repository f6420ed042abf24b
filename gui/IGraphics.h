#pragma once

#include <memory>
#include <string>

#include "BitmapStrip.h"
#include "BlendSpec.h"
#include "BrowserLauncher.h"
#include "IControl.h"
#include "IPlugBase.h"
#include "IPlugEditor.h"
#include "InputEvents.h"
#include "LICE_SysBitmap.h"
#include "OwnedPtrList.h"
#include "PixelRect.h"
#include "PopupMenu.h"
#include "RgbaColor.h"
#include "TextStyle.h"

class PlugParam;

// The platform-neutral editor: the ordered list of controls (index 0 is the
// background, later controls lie above earlier ones), the off-screen surface they
// draw into, the dirty-rectangle repaint, and the dispatch of mouse and key events
// to controls, which it links to the plug-in's parameters in both directions.
//
// A platform class derives from it and supplies the window, painting to the
// screen, prompts, dialogs and image loading. Its window layer calls the event
// entry points with editor coordinates and onFrameTick from a timer running every
// frameIntervalMs(); everything else follows from here.
//
// Threads: all of it runs on the user-interface thread, except that the plug-in
// pushes parameter values into the controls from any thread (see IControl).
class IGraphics : public IPlugEditor {
public:
    IGraphics(IPlugBase& plug, int width, int height, int framesPerSecond);
    ~IGraphics() override;
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    // --- the platform's part
    // Copies `area` of the surface to the window; without a window it does nothing.
    virtual bool presentArea(const PixelRect& area) = 0;
    // Invalidates `area` and repaints it at once (through draw).
    virtual void repaintArea(const PixelRect& area) = 0;
    // Measures a text: `area` keeps its anchor for the style's alignment and gets
    // the text's width and height.
    virtual bool textExtent(TextStyle& style, const char* text, PixelRect& area);
    virtual void abortTextField() = 0;
    // Replaces the editor by an empty one of the new size: every control is
    // deleted (the caller attaches controls again) and the host is told the size.
    virtual void setEditorSize(int width, int height);
    virtual bool hasWindow() const { return windowHandle() != nullptr; }
    virtual const char* backendName() const { return ""; }
    virtual int messageDialog(const char* text, const char* caption, int type) = 0;
    // Shows a menu under `anchor`; returns the menu in which an item was chosen (its
    // chosenIndex set), or null.
    virtual PopupMenu* runPopupMenu(PopupMenu& menu, const PixelRect& anchor) = 0;
    // Opens a text field over `area`; the window layer commits it with
    // acceptTextField. `param` is null for plain text.
    virtual void openTextField(IControl* control, const TextStyle& style, const PixelRect& area,
                               const char* text, const PlugParam* param) = 0;
    virtual void hostFolder(std::string& folder) = 0;
    virtual void moduleFolder(std::string& folder) = 0;
    virtual void desktopFolder(std::string& folder) = 0;
    virtual void settingsFolder(std::string& folder, bool systemWide) = 0;
    virtual void sandboxSettingsFolder(std::string& folder) = 0;
    // action 1 saves, anything else opens; extensions are separated by blanks.
    virtual void fileDialog(std::string& fileName, int action, std::string& directory, const char* extensions) = 0;
    virtual bool colorDialog(RgbaColor& color, const char* prompt) = 0;
    virtual bool launchBrowser(const char* url, const char* title, const char* confirmation, const char* error) = 0;
    // Who opens the pages launchBrowser asks for: the window layer sets its own, a
    // test one that opens nothing. Without one no page is opened.
    void setBrowserLauncher(std::unique_ptr<BrowserLauncher> launcher) { browserLauncher_ = std::move(launcher); }
    BrowserLauncher* browserLauncher() const { return browserLauncher_.get(); }
    void* attachWindow(void* parent) override = 0;
    void detachWindow() override = 0;
    virtual void* windowHandle() const = 0;
    virtual bool readClipboardText(std::string& text) = 0;
    virtual void concealPointer() {}
    virtual void revealPointer() {}
    // Decodes one of the module's images; the caller owns the result (null: none).
    virtual LICE_IBitmap* decodeImageResource(int resourceId, const char* name) = 0;

    // --- what the plug-in core asks of its editor
    void pushParamToControls(int paramIndex, double value, bool normalised) override;
    void allocateSurface() override;
    int width() const override { return width_; }
    int height() const override { return height_; }

    // --- building the editor
    // The background: inserted at index 0 ahead of every other control.
    void insertBackground(IControl* control);
    // Appends a control, which the editor owns from then on; returns its index.
    int addControl(IControl* control);
    // A film strip of one of the module's images, decoded at most once per process.
    BitmapStrip fetchStrip(int resourceId, const char* name, int frames);
    // Keys that no control takes go to this control; the editor owns it.
    void setFallbackKeyControl(IControl* control);
    // Strict drawing (the default) draws every visible control that meets the area;
    // otherwise each dirty control is redrawn with what lies under and over it.
    void setStrictDrawing(bool strict) { paintAllInArea_ = strict; }
    void setHoverTracking(bool on) { hoverTracking_ = on; }

    int controlCount() const { return controls_.Count(); }
    IControl* control(int index) const { return controls_.Get(index); }
    LICE_SysBitmap* surface() const { return backBuffer_.get(); }
    int frameIntervalMs() const { return 1000 / ticksPerSecond_; }
    int grabbedControl() const { return grabbedControl_; }
    int hoverControl() const { return hoverControl_; }

    // --- drawing
    // The union of the dirty controls' rectangles (empty when none is dirty).
    PixelRect dirtyArea() const;
    // The frame timer's work: repaints the dirty area, if any; true when it did.
    bool onFrameTick();
    // Marks every control dirty, so that the next tick paints the whole editor (a
    // window layer calls it when its window opens).
    void markAllChanged();
    // Draws the controls for `area` into the surface, then presents it.
    bool draw(const PixelRect& area);
    // The drawing pass alone, into the surface.
    void paintControls(const PixelRect& area);
    // Blits the strip's frame that starts at (sourceX, sourceY) to `dest`, clipped
    // to the pass's clip rectangle. A null blend composites by alpha at full weight.
    bool blitStrip(const BitmapStrip& strip, const PixelRect& dest, int sourceX, int sourceY,
                   const BlendSpec* blend);
    // Blits the frame of the strip that shows `value`.
    bool drawStripFrame(const BitmapStrip& strip, const PixelRect& dest, double value, const BlendSpec& blend);
    // Draws `text` in `area`, or with measureOnly sets `area` to the text's extent
    // (see textExtent). False when no font could be made.
    bool renderLabel(TextStyle& style, const char* text, PixelRect& area, bool measureOnly);

    // --- events from the window layer, in editor pixels
    void onMouseDown(int x, int y, const MouseMods& mods);
    void onMouseUp(int x, int y, const MouseMods& mods);
    void onMouseDrag(int x, int y, const MouseMods& mods);
    // True when the control took the double-click as a press and now holds the
    // gesture (the window layer then captures the mouse).
    bool onMouseDblClick(int x, int y, const MouseMods& mods);
    void onMouseWheel(int x, int y, const MouseMods& mods, int notches);
    bool onMouseOver(int x, int y, const MouseMods& mods);
    void onMouseOut();
    // False when no control took the key: the window layer passes it to the host.
    bool onKeyDown(int x, int y, KeyCode key);

    // --- prompts
    // Asks the user for a new value of `param` for `control`: a menu of the named
    // values for switches and lists, a text field otherwise.
    void askForValue(IControl* control, const PlugParam* param, const PixelRect* area);
    // Commits the text of a field opened by askForValue.
    void acceptTextField(IControl* control, const PlugParam* param, const char* text);

protected:
    // Ends the current gesture without telling any control (a menu took the mouse).
    void forgetGesture();
    IPlugBase& plug() const { return plug_; }

private:
    void paintStrict(const PixelRect& area);
    void paintDirty();
    // The topmost control at (x, y) that takes mouse events, or -1.
    int controlAt(int x, int y) const;
    int hoverTargetAt(int x, int y) const;
    IControl* keyTargetAt(int x, int y) const;
    void askWithMenu(IControl& control, const PlugParam& param, const PixelRect& area);
    void askWithTextField(IControl& control, const PlugParam& param, const PixelRect& area);

    IPlugBase& plug_;
    OwnedPtrList<IControl> controls_;
    PixelRect clipRect_;
    std::unique_ptr<LICE_SysBitmap> backBuffer_;
    int width_;
    int height_;
    int ticksPerSecond_;
    int grabbedControl_ = -1;
    int hoverControl_ = -1;
    int dragX_ = -1;
    int dragY_ = -1;
    // The press was the host's context menu: its release belongs to no gesture.
    bool releaseTakenByHostMenu_ = false;
    bool hoverTracking_ = false;
    bool paintAllInArea_ = true;
    std::unique_ptr<IControl> fallbackKeyControl_;
    std::unique_ptr<BrowserLauncher> browserLauncher_;
};
