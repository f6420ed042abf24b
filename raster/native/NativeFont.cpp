#include "NativeFont.h"

#include "PlatformFont.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <string>

namespace {

// Faces beyond this height would need glyph masks of tens of megabytes.
constexpr int kMaxHeight = 4096;
constexpr int kBoldWeight = 600;

// FreeType and fontconfig for every face of the process: set up with the first
// face and released with the last. The fontconfig configuration is our own, not
// the process's default, so that a host's own use of fontconfig is never
// disturbed, and nothing of it outlives the fonts. FreeType needs creating and
// releasing faces of one library serialised.
struct Engine {
    FT_Library library = nullptr;
    FcConfig* config = nullptr;
    int faces = 0;
};
std::mutex engineMutex;
Engine engine;

void releaseEngine()
{
    if (engine.library) FT_Done_FreeType(engine.library);
    if (engine.config) FcConfigDestroy(engine.config);
    engine = Engine{};
}

// Counts a face about to be made; false when the engine cannot be set up.
bool acquireEngine()
{
    std::lock_guard<std::mutex> lock(engineMutex);
    if (engine.faces == 0) {
        engine.config = FcInitLoadConfigAndFonts();
        if (!engine.config || FT_Init_FreeType(&engine.library)) {
            engine.library = nullptr;
            releaseEngine();
            return false;
        }
    }
    ++engine.faces;
    return true;
}

// Forgets a face (closing it, if there is one); the last one releases the engine.
void releaseFace(FT_Face face)
{
    std::lock_guard<std::mutex> lock(engineMutex);
    if (face) FT_Done_Face(face);
    if (--engine.faces == 0) releaseEngine();
}

struct FontFile {
    std::string path;
    int index = 0;
};

// Asks fontconfig for the installed face that best matches: a face the machine
// lacks (such as "Verdana") falls back to the configured substitute.
bool findFontFile(const PlatformFontRequest& request, FontFile& file)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    if (request.face && *request.face) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.face));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(request.weight, 1, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, request.height);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(engine.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(engine.config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;

    FcChar8* path = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) file.path = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &file.index) != FcResultMatch) file.index = 0;
    FcPatternDestroy(match);
    return found;
}

FT_Face openFace(const FontFile& file)
{
    std::lock_guard<std::mutex> lock(engineMutex);
    FT_Face face = nullptr;
    if (FT_New_Face(engine.library, file.path.c_str(), file.index, &face)) face = nullptr;
    return face;
}

bool sizeCell(FT_Face face, int height)
{
    if (!FT_IS_SCALABLE(face)) return false;
    FT_Size_RequestRec request = {FT_SIZE_REQUEST_TYPE_REAL_DIM, 0, FT_Long(height) * 64, 0, 0};
    return FT_Request_Size(face, &request) == 0;
}

NativeFont* describe(FT_Face face, const PlatformFontRequest& request)
{
    const FT_Size_Metrics& metrics = face->size->metrics;
    const bool monochrome = request.quality == 1;
    return new (std::nothrow) NativeFont{
        face,
        int((metrics.ascender - metrics.descender) >> 6),
        int(metrics.ascender >> 6),
        FT_LOAD_DEFAULT | (monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL),
        monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL,
        request.weight >= kBoldWeight && !(face->style_flags & FT_STYLE_FLAG_BOLD),
        request.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC),
    };
}

} // namespace

LICE_FontHandle CreatePlatformFont(const PlatformFontRequest& request)
{
    if (request.height <= 0 || request.height > kMaxHeight || !acquireEngine()) return nullptr;
    FontFile file;
    FT_Face face = findFontFile(request, file) ? openFace(file) : nullptr;
    NativeFont* font = face && sizeCell(face, request.height) ? describe(face, request) : nullptr;
    if (!font) releaseFace(face);
    return font;
}

void DeletePlatformFont(LICE_FontHandle handle)
{
    NativeFont* font = NativeFontFrom(handle);
    if (!font) return;
    releaseFace(font->face);
    delete font;
}
