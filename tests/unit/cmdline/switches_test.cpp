#include <gtest/gtest.h>

#include "cmdline/switches.h"

namespace vxr::cmdline {
namespace {

class Switches : public ::testing::Test {
protected:
    layout::Msg parse(const std::string& text) { return ParseSwitch(text, options, state, token); }
    model::OptionWords options;
    model::OperationState state;
    std::string token;
};

TEST_F(Switches, CompressionLevels) {
    EXPECT_EQ(parse("Z"), layout::Msg::None);
    EXPECT_DOUBLE_EQ(state.CompressionFactor, 0.5);
    EXPECT_EQ(parse("Z2"), layout::Msg::None);
    EXPECT_DOUBLE_EQ(state.CompressionFactor, 0.40);
    EXPECT_EQ(parse("Z9"), layout::Msg::None);
    EXPECT_DOUBLE_EQ(state.CompressionFactor, 0.33);
    EXPECT_EQ(parse("Z1"), layout::Msg::None);
    EXPECT_DOUBLE_EQ(state.CompressionFactor, 0.5);
    for (const char* bad : {"Z0", "Z10", "ZZ", "ZA"}) {
        EXPECT_EQ(parse(bad), layout::Msg::InvalidSwitch) << bad;
        EXPECT_EQ(token, bad);
    }
}

TEST_F(Switches, PasswordsAndOptionBitsOnlyEverSet) {
    EXPECT_EQ(parse("PWD=secret"), layout::Msg::None);
    EXPECT_EQ(state.ImagePassword, "SECRET");
    EXPECT_TRUE(options.imagePassword());
    EXPECT_EQ(parse("PWD="), layout::Msg::None);
    EXPECT_EQ(state.ImagePassword, "");
    EXPECT_TRUE(options.imagePassword());
    options.setWord(3, 0x8);
    EXPECT_EQ(parse("SURE"), layout::Msg::None);
    EXPECT_EQ(parse("SURE"), layout::Msg::None);
    EXPECT_EQ(options.word(3), 0x9);
    EXPECT_EQ(parse("F32"), layout::Msg::None);
    EXPECT_TRUE(options.fat32Conversion());
    state.ImagePassword = "KEEP";
    EXPECT_EQ(parse("PWD"), layout::Msg::None);
    EXPECT_EQ(state.ImagePassword, "KEEP");
    EXPECT_EQ(parse("SUREX"), layout::Msg::InvalidSwitch);
    EXPECT_EQ(token, "SUREX");
}

}  // namespace
}  // namespace vxr::cmdline
