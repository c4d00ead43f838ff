// Tests of the program-wide records: the defaults of the options block and the rule between
// the two orientation options, both palette schemes and the section colours, and the symbol
// sizes derived from the work box.
#include "numeric/Mfx3dBox.h"
#include "views/core/ProgramOptions.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace velmor {
namespace {

TEST(ProgramRecordsOptions, DefaultsOfEverySlot)
{
    const ProgramOptions options;
    const std::array<std::int32_t, kOptionCount> expected = {0, 0, 0, 0, 1, 1, 0, 0,
                                                             1, 1, 1, 1, 1, 1, 0, 1};
    EXPECT_EQ(options.Slots(), expected);
    EXPECT_TRUE(options.TextForm());
    EXPECT_FALSE(options.BlackBackground());
}

TEST(ProgramRecordsOptions, ReadOnlyDefaultsAreTheDefaults)
{
    EXPECT_EQ(DefaultOptions(), ProgramOptions());
}

TEST(ProgramRecordsOptions, IndexOutsideTheBlockIsIgnored)
{
    ProgramOptions options;
    options.Set(-1, true);
    options.Set(kAllOptionCount, true);
    EXPECT_EQ(options, ProgramOptions());
    EXPECT_FALSE(options.IsOn(kAllOptionCount));
    EXPECT_EQ(options.Slot(-1), 0);
    // The labels sit beside the sixteen slots: off at start, and no slot of the block.
    for (int label : {OPT_NODE_NUMBERS, OPT_BEAM_NUMBERS, OPT_LOAD_VALUES}) {
        EXPECT_FALSE(options.IsOn(label));
        options.Set(label, true);
        EXPECT_TRUE(options.IsOn(label));
        EXPECT_EQ(options.Slot(label), 0);
    }
    EXPECT_EQ(options.Slots(), ProgramOptions().Slots());
    EXPECT_FALSE(options == ProgramOptions());
}

struct RuleCase
{
    const char* name;
    bool orientIJ;
    bool changeLoads;
    bool changeLoadsAfter;
};

class ProgramRecordsOrientationRule : public ::testing::TestWithParam<RuleCase>
{
};

TEST_P(ProgramRecordsOrientationRule, ChangeLocalLoadsNeedsBeamOrientation)
{
    const RuleCase& c = GetParam();
    ProgramOptions options;
    options.Set(OPT_ORIENT_I_J, c.orientIJ);
    options.Set(OPT_CHANGE_LOCAL_LOADS, c.changeLoads);
    options.Slots()[OPT_SPARE] = 7; // the spare slot travels untouched

    const ProgramOptions after = ApplyOrientationRule(options);
    EXPECT_EQ(after.IsOn(OPT_ORIENT_I_J), c.orientIJ);
    EXPECT_EQ(after.IsOn(OPT_CHANGE_LOCAL_LOADS), c.changeLoadsAfter);
    for (int i = 0; i < kOptionCount; ++i) {
        if (i != OPT_CHANGE_LOCAL_LOADS) {
            EXPECT_EQ(after.Slot(i), options.Slot(i)) << "slot " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramRecordsOrientationRule,
    ::testing::Values(RuleCase{"BothOff", false, false, false},
                      RuleCase{"LoadsWithoutOrientationForcedOff", false, true, false},
                      RuleCase{"OrientationAlone", true, false, false},
                      RuleCase{"BothOnKept", true, true, true}),
    [](const ::testing::TestParamInfo<RuleCase>& row) { return row.param.name; });

struct PaletteCase
{
    int entry;
    std::array<int, 3> white;
    std::array<int, 3> black;
};

// Every entry of both schemes, in (red, green, blue).
const PaletteCase kPalette[kPaletteSize] = {
    {0, {255, 255, 255}, {0, 0, 0}},       {1, {0, 0, 0}, {255, 255, 255}},
    {2, {0, 0, 0}, {255, 255, 255}},       {3, {255, 0, 0}, {255, 0, 0}},
    {4, {0, 0, 255}, {64, 64, 255}},       {5, {64, 64, 64}, {192, 192, 192}},
    {6, {0, 255, 0}, {0, 255, 0}},         {7, {64, 192, 192}, {64, 192, 192}},
    {8, {128, 255, 128}, {128, 255, 128}}, {9, {255, 0, 255}, {255, 0, 255}},
    {10, {0, 255, 255}, {0, 255, 255}},    {11, {0, 128, 128}, {0, 128, 128}},
    {12, {128, 0, 0}, {128, 0, 0}},        {13, {255, 255, 0}, {255, 255, 0}},
    {14, {128, 0, 128}, {128, 0, 128}},    {15, {128, 128, 0}, {128, 128, 0}},
    {16, {0, 0, 0}, {255, 255, 255}},      {17, {0, 255, 0}, {0, 255, 0}},
    {18, {255, 0, 255}, {255, 0, 255}},    {19, {255, 0, 0}, {255, 0, 0}},
    {20, {0, 0, 255}, {0, 0, 255}},
};

std::array<int, 3> Components(PaletteColour c)
{
    return {RedOf(c), GreenOf(c), BlueOf(c)};
}

TEST(ProgramRecordsPalette, BothSchemesEntryByEntry)
{
    Palette palette;
    EXPECT_EQ(palette.Scheme(), kSchemeWhite);
    for (const PaletteCase& c : kPalette)
        EXPECT_EQ(Components(palette.Entry(c.entry)), c.white) << "white entry " << c.entry;

    palette.FillPalette(kSchemeBlack);
    EXPECT_EQ(palette.Scheme(), kSchemeBlack);
    for (const PaletteCase& c : kPalette)
        EXPECT_EQ(Components(palette.Entry(c.entry)), c.black) << "black entry " << c.entry;

    palette.FillPalette(kSchemeWhite);
    for (const PaletteCase& c : kPalette)
        EXPECT_EQ(Components(palette.Entry(c.entry)), c.white) << "refilled entry " << c.entry;
}

TEST(ProgramRecordsPalette, RedSitsInTheLowByte)
{
    EXPECT_EQ(Rgb(64, 64, 255), 0xFF4040u);
    EXPECT_EQ(Rgb(0, 128, 128), 0x808000u);
}

TEST(ProgramRecordsPalette, BlackBackgroundOptionGivesWhitePenAndLightBlueHinge)
{
    ProgramOptions options;
    options.Set(OPT_BLACK_BACKGROUND, true);
    // What a view does before it erases its background.
    Palette palette;
    palette.FillPalette(options.BlackBackground() ? kSchemeBlack : kSchemeWhite);
    EXPECT_EQ(palette.Entry(PAL_BACKGROUND), Rgb(0, 0, 0));
    EXPECT_EQ(palette.Entry(PAL_PEN), Rgb(255, 255, 255));
    EXPECT_EQ(palette.Entry(PAL_HINGE), Rgb(64, 64, 255));
    EXPECT_EQ(palette.Color(PAL_HINGE), Colour(64, 64, 255));
    palette.FillPalette(kSchemeWhite);
    EXPECT_EQ(palette.Entry(PAL_BACKGROUND), Rgb(255, 255, 255));
}

TEST(ProgramRecordsPalette, UnknownSchemeFillsTheWhiteOne)
{
    Palette palette;
    palette.FillPalette(kSchemeBlack);
    palette.FillPalette(7);
    EXPECT_EQ(palette.Scheme(), kSchemeWhite);
    EXPECT_EQ(palette.Entry(PAL_BACKGROUND), Rgb(255, 255, 255));
}

TEST(ProgramRecordsPalette, IndexOutsideThePaletteReadsAsThePen)
{
    Palette palette;
    palette.FillPalette(kSchemeBlack);
    EXPECT_EQ(palette.Entry(-1), Rgb(255, 255, 255));
    EXPECT_EQ(palette.Entry(kPaletteSize), Rgb(255, 255, 255));
}

TEST(ProgramRecordsPalette, SectionColoursWrapAroundAfterTen)
{
    const std::pair<int, int> cases[] = {
        {1, 11}, {5, 15}, {10, 20}, {11, 11}, {12, 12}, {20, 20}, {21, 11},
        {0, 20}, {-9, 11}, {2147483647, 11 + (2147483646 % 10)}, {-2147483647 - 1, 11 + 1},
    };
    for (const auto& [section, entry] : cases)
        EXPECT_EQ(SectionColourIndex(section), entry) << "section " << section;
}

double Diagonal(const Mfx3dBox& box)
{
    return (box.MaxCorner() - box.MinCorner()).length();
}

struct SizeCase
{
    const char* name;
    Mfx3dPoint minCorner;
    Mfx3dPoint maxCorner;
    double diagonal;
    double u;
};

class ProgramRecordsSymbolSizes : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(ProgramRecordsSymbolSizes, FieldsFollowTheWorkBox)
{
    const SizeCase& c = GetParam();
    const double d = Diagonal(Mfx3dBox(c.minCorner, c.maxCorner));
    EXPECT_DOUBLE_EQ(d, c.diagonal);

    SymbolSizes s;
    s.Compute(d);
    EXPECT_DOUBLE_EQ(s.nodeRadius, c.u);
    EXPECT_DOUBLE_EQ(s.beamCross1, 0.6 * c.u);
    EXPECT_DOUBLE_EQ(s.beamCross2, 0.8 * c.u);
    EXPECT_DOUBLE_EQ(s.supportSize, 5 * c.u);
    EXPECT_DOUBLE_EQ(s.loadSize, 8 * c.u);
    EXPECT_DOUBLE_EQ(s.loadSizeLarge, 12 * c.u);
    EXPECT_EQ(s.sectionIcon, 20.0);
    EXPECT_DOUBLE_EQ(s.unit, c.u);
    EXPECT_EQ(s.markSize, 15.0);
    EXPECT_DOUBLE_EQ(s.unit5, 5 * c.u);
    EXPECT_EQ(s.iconSize, 20);

    // The larger load size is 8 u scaled by 1.5, to the bit.
    const double u = 0.01 * d;
    EXPECT_EQ(s.loadSizeLarge, 8.0 * u * 1.5);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ProgramRecordsSymbolSizes,
    ::testing::Values(
        SizeCase{"DefaultWorkBox", {0, 0, 0}, {5, 5, 2.5}, 7.5, 0.075},
        SizeCase{"LineAlongX", {0, 0, 0}, {10, 0, 0}, 10.0, 0.1},
        SizeCase{"OffsetBox", {-2, 1, 0}, {1, 5, 12}, 13.0, 0.13}),
    [](const ::testing::TestParamInfo<SizeCase>& row) { return row.param.name; });

TEST(ProgramRecordsSymbolSizes, TenMetreLineGivesSupportAndLoadSizes)
{
    SymbolSizes sizes;
    EXPECT_DOUBLE_EQ(sizes.nodeRadius, 0.075) << "a new record is sized for the default work box";
    sizes.Compute(10.0);
    EXPECT_DOUBLE_EQ(sizes.nodeRadius, 0.1);
    EXPECT_DOUBLE_EQ(sizes.supportSize, 0.5);
    EXPECT_DOUBLE_EQ(sizes.loadSize, 0.8);
    EXPECT_DOUBLE_EQ(sizes.loadSizeLarge, 1.2);
}

} // namespace
} // namespace velmor
