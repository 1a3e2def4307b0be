#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/canvas.h"
#include "platform/test_pictures.h"
#include "platform/text.h"

namespace vxr::platform {
namespace {

const std::string kSongti = "宋体";
const std::string kKaiti = "楷体_GB2312";

FontLibrary& fonts() { return FontLibrary::instance(); }

int widthOf(const std::string& family, int points, bool bold, std::string_view text) {
    return fonts().face({family, points, bold, colors::black}).textWidth(decodeUtf8(text));
}

TEST(TextEncodingTest, DecodesUtf8IncludingChinese) {
    EXPECT_EQ(decodeUtf8("A封"), (std::u32string{U'A', U'封'}));
    EXPECT_EQ(decodeUtf8(kFullWidthFillUtf8), std::u32string(1, kFullWidthFill));
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98\x80"), std::u32string(1, U'\U0001F600'));
}

TEST(TextEncodingTest, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(decodeUtf8("a\xFF"
                         "b"),
              (std::u32string{U'a', U'\uFFFD', U'b'}));
    EXPECT_EQ(decodeUtf8("\xE5\xB0"), (std::u32string{U'\uFFFD', U'\uFFFD'}));                 // truncated
    EXPECT_EQ(decodeUtf8("\xC0\x80"), (std::u32string{U'\uFFFD', U'\uFFFD'}));                 // overlong
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), (std::u32string{U'\uFFFD', U'\uFFFD', U'\uFFFD'}));  // surrogate
}

TEST(TextEncodingTest, CountsBytesAsCodePage936Does) {
    EXPECT_EQ(cp936ByteCount(""), 0u);
    EXPECT_EQ(cp936ByteCount("C:\\IMG"), 6u);
    EXPECT_EQ(cp936ByteCount("封锁鼠标"), 8u);
    EXPECT_EQ(cp936ByteCount(std::string("ok") + std::string(kFullWidthFillUtf8) + std::string(kFullWidthFillUtf8)),
              6u);
}

TEST(FontSizeTest, PointsBecomeWindowsPixelSizes) {
    EXPECT_EQ(pixelsPerEm(7), 9);
    EXPECT_EQ(pixelsPerEm(8), 11);
    EXPECT_EQ(pixelsPerEm(9), 12);
    EXPECT_EQ(pixelsPerEm(11), 15);
    EXPECT_EQ(pixelsPerEm(13), 17);
}

struct AliasCase {
    std::string label;  // test names must be plain ASCII
    std::string family;
    bool bold;
    std::string expectedFamily;
};

class FontAliasTest : public ::testing::TestWithParam<AliasCase> {};

TEST_P(FontAliasTest, ResolvesToTheIntendedFamily) {
    const AliasCase& c = GetParam();
    const FontMatch match = fonts().configuration().requireMatch(c.family, 12, c.bold);
    EXPECT_EQ(match.family, c.expectedFamily) << match.file;
    EXPECT_TRUE(std::filesystem::exists(match.file)) << match.file;
}

INSTANTIATE_TEST_SUITE_P(FiveScreenFamilies, FontAliasTest,
                         ::testing::Values(AliasCase{"SansSerif", "Microsoft Sans Serif", false, "Liberation Sans"},
                                           AliasCase{"TahomaBold", "Tahoma", true, "Tahoma"},
                                           AliasCase{"GaramondBold", "Garamond", true, "EB Garamond"},
                                           AliasCase{"Songti", kSongti, false, "AR PL UMing CN"},
                                           AliasCase{"Kaiti", kKaiti, false, "AR PL KaitiM GB"}),
                         [](const ::testing::TestParamInfo<AliasCase>& info) { return info.param.label; });

TEST(FontAliasRulesTest, TahomaComesFromTheWineFontFolder) {
    const FontMatch match = fonts().configuration().match("Tahoma", 9, false);
    EXPECT_EQ(std::filesystem::path(match.file).parent_path(), "/usr/share/wine/fonts");
}

TEST(FontAliasRulesTest, BoldGaramondIsTheRealBoldFace) {
    const FontMatch regular = fonts().configuration().match("Garamond", 12, false);
    const FontMatch bold = fonts().configuration().match("Garamond", 12, true);
    EXPECT_NE(bold.file, regular.file);
    EXPECT_FALSE(bold.embolden);
}

TEST(FontAliasRulesTest, GeneratedConfigurationDeclaresEveryAlias) {
    const std::string xml = fontConfigXml(standardFontAliases(), extraFontFolders());
    for (const FontAlias& alias : standardFontAliases()) {
        EXPECT_NE(xml.find("<family>" + alias.family + "</family><accept>"), std::string::npos) << alias.family;
    }
    EXPECT_NE(xml.find("<dir>/usr/share/wine/fonts</dir>"), std::string::npos);
}

TEST(FontLibraryTest, MissingFontStopsWithTheDebianPackageName) {
    FontLibrary library({{"Imaginary Sans", {"No Such Font Qzx"}, "fonts-imaginary", false}});
    try {
        library.face({"Imaginary Sans", 7, false, colors::black});
        FAIL() << "a missing font was accepted";
    } catch (const FontMissingError& error) {
        EXPECT_NE(std::string(error.what()).find("fonts-imaginary"), std::string::npos) << error.what();
    }
    EXPECT_THROW(library.requireAliasedFonts(), FontMissingError);
}

TEST(FontLibraryTest, StandardFontsAreAllInstalled) { EXPECT_NO_THROW(fonts().requireAliasedFonts()); }

// Widths measured when the fonts were chosen; a pixel or two of drift
// between font releases is allowed.
TEST(TextWidthTest, KnownDialogTextsHaveTheirMeasuredWidths) {
    EXPECT_NEAR(widthOf("Microsoft Sans Serif", 7, false, "Proceed with disk clone?"), 103, 2);
    EXPECT_NEAR(widthOf("Tahoma", 7, false, "Proceed with disk clone?"), 101, 2);
    EXPECT_NEAR(widthOf(kSongti, 9, false, "封锁鼠标命令行"), 84, 2);
}

TEST(TextWidthTest, BoldIsWiderThanRegular) {
    EXPECT_GT(widthOf("Tahoma", 7, true, "Question: (1831)"), widthOf("Tahoma", 7, false, "Question: (1831)"));
    EXPECT_GT(widthOf(kSongti, 9, true, "封锁"), widthOf(kSongti, 9, false, "封锁"));
}

TEST(TextWidthTest, LargerSizesAreWiderAndTaller) {
    for (const std::string family : {"Microsoft Sans Serif", "Garamond", "楷体_GB2312"}) {
        int previousWidth = 0;
        int previousHeight = 0;
        for (int points = 7; points <= 13; points += 2) {
            const FontFace& face = fonts().face({family, points, false, colors::black});
            const int width = face.textWidth(decodeUtf8("Disk 原始"));
            EXPECT_GT(width, previousWidth) << family << " " << points;
            EXPECT_GE(face.height(), previousHeight) << family << " " << points;
            EXPECT_GE(face.height(), face.pixelsPerEm()) << family << " " << points;
            previousWidth = width;
            previousHeight = face.height();
        }
    }
}

TEST(GlyphTest, FullWidthFillIsABlankCellOneEmWide) {
    const FontFace& face = fonts().face({"Microsoft Sans Serif", 7, false, colors::black});
    const Glyph& fill = face.glyph(kFullWidthFill);
    EXPECT_EQ(fill.advance, 9);
    EXPECT_EQ(std::count(fill.mask.begin(), fill.mask.end(), 1), 0);
}

TEST(GlyphTest, ChineseInALatinFontComesFromTheChineseFace) {
    const FontFace& latin = fonts().face({"Microsoft Sans Serif", 9, false, colors::black});
    const FontFace& chinese = fonts().face({kSongti, 9, false, colors::black});
    ASSERT_FALSE(latin.hasGlyph(U'鼠'));
    const Glyph& borrowed = latin.glyph(U'鼠');
    EXPECT_EQ(borrowed.advance, chinese.glyph(U'鼠').advance);
    EXPECT_EQ(borrowed.mask, chinese.glyph(U'鼠').mask);
    EXPECT_GT(std::count(borrowed.mask.begin(), borrowed.mask.end(), 1), 10);
}

TEST(GlyphTest, GlyphsAreRenderedOnceAndCached) {
    const FontFace& face = fonts().face({"Tahoma", 7, true, colors::black});
    EXPECT_EQ(&face.glyph(U'Q'), &face.glyph(U'Q'));
    EXPECT_EQ(&fonts().face({"Tahoma", 7, true, colors::white}), &face);
}

TEST(GlyphTest, TextIsDrawnInTwoLevelsOnly) {
    Bitmap bitmap(200, 24, colors::white);
    Canvas canvas(bitmap);
    canvas.brush().style = BrushStyle::Clear;
    for (const std::string family : {"Microsoft Sans Serif", "Tahoma", "Garamond", "宋体", "楷体_GB2312"}) {
        canvas.font() = {family, 9, false, colors::black};
        canvas.textOut(0, 0, "Proceed 原始数据");
    }
    std::set<std::uint32_t> levels;
    for (Color c : bitmap.pixels()) levels.insert(c.toColorRef());
    EXPECT_EQ(levels, (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
}

TEST(GlyphTest, TextSitsOnABaselineInsideItsCell) {
    Bitmap bitmap(120, 30, colors::white);
    Canvas canvas(bitmap);
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::black};
    canvas.brush().style = BrushStyle::Clear;
    canvas.textOut(0, 10, "Hxg");
    const FontFace& face = fonts().face(canvas.font());
    int top = bitmap.height();
    int bottom = -1;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.pixel(x, y) == colors::black) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_GE(top, 10);
    EXPECT_LT(bottom, 10 + face.height());
    EXPECT_GT(bottom, 10 + face.ascent() - 1);  // the descender of g
}

}  // namespace
}  // namespace vxr::platform
