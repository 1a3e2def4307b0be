#include "platform/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <cmath>

#include "platform/text.h"

namespace vxr::platform {

namespace {

// The family that supplies Chinese characters to faces that lack them, as a
// Chinese Windows links its default Chinese font behind Latin fonts.
constexpr const char* kFallbackFamily = "宋体";

int roundedPixels(FT_Pos value26dot6) { return static_cast<int>((value26dot6 + 32) >> 6); }

int scaledFontUnits(long units, int pixelsPerEm, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelsPerEm / unitsPerEm));
}

FT_ULong sfntTableSize(FT_Face face, FT_ULong tag) {
    FT_ULong size = 0;
    return FT_Load_Sfnt_Table(face, tag, 0, nullptr, &size) == 0 ? size : 0;
}

// Bilevel glyphs from TrueType outlines need hinting to keep thin strokes
// whole. Fonts whose font program is too small to hint anything (some
// Chinese fonts, and the clones that rely on bitmap strikes) get FreeType's
// automatic hinter instead; well-hinted fonts and CFF fonts keep their own
// hints, which also keeps their widths as measured.
FT_Int32 glyphLoadFlags(FT_Face face) {
    constexpr FT_ULong kSmallestRealFontProgram = 64;
    FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
    const bool trueTypeOutlines = FT_IS_SFNT(face) && sfntTableSize(face, TTAG_glyf) > 0;
    const FT_ULong program = sfntTableSize(face, TTAG_fpgm) + sfntTableSize(face, TTAG_prep);
    if (trueTypeOutlines && program < kSmallestRealFontProgram) flags |= FT_LOAD_FORCE_AUTOHINT;
    return flags;
}

// Copies a rendered FreeType bitmap as a 0/1 mask; grey strikes are
// thresholded at half coverage.
std::vector<std::uint8_t> maskFromBitmap(const FT_Bitmap& bitmap) {
    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t* target = mask.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                target[x] = (source[x >> 3] >> (7 - (x & 7))) & 1;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                target[x] = source[x] >= 128 ? 1 : 0;
            }
        }
    }
    return mask;
}

// Synthetic bold as Windows does it for fonts without a bold face: every
// stroke is widened by one pixel to the right and the advance grows by one.
void embolden(Glyph& glyph) {
    const int width = glyph.width + 1;
    std::vector<std::uint8_t> wider(static_cast<std::size_t>(width) * static_cast<std::size_t>(glyph.height));
    for (int y = 0; y < glyph.height; ++y) {
        const std::uint8_t* source = glyph.mask.data() + static_cast<std::size_t>(y * glyph.width);
        std::uint8_t* target = wider.data() + static_cast<std::size_t>(y * width);
        for (int x = 0; x < glyph.width; ++x) {
            target[x] |= source[x];
            target[x + 1] |= source[x];
        }
    }
    glyph.mask = std::move(wider);
    glyph.width = width;
    glyph.advance += 1;
}

std::string faceKey(const Font& font) {
    return font.family + '\n' + std::to_string(font.points) + (font.bold ? "b" : "r");
}

}  // namespace

FontFace::FontFace(FT_LibraryRec_* freetype, const FontMatch& match, int pixelsPerEm, const FontFace* fallback)
    : match_(match), pixelsPerEm_(pixelsPerEm), fallback_(fallback) {
    if (FT_New_Face(freetype, match_.file.c_str(), match_.index, &face_) != 0) {
        throw FontMissingError("cannot open the font file " + match_.file);
    }
    // An exact bitmap strike of this size, where the font has one, is used
    // in preference to the outlines when glyphs are loaded.
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelsPerEm_)) != 0) {
        FT_Done_Face(face_);
        throw FontMissingError("cannot size the font file " + match_.file);
    }
    computeMetrics();
    loadFlags_ = glyphLoadFlags(face_);
}

FontFace::~FontFace() { FT_Done_Face(face_); }

// Ascent and descent come from the Windows metrics of the OS/2 table, as
// Windows computes a font's cell height from them.
void FontFace::computeMetrics() {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 != nullptr && face_->units_per_EM != 0 && os2->usWinAscent != 0) {
        ascent_ = scaledFontUnits(os2->usWinAscent, pixelsPerEm_, face_->units_per_EM);
        descent_ = scaledFontUnits(os2->usWinDescent, pixelsPerEm_, face_->units_per_EM);
        return;
    }
    ascent_ = roundedPixels(face_->size->metrics.ascender);
    descent_ = -roundedPixels(face_->size->metrics.descender);
}

bool FontFace::hasGlyph(char32_t c) const { return FT_Get_Char_Index(face_, c) != 0; }

const Glyph& FontFace::glyph(char32_t c) const {
    auto it = glyphs_.find(c);
    if (it == glyphs_.end()) it = glyphs_.emplace(c, render(c)).first;
    return it->second;
}

Glyph FontFace::render(char32_t c) const {
    if (c == kFullWidthFill) return Glyph{0, 0, 0, 0, pixelsPerEm_, {}};
    const FT_UInt index = FT_Get_Char_Index(face_, c);
    if (index == 0 && fallback_ != nullptr && fallback_->hasGlyph(c)) return fallback_->glyph(c);
    // Index 0 draws the font's box for a missing character.
    if (FT_Load_Glyph(face_, index, loadFlags_) != 0) return {};
    const FT_GlyphSlot slot = face_->glyph;
    Glyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.advance = roundedPixels(slot->advance.x);
    glyph.mask = maskFromBitmap(slot->bitmap);
    if (match_.embolden) embolden(glyph);
    return glyph;
}

int FontFace::textWidth(std::u32string_view text) const {
    int width = 0;
    for (char32_t c : text) width += glyph(c).advance;
    return width;
}

FontLibrary::FontLibrary(std::vector<FontAlias> aliases)
    : configuration_(std::make_unique<FontConfiguration>(std::move(aliases))) {
    if (FT_Init_FreeType(&freetype_) != 0) throw FontMissingError("cannot start FreeType");
}

FontLibrary::~FontLibrary() {
    faces_.clear();
    FT_Done_FreeType(freetype_);
}

FontLibrary& FontLibrary::instance() {
    static FontLibrary library;
    return library;
}

const FontFace& FontLibrary::face(const Font& font) {
    const std::string key = faceKey(font);
    if (auto it = faces_.find(key); it != faces_.end()) return *it->second;
    const int pixels = pixelsPerEm(font.points);
    const FontMatch match = configuration_->requireMatch(font.family, pixels, font.bold);
    const FontFace* fallback = fallbackFor(font);
    auto face = std::make_unique<FontFace>(freetype_, match, pixels, fallback);
    return *faces_.emplace(key, std::move(face)).first->second;
}

const FontFace* FontLibrary::fallbackFor(const Font& font) {
    if (font.family == kFallbackFamily) return nullptr;
    Font fallback = font;
    fallback.family = kFallbackFamily;
    return &face(fallback);
}

void FontLibrary::requireAliasedFonts() {
    for (const FontAlias& alias : configuration_->aliases()) {
        for (bool bold : {false, true}) configuration_->requireMatch(alias.family, pixelsPerEm(9), bold);
    }
}

}  // namespace vxr::platform
