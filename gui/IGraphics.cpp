#include "IGraphics.h"

#include <algorithm>
#include <cmath>

#include "BitmapCache.h"
#include "BlitBitmap.h"

IGraphics::IGraphics(IPlugBase& plug, int width, int height, int framesPerSecond)
    : plug_(plug), width_(width), height_(height), ticksPerSecond_(std::max(framesPerSecond, 1))
{
}

// Platform classes close their window in their own destructor.
IGraphics::~IGraphics()
{
    fallbackKeyControl_.reset();
    controls_.Clear();  // last to first
    backBuffer_.reset();
}

void IGraphics::setEditorSize(int width, int height)
{
    width_ = width;
    height_ = height;
    forgetGesture();
    controls_.Clear();
    backBuffer_.reset();
    allocateSurface();
    plug_.EditorResized(width, height);
}

// A value that is not a number would reach a control's frame arithmetic; the
// controls keep what they show instead.
void IGraphics::pushParamToControls(int paramIndex, double value, bool normalised)
{
    if (!normalised) {
        const PlugParam* param = plug_.Param(paramIndex);
        if (!param) return;
        value = param->ToUnit(value);
    }
    if (std::isnan(value)) return;
    for (int i = 0; i < controls_.Count(); ++i) {
        IControl* control = controls_.Get(i);
        if (control->paramIndex() == paramIndex) control->takeParamValue(value);
        for (int entry = 0; entry < control->extraParamCount(); ++entry) {
            if (control->extraParam(entry)->paramIndex == paramIndex) {
                control->takeExtraParamValue(entry, value);
                break;
            }
        }
    }
}

void IGraphics::allocateSurface()
{
    backBuffer_ = std::make_unique<LICE_SysBitmap>();
    backBuffer_->Resize(width_, height_);
}

void IGraphics::insertBackground(IControl* control)
{
    if (!control) return;
    control->attachTo(*this);
    controls_.Insert(0, control);
}

int IGraphics::addControl(IControl* control)
{
    if (!control) return -1;
    control->attachTo(*this);
    return controls_.Append(control) ? controls_.Count() - 1 : -1;
}

BitmapStrip IGraphics::fetchStrip(int resourceId, const char* name, int frames)
{
    BitmapCache& cache = SharedBitmapCache();
    LICE_IBitmap* image = cache.find(resourceId);
    if (!image) {
        // Decoded outside the cache's lock: another editor may decode it meanwhile.
        image = decodeImageResource(resourceId, name);
        if (image) cache.add(resourceId, image);
    }
    BitmapStrip strip;
    strip.image = image;
    strip.width = image ? image->Width() : 0;
    strip.height = image ? image->Height() : 0;
    strip.frames = frames;
    return strip;
}

void IGraphics::setFallbackKeyControl(IControl* control)
{
    if (control) control->attachTo(*this);
    fallbackKeyControl_.reset(control);
}

PixelRect IGraphics::dirtyArea() const
{
    PixelRect area;
    for (int i = 0; i < controls_.Count(); ++i) {
        const IControl* control = controls_.Get(i);
        if (control->needsPaint()) area.unionWith(control->rect());
    }
    return area;
}

bool IGraphics::onFrameTick()
{
    const PixelRect area = dirtyArea();
    if (area.isEmpty()) return false;
    repaintArea(area);
    return true;
}

void IGraphics::markAllChanged()
{
    for (int i = 0; i < controls_.Count(); ++i) controls_.Get(i)->markChanged(false);
}

bool IGraphics::draw(const PixelRect& area)
{
    if (controls_.Count() == 0) return true;
    paintControls(area);
    return presentArea(area);
}

void IGraphics::paintControls(const PixelRect& area)
{
    if (paintAllInArea_) paintStrict(area);
    else paintDirty();
}

void IGraphics::paintStrict(const PixelRect& area)
{
    clipRect_ = area;
    for (int i = 0; i < controls_.Count(); ++i) {
        IControl* control = controls_.Get(i);
        if (!control->hidden() && area.meets(control->rect())) control->draw(*this);
        control->markPainted();
    }
}

// A dirty background repaints everything; otherwise each dirty control is redrawn
// inside its own rectangle together with the controls below and above it.
void IGraphics::paintDirty()
{
    IControl* background = controls_.Get(0);
    if (!background) return;
    if (background->needsPaint()) {
        clipRect_ = background->rect();
        for (int i = 0; i < controls_.Count(); ++i) {
            IControl* control = controls_.Get(i);
            if (i > 0 && control->hidden()) continue;
            control->draw(*this);
            control->markPainted();
        }
        return;
    }
    for (int i = 1; i < controls_.Count(); ++i) {
        IControl* dirty = controls_.Get(i);
        if (!dirty->needsPaint()) continue;
        clipRect_ = dirty->rect();
        for (int j = 0; j < controls_.Count(); ++j) {
            IControl* control = controls_.Get(j);
            if (!control->hidden() && (j == i || control->rect().meets(clipRect_))) control->draw(*this);
        }
        dirty->markPainted();
    }
}

bool IGraphics::blitStrip(const BitmapStrip& strip, const PixelRect& dest, int sourceX, int sourceY,
                          const BlendSpec* blend)
{
    PixelRect clipped;
    if (dest.meets(clipRect_)) {
        clipped = {std::max(dest.left, clipRect_.left), std::max(dest.top, clipRect_.top),
                   std::min(dest.right, clipRect_.right), std::min(dest.bottom, clipRect_.bottom)};
    }
    const int left = sourceX + clipped.left - dest.left;
    const int top = sourceY + clipped.top - dest.top;
    const LICE_Rect source = {left, top, left + clipped.width(), top + clipped.height()};
    BlitBitmap(backBuffer_.get(), strip.image, clipped.left, clipped.top, &source, blend ? blend->weight : 1.0f,
               BlitModeOf(blend));
    return true;
}

bool IGraphics::drawStripFrame(const BitmapStrip& strip, const PixelRect& dest, double value,
                               const BlendSpec& blend)
{
    const int offset = strip.sourceOffset(strip.frameFor(value));
    return strip.horizontal ? blitStrip(strip, dest, offset, 0, &blend) : blitStrip(strip, dest, 0, offset, &blend);
}

void IGraphics::forgetGesture()
{
    grabbedControl_ = -1;
    dragX_ = dragY_ = -1;
}
