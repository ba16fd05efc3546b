#include <gtest/gtest.h>

#include "assetgen_test_support.h"
#include "params.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

Params ParseRecipe(const std::string& text) {
    return Params::Parse(text, "recipe.txt");
}

TEST(AssetgenParams, ReadsNumbersListsColoursAndWords) {
    const Params params = ParseRecipe(
        "# a recipe\n"
        "seed = 42\n"
        "radius = 1.5 2 -3   # a comment\n"
        "ramp = ffffff 10203a\n"
        "name=blast\n");
    EXPECT_EQ(params.Integer("seed", 0, 100), 42);
    EXPECT_EQ(params.Numbers("radius", 3, -5, 5), (std::vector<double>{1.5, 2, -3}));
    EXPECT_EQ(params.Colours("ramp", 0), (std::vector<Rgb>{{255, 255, 255}, {0x10, 0x20, 0x3a}}));
    EXPECT_EQ(params.Word("name"), "blast");
    EXPECT_EQ(params.PlaceOf("ramp").Line, 4);
    EXPECT_EQ(ErrorOf([&] { params.RejectUnread(); }), "");
}

TEST(AssetgenParams, RangesIncludeTheirEnds) {
    const Params params = ParseRecipe("low = 0\nhigh = 10\nover = 10.001\nunder = -1\n");
    EXPECT_EQ(params.Integer("low", 0, 10), 0);
    EXPECT_EQ(params.Integer("high", 0, 10), 10);
    EXPECT_NE(ErrorOf([&] {
                  params.Number("over", 0, 10);
              }).find("recipe.txt:3: over must lie within 0 .. 10, not 10.001"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { params.Integer("under", 0, 10); }).find("recipe.txt:4:"),
              std::string::npos);
}

TEST(AssetgenParams, RejectsWrongCountsAndTypes) {
    const Params params = ParseRecipe("pair = 1 2\nfraction = 0.5\ncolour = fffff\n");
    EXPECT_NE(
        ErrorOf([&] { params.Numbers("pair", 3, 0, 9); }).find("pair needs 3 value(s), got 2"),
        std::string::npos);
    EXPECT_NE(
        ErrorOf([&] { params.Integer("fraction", 0, 9); }).find("fraction must be a whole number"),
        std::string::npos);
    EXPECT_NE(ErrorOf([&] { params.Colour("colour"); }).find("six hex digits"), std::string::npos);
    EXPECT_NE(ErrorOf([&] {
                  params.Number("nowhere", 0, 9);
              }).find("recipe.txt: missing 'nowhere = ...'"),
              std::string::npos);
}

TEST(AssetgenParams, RejectsMalformedLines) {
    EXPECT_NE(
        ErrorOf([] { ParseRecipe("seed 42\n"); }).find("recipe.txt:1: expected 'key = value'"),
        std::string::npos);
    EXPECT_NE(ErrorOf([] { ParseRecipe("\nseed =\n"); }).find("recipe.txt:2:"), std::string::npos);
    EXPECT_NE(ErrorOf([] { ParseRecipe("two words = 1\n"); }).find("expected"), std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  ParseRecipe("seed = 1\nseed = 2\n");
              }).find("recipe.txt:2: seed is given twice (first on line 1)"),
              std::string::npos);
}

TEST(AssetgenParams, UnreadKeysAreReportedAsUnknown) {
    const Params params = ParseRecipe("seed = 1\nsede = 2\n");
    params.Integer("seed", 0, 9);
    EXPECT_NE(ErrorOf([&] { params.RejectUnread(); }).find("recipe.txt:2: unknown key 'sede'"),
              std::string::npos);
}

}  // namespace
}  // namespace assetgen
