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

// One FreeType library serves every face; it lives while any face does. FreeType
// needs face creation and release on one library serialised.
std::mutex libraryMutex;
FT_Library library = nullptr;
int faceCount = 0;

struct FontFile {
    std::string path;
    int index = 0;
};

// Asks fontconfig for the installed face that best matches: a face the machine
// lacks (such as "Verdana") falls back to the configured substitute.
bool findFontFile(const PlatformFontSpec& spec, FontFile& file)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    if (spec.face && *spec.face) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(spec.face));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(spec.weight, 1, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, spec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, spec.height);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
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
    std::lock_guard<std::mutex> lock(libraryMutex);
    if (!library && FT_Init_FreeType(&library)) library = nullptr;
    if (!library) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face)) face = nullptr;
    if (face) ++faceCount;
    return face;
}

void closeFace(FT_Face face)
{
    std::lock_guard<std::mutex> lock(libraryMutex);
    FT_Done_Face(face);
    if (--faceCount > 0) return;
    FT_Done_FreeType(library);
    library = nullptr;
}

bool sizeCell(FT_Face face, int height)
{
    if (!FT_IS_SCALABLE(face)) return false;
    FT_Size_RequestRec request = {FT_SIZE_REQUEST_TYPE_REAL_DIM, 0, FT_Long(height) * 64, 0, 0};
    return FT_Request_Size(face, &request) == 0;
}

NativeFont* describe(FT_Face face, const PlatformFontSpec& spec)
{
    const FT_Size_Metrics& metrics = face->size->metrics;
    const bool monochrome = spec.quality == 1;
    return new (std::nothrow) NativeFont{
        face,
        int((metrics.ascender - metrics.descender) >> 6),
        int(metrics.ascender >> 6),
        FT_LOAD_DEFAULT | (monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL),
        monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL,
        spec.weight >= kBoldWeight && !(face->style_flags & FT_STYLE_FLAG_BOLD),
        spec.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC),
    };
}

} // namespace

LICE_FontHandle CreatePlatformFont(const PlatformFontSpec& spec)
{
    if (spec.height <= 0 || spec.height > kMaxHeight) return nullptr;
    FontFile file;
    if (!findFontFile(spec, file)) return nullptr;
    FT_Face face = openFace(file);
    if (!face) return nullptr;
    NativeFont* font = sizeCell(face, spec.height) ? describe(face, spec) : nullptr;
    if (!font) closeFace(face);
    return font;
}

void DeletePlatformFont(LICE_FontHandle handle)
{
    NativeFont* font = NativeFontFrom(handle);
    if (!font) return;
    closeFace(font->face);
    delete font;
}
