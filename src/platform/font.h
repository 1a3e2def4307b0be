#pragma once
// Fonts as the screens name them ("Microsoft Sans Serif", "Tahoma",
// "Garamond", "宋体", "楷体_GB2312"), found through fontconfig under our alias
// rules and rendered bilevel by FreeType at the sizes a 96 dpi Windows
// screen uses. Glyphs are rendered once per face, size and weight and cached.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/color.h"
#include "platform/font_aliases.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace vxr::platform {

struct Font {
    std::string family = "Microsoft Sans Serif";
    int points = 8;
    bool bold = false;
    Color color = colors::black;
};

// Pixels per em at 96 dpi: round(points * 96 / 72), so 7 pt is 9 px.
constexpr int pixelsPerEm(int points) { return (points * 96 + 36) / 72; }

// One rendered character. `mask` holds width x height bytes, 1 where ink is.
struct Glyph {
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int width = 0;
    int height = 0;
    int advance = 0;  // how far the pen moves, in whole pixels
    std::vector<std::uint8_t> mask;
};

// A font file opened at one pixel size and weight.
class FontFace {
public:
    FontFace(FT_LibraryRec_* freetype, const FontMatch& match, int pixelsPerEm, const FontFace* fallback);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& family() const { return match_.family; }
    const std::string& file() const { return match_.file; }
    int pixelsPerEm() const { return pixelsPerEm_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int height() const { return ascent_ + descent_; }

    bool hasGlyph(char32_t c) const;
    // Characters this face lacks come from the fallback face (the Chinese
    // face for Latin fonts); the full-width fill is a blank em-wide cell.
    const Glyph& glyph(char32_t c) const;
    int textWidth(std::u32string_view text) const;

private:
    Glyph render(char32_t c) const;
    void computeMetrics();

    FontMatch match_;
    int pixelsPerEm_;
    const FontFace* fallback_;
    FT_FaceRec_* face_ = nullptr;
    int ascent_ = 0;
    int descent_ = 0;
    std::int32_t loadFlags_ = 0;  // FreeType glyph loading: bilevel, hinter choice
    mutable std::unordered_map<char32_t, Glyph> glyphs_;
};

// Owns the font configuration and every opened face. One per process via
// instance(); tests may build their own with other alias tables.
class FontLibrary {
public:
    explicit FontLibrary(std::vector<FontAlias> aliases = standardFontAliases());
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    static FontLibrary& instance();

    // The face for a font; throws FontMissingError when an aliased family
    // resolves to none of the fonts it accepts.
    const FontFace& face(const Font& font);
    // Checks every aliased family, regular and bold, so that a missing font
    // stops the program at start rather than showing blanks later.
    void requireAliasedFonts();
    const FontConfiguration& configuration() const { return *configuration_; }

private:
    const FontFace* fallbackFor(const Font& font);

    std::unique_ptr<FontConfiguration> configuration_;
    FT_LibraryRec_* freetype_ = nullptr;
    std::unordered_map<std::string, std::unique_ptr<FontFace>> faces_;
};

}  // namespace vxr::platform
