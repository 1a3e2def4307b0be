#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/dib.h"
#include "platform/jpeg.h"
#include "platform/png.h"
#include "platform/test_pictures.h"

namespace vxr::platform {
namespace {

struct Difference {
    double mean = 0;
};

// The mean absolute difference over all channels of two equal-sized pictures.
Difference compare(const Bitmap& a, const Bitmap& b) {
    long total = 0;
    const auto pa = a.pixels();
    const auto pb = b.pixels();
    for (std::size_t i = 0; i < pa.size(); ++i) {
        total += std::abs(pa[i].r - pb[i].r) + std::abs(pa[i].g - pb[i].g) + std::abs(pa[i].b - pb[i].b);
    }
    return {static_cast<double>(total) / static_cast<double>(pa.size() * 3)};
}

TEST(JpegTest, EncodeDecodeRoundTripStaysClose) {
    const Bitmap original = testing::gradientPicture(160, 120);
    JpegDecoder decoder;
    const Bitmap decoded = decoder.decode(encodeJpeg(original, 92));
    ASSERT_EQ(decoded.width(), 160);
    ASSERT_EQ(decoded.height(), 120);
    // Hard red edges lose some colour to chroma subsampling; the smooth
    // parts must come back almost exactly.
    EXPECT_LT(compare(original, decoded).mean, 3.0);
    for (Point p : {Point{40, 8}, Point{72, 40}, Point{120, 100}}) {
        const Color want = original.pixel(p.x, p.y);
        const Color got = decoded.pixel(p.x, p.y);
        EXPECT_NEAR(got.r, want.r, 6) << p.x << "," << p.y;
        EXPECT_NEAR(got.g, want.g, 6) << p.x << "," << p.y;
        EXPECT_NEAR(got.b, want.b, 6) << p.x << "," << p.y;
    }
}

TEST(JpegTest, QualityTradesSizeForFidelity) {
    const Bitmap original = testing::gradientPicture(160, 120);
    const auto rough = encodeJpeg(original, 20);
    const auto fine = encodeJpeg(original, 95);
    EXPECT_LT(rough.size(), fine.size());
    JpegDecoder decoder;
    EXPECT_GT(compare(original, decoder.decode(rough)).mean, compare(original, decoder.decode(fine)).mean);
}

TEST(JpegTest, OneDecoderServesManyPicturesAndSurvivesBadData) {
    JpegDecoder decoder;
    const auto big = encodeJpeg(testing::gradientPicture(640, 480), 90);
    const auto small = encodeJpeg(testing::swatchPicture(), 90);
    std::vector<std::uint8_t> broken(big.begin(), big.begin() + 200);
    broken[2] = 0x00;  // no longer a marker
    EXPECT_EQ(decoder.decode(big).width(), 640);
    EXPECT_THROW(decoder.decode(broken), JpegError);
    EXPECT_THROW(decoder.decode({}), JpegError);
    const Bitmap swatch = decoder.decode(small);
    EXPECT_EQ(swatch.width(), 5);
    EXPECT_EQ(swatch.height(), 3);
    EXPECT_EQ(decoder.decode(big).height(), 480);
}

// A 3 x 2 DIB written out by hand: bottom row first, blue-green-red bytes,
// each 9-byte row padded to 12 with bytes that must be ignored.
std::vector<std::uint8_t> handMadeDib(int storedHeight) {
    std::vector<std::uint8_t> dib = {40, 0, 0, 0, 3, 0, 0, 0};
    for (int shift = 0; shift < 32; shift += 8) dib.push_back(static_cast<std::uint8_t>(storedHeight >> shift));
    dib.insert(dib.end(), {1, 0, 24, 0});
    dib.resize(40, 0);
    const std::vector<std::uint8_t> firstStored = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 0xEE, 0xEE};
    const std::vector<std::uint8_t> secondStored = {10, 20, 30, 40, 50, 60, 70, 80, 90, 0xEE, 0xEE, 0xEE};
    dib.insert(dib.end(), firstStored.begin(), firstStored.end());
    dib.insert(dib.end(), secondStored.begin(), secondStored.end());
    return dib;
}

TEST(DibTest, DecodesBottomUpRowsWithPadding) {
    const Bitmap bitmap = decodeDib(handMadeDib(2));
    ASSERT_EQ(bitmap.width(), 3);
    ASSERT_EQ(bitmap.height(), 2);
    EXPECT_EQ(bitmap.pixel(0, 1), (Color{255, 0, 0}));
    EXPECT_EQ(bitmap.pixel(1, 1), (Color{0, 255, 0}));
    EXPECT_EQ(bitmap.pixel(2, 1), (Color{0, 0, 255}));
    EXPECT_EQ(bitmap.pixel(0, 0), (Color{30, 20, 10}));
    EXPECT_EQ(bitmap.pixel(2, 0), (Color{90, 80, 70}));
}

TEST(DibTest, NegativeHeightMeansTopDown) {
    const Bitmap bitmap = decodeDib(handMadeDib(-2));
    EXPECT_EQ(bitmap.pixel(0, 0), (Color{255, 0, 0}));
    EXPECT_EQ(bitmap.pixel(2, 1), (Color{90, 80, 70}));
}

TEST(DibTest, AcceptsABitmapFileHeader) {
    std::vector<std::uint8_t> file = {'B', 'M'};
    file.resize(14, 0);
    const auto dib = handMadeDib(2);
    file.insert(file.end(), dib.begin(), dib.end());
    EXPECT_EQ(decodeDib(file), decodeDib(dib));
}

TEST(DibTest, RejectsWhatItCannotRead) {
    auto dib = handMadeDib(2);
    EXPECT_THROW(decodeDib(std::span(dib).first(30)), DibError);
    EXPECT_THROW(decodeDib(std::span(dib).first(dib.size() - 1)), DibError);
    dib[14] = 32;
    EXPECT_THROW(decodeDib(dib), DibError);
    dib[14] = 24;
    dib[16] = 1;  // run-length compressed
    EXPECT_THROW(decodeDib(dib), DibError);
}

TEST(DibTest, EncodedDibDecodesToTheSamePicture) {
    const Bitmap swatch = testing::swatchPicture();
    const auto dib = encodeDib(swatch);
    EXPECT_EQ(dib.size(), 40u + 3 * 16);  // 15 bytes a row, padded to 16
    EXPECT_EQ(decodeDib(dib), swatch);
}

TEST(PngTest, EncodedPngDecodesToTheSamePicture) {
    const Bitmap picture = testing::gradientPicture(33, 17);
    const auto png = encodePng(picture);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    const auto decoded = decodePng(png);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, picture);
    EXPECT_FALSE(decodePng(std::span(png).first(png.size() / 2)).has_value());
}

TEST(PngTest, OpacityMakesAnRgbaPngWithTheSameColoursAndAWrongCountMakesNone) {
    const Bitmap picture = testing::gradientPicture(5, 3);
    const std::vector<std::uint8_t> alpha(15, 128);
    const auto png = encodePng(picture, alpha);
    ASSERT_GT(png.size(), 26u);
    constexpr std::size_t kColourTypeOffset = 25;  // signature 8, chunk head 8, width, height, depth
    EXPECT_EQ(png[kColourTypeOffset], 6);          // RGBA
    EXPECT_EQ(decodePng(png), picture);
    EXPECT_TRUE(encodePng(picture, std::span(alpha).first(14)).empty());
}

}  // namespace
}  // namespace vxr::platform
