// Tests of what the section, load and support dialogs decide: the section computation and its
// validity, the unit round trip, which controls each problem type enables, the load-type and
// support-type choices and the copies between record fields.
#include "views/core/DialogRules.h"

#include <gtest/gtest.h>

#include <string>

namespace velmor {
namespace {

// "0"/"1" per flag, so that a failing row prints which control is wrong.
std::string Bits(std::initializer_list<bool> flags)
{
    std::string s;
    for (bool f : flags)
        s += f ? '1' : '0';
    return s;
}

std::string Bits(const bool* flags, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += flags[i] ? '1' : '0';
    return s;
}

// ---------------------------------------------------------------- section computation

struct SectionCase
{
    const char* name;
    int shape;
    int P;
    // Dialog units: cm, cm2, cm4, N/cm2.
    double b, h, A, Iy, Iz, J, E, G, nu;
    bool valid;
};

constexpr double kSteel = 2.1e7;  // N/cm2

// clang-format off
const SectionCase kSectionCases[] = {
    // name                          shape P  b      h   A     Iy   Iz   J    E       G    nu    valid
    {"RectangleBeam",                1, 1, 30,    50, 0,    0,   0,   0,   kSteel, 0,   0,    true},
    {"RectanglePlaneFrame",          1, 2, 30,    50, 0,    0,   0,   0,   kSteel, 0,   0,    true},
    {"RectangleSpaceFrame",          1, 3, 30,    50, 0,    0,   0,   0,   kSteel, 0,   0.3,  true},
    {"RectangleTruss",               1, 4, 30,    50, 0,    0,   0,   0,   kSteel, 0,   0,    true},
    {"RectangleWithoutE",            1, 2, 30,    50, 0,    0,   0,   0,   0,      0,   0,    false},
    {"RectangleNegativeE",           1, 1, 30,    50, 0,    0,   0,   0,   -5,     0,   0,    false},
    {"RectangleEAtItsLimit",         1, 1, 30,    50, 0,    0,   0,   0,   1e20,   0,   0,    false},
    {"RectangleWidthAboveLimit",     1, 1, 2e4,   50, 0,    0,   0,   0,   kSteel, 0,   0,    false},
    {"RectangleWidthAboveLimitTruss",1, 4, 2e4,   50, 0,    0,   0,   0,   kSteel, 0,   0,    false},
    {"RectangleWithoutHeight",       1, 2, 30,    0,  0,    0,   0,   0,   kSteel, 0,   0,    false},
    {"ArbitraryBeamNeedsOnlyIz",     2, 1, 0,     0,  0,    0,   900, 0,   kSteel, 0,   0,    true},
    {"ArbitraryBeamWithoutIz",       2, 1, 0,     0,  10,   0,   0,   0,   kSteel, 0,   0,    false},
    {"ArbitraryPlaneFrame",          2, 2, 0,     0,  10,   0,   900, 0,   kSteel, 0,   0,    true},
    {"ArbitraryPlaneFrameWithoutA",  2, 2, 0,     0,  0,    0,   900, 0,   kSteel, 0,   0,    false},
    {"ArbitrarySpaceFrame",          2, 3, 0,     0,  10,   400, 900, 0,   kSteel, 0,   0.3,  true},
    {"ArbitrarySpaceFrameWithoutIy", 2, 3, 0,     0,  10,   0,   900, 50,  kSteel, 0,   0.3,  false},
    {"ArbitraryTrussNeedsNoIz",      2, 4, 0,     0,  10,   0,   0,   0,   kSteel, 0,   0,    true},
    {"ArbitraryTrussWithoutA",       2, 4, 0,     0,  0,    0,   0,   0,   kSteel, 0,   0,    false},
    {"AxialTruss",                   3, 4, 0,     0,  10,   0,   0,   0,   kSteel, 0,   0,    true},
    {"AxialTrussWithoutA",           3, 4, 0,     0,  0,    0,   0,   0,   kSteel, 0,   0,    false},
    {"AxialTrussWithoutE",           3, 4, 0,     0,  10,   0,   0,   0,   0,      0,   0,    false},
    {"AxialSpaceFrameGetsG",         3, 3, 0,     0,  10,   0,   0,   0,   kSteel, 0,   0,    true},
    {"SpaceFrameGivenGIsKept",       2, 3, 0,     0,  10,   400, 900, 50,  kSteel, 8e6, 0.3,  true},
    {"SpaceFrameNuMinusOneNoG",      2, 3, 0,     0,  10,   400, 900, 50,  kSteel, 0,   -1,   false},
    {"NoShapeChosen",                0, 2, 30,    50, 10,   400, 900, 50,  kSteel, 0,   0,    false},
};
// clang-format on

class SectionComputation : public testing::TestWithParam<SectionCase>
{};

TEST_P(SectionComputation, ValidityFollowsTheProblemType)
{
    const SectionCase& c = GetParam();
    SectionValues v;
    v.shape = c.shape;
    v.b = c.b, v.h = c.h, v.A = c.A, v.Iy = c.Iy, v.Iz = c.Iz, v.J = c.J;
    v.E = c.E, v.G = c.G, v.nu = c.nu;
    EXPECT_EQ(ComputeSection(v, c.P), c.valid);
    // G: kept when given, derived from E and nu in space frames only.
    if (c.G > 0) {
        EXPECT_EQ(v.G, c.G);
    } else if (c.P != PROBLEM_SPACE_FRAME) {
        EXPECT_EQ(v.G, 0.0);
    } else if (c.nu != -1.0) {
        EXPECT_EQ(v.G, c.E / (2.0 * (1.0 + c.nu)));
    }
}

INSTANTIATE_TEST_SUITE_P(DialogRules, SectionComputation, testing::ValuesIn(kSectionCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DialogRulesSection, RectangleThirtyByFiftyInEveryProblemType)
{
    for (int P = 1; P <= 4; ++P) {
        SectionValues v;
        v.shape = SHAPE_RECTANGULAR;
        v.b = 30, v.h = 50, v.E = kSteel, v.nu = 0.3;
        // Stale values of an earlier rectangle are replaced.
        v.A = 1, v.Iy = 2, v.Iz = 3, v.J = 4;
        EXPECT_TRUE(ComputeSection(v, P)) << P;
        EXPECT_DOUBLE_EQ(v.A, 1500.0);
        EXPECT_DOUBLE_EQ(v.Iy, 312500.0);
        EXPECT_DOUBLE_EQ(v.Iz, 112500.0);
        EXPECT_DOUBLE_EQ(v.J, 425000.0);
    }
}

TEST(DialogRulesSection, SpaceFrameShearModulusFromPoisson)
{
    SectionValues v;
    v.shape = SHAPE_RECTANGULAR;
    v.b = 30, v.h = 50, v.E = 2.6e6, v.nu = 0.3;
    ASSERT_TRUE(ComputeSection(v, PROBLEM_SPACE_FRAME));
    EXPECT_EQ(v.G, 2.6e6 / 2.6);
    EXPECT_DOUBLE_EQ(v.G, 1e6);
}

TEST(DialogRulesSection, ArbitrarySpaceFrameTorsionFromInertias)
{
    SectionValues v;
    v.shape = SHAPE_ARBITRARY;
    v.A = 10, v.Iy = 400, v.Iz = 900, v.E = kSteel;
    ASSERT_TRUE(ComputeSection(v, PROBLEM_SPACE_FRAME));
    EXPECT_EQ(v.J, 1300.0);
    // A given J is kept.
    v.J = 77;
    ASSERT_TRUE(ComputeSection(v, PROBLEM_SPACE_FRAME));
    EXPECT_EQ(v.J, 77.0);
    // Outside space frames J is not derived.
    v.J = 0;
    ASSERT_TRUE(ComputeSection(v, PROBLEM_PLANE_FRAME));
    EXPECT_EQ(v.J, 0.0);
}

TEST(DialogRulesSection, RectangleWithoutBothSidesClearsTheDerivedValues)
{
    SectionValues v;
    v.shape = SHAPE_RECTANGULAR;
    v.b = 30, v.h = 2e4, v.A = 1500, v.Iy = 312500, v.Iz = 112500, v.J = 425000, v.E = kSteel;
    EXPECT_FALSE(ComputeSection(v, PROBLEM_PLANE_FRAME));
    EXPECT_EQ(v.A, 0.0);
    EXPECT_EQ(v.Iy, 0.0);
    EXPECT_EQ(v.Iz, 0.0);
    EXPECT_EQ(v.J, 0.0);
}

TEST(DialogRulesSection, InitialShape)
{
    EXPECT_EQ(InitialSectionShape(SHAPE_UNSET, PROBLEM_SPACE_TRUSS), SHAPE_AXIAL);
    for (int P = 1; P <= 3; ++P)
        EXPECT_EQ(InitialSectionShape(SHAPE_UNSET, P), SHAPE_RECTANGULAR) << P;
    EXPECT_EQ(InitialSectionShape(SHAPE_ARBITRARY, PROBLEM_SPACE_TRUSS), SHAPE_ARBITRARY);
    EXPECT_EQ(InitialSectionShape(SHAPE_AXIAL, PROBLEM_PLANE_FRAME), SHAPE_AXIAL);
}

VelmorSeccionData OddSection()
{
    VelmorSeccionData r;
    r.m_number = 4;
    r.m_nShape = SHAPE_ARBITRARY;
    r.m_b = 0.3, r.m_h = 0.7, r.m_A = 0.0123, r.m_Iy = 1.0 / 3e5, r.m_Iz = 0.1 / 7;
    r.m_J = 2.2e-7, r.m_E = 2.1e11 / 3, r.m_G = 8.1e10 / 7, r.m_nu = 0.29, r.m_rho = 7850.0 / 3;
    return r;
}

TEST(DialogRulesSection, UnitsOfTheDialog)
{
    VelmorSeccionData r;
    r.m_b = 0.3, r.m_h = 0.5, r.m_A = 0.15, r.m_Iy = 0.003125, r.m_Iz = 2e-4, r.m_J = 1e-8;
    r.m_E = 2.1e11, r.m_G = 8e10, r.m_nu = 0.3, r.m_rho = 7850;
    const SectionValues v = SectionToDialogUnits(r);
    EXPECT_DOUBLE_EQ(v.b, 30);
    EXPECT_DOUBLE_EQ(v.h, 50);
    EXPECT_DOUBLE_EQ(v.A, 1500);
    EXPECT_DOUBLE_EQ(v.Iy, 312500);
    EXPECT_DOUBLE_EQ(v.Iz, 20000);
    EXPECT_DOUBLE_EQ(v.J, 1);
    EXPECT_DOUBLE_EQ(v.E, 2.1e7);
    EXPECT_DOUBLE_EQ(v.G, 8e6);
    EXPECT_EQ(v.nu, 0.3);
    EXPECT_DOUBLE_EQ(v.rho, 0.00785);
}

TEST(DialogRulesSection, UntouchedValuesComeBackBitForBit)
{
    const VelmorSeccionData original = OddSection();
    const SectionValues opened = SectionToDialogUnits(original);
    // G does not survive a plain conversion there and back: the test can see the difference.
    ASSERT_NE(original.m_G / 1e4 * 1e4, original.m_G);
    VelmorSeccionData back = original;
    SectionFromDialogUnits(opened, opened, back);
    for (double VelmorSeccionData::*field :
         {&VelmorSeccionData::m_b, &VelmorSeccionData::m_h, &VelmorSeccionData::m_A,
          &VelmorSeccionData::m_Iy, &VelmorSeccionData::m_Iz, &VelmorSeccionData::m_J,
          &VelmorSeccionData::m_E, &VelmorSeccionData::m_G, &VelmorSeccionData::m_nu,
          &VelmorSeccionData::m_rho})
        EXPECT_EQ(back.*field, original.*field);
    EXPECT_EQ(back.m_nShape, SHAPE_ARBITRARY);
    EXPECT_EQ(back.m_number, 4);
}

TEST(DialogRulesSection, ChangedValuesAreConvertedToTheNearestSIValue)
{
    const VelmorSeccionData original = OddSection();
    const SectionValues opened = SectionToDialogUnits(original);
    SectionValues typed = opened;
    typed.b = 30, typed.h = 45, typed.A = 1500, typed.Iy = 312500, typed.E = 2.1e7;
    typed.rho = 0.00785, typed.shape = SHAPE_RECTANGULAR;
    VelmorSeccionData back = original;
    SectionFromDialogUnits(typed, opened, back);
    EXPECT_EQ(back.m_b, 0.3);
    EXPECT_EQ(back.m_h, 0.45);
    EXPECT_EQ(back.m_A, 0.15);
    EXPECT_EQ(back.m_Iy, 0.003125);
    EXPECT_EQ(back.m_E, 2.1e11);
    EXPECT_DOUBLE_EQ(back.m_rho, 7850);
    EXPECT_EQ(back.m_nShape, SHAPE_RECTANGULAR);
    // The rest as it was.
    EXPECT_EQ(back.m_Iz, original.m_Iz);
    EXPECT_EQ(back.m_G, original.m_G);
}

// ---------------------------------------------------------------- section enabling

struct SectionEnablingCase
{
    int shape;
    int P;
    // axial, rectangular, arbitrary, number, E, G, nu, b, h, Iy, J, Iz, A, rho
    const char* expected;
};

// clang-format off
const SectionEnablingCase kSectionEnabling[] = {
    {1, 1, "01101001100001"}, {2, 1, "01101000000101"}, {3, 1, "01101000000001"},
    {1, 2, "11101001100001"}, {2, 2, "11101000000111"}, {3, 2, "11101000000011"},
    {1, 3, "11101111100001"}, {2, 3, "11101110011111"}, {3, 3, "11101000000011"},
    {1, 4, "10001001100001"}, {2, 4, "10001000000011"}, {3, 4, "10001000000011"},
};
// clang-format on

TEST(DialogRulesSection, EnablingOfEveryControl)
{
    for (const SectionEnablingCase& c : kSectionEnabling) {
        const SectionEnabling e = SectionControlsEnabled(c.shape, c.P);
        EXPECT_EQ(Bits({e.axial, e.rectangular, e.arbitrary, e.number, e.E, e.G, e.nu, e.b, e.h,
                        e.Iy, e.J, e.Iz, e.A, e.rho}),
                  c.expected)
            << "shape " << c.shape << ", problem type " << c.P;
    }
}

// ---------------------------------------------------------------- nodal load

TEST(DialogRulesNodalLoad, ComponentsOfEachProblemType)
{
    // Fx Fy Fz Mx My Mz
    const char* expected[5] = {"", "010001", "110001", "111111", "111000"};
    for (int P = 1; P <= 4; ++P) {
        const NodalLoadEnabling e = NodalLoadControlsEnabled(P);
        EXPECT_EQ(Bits(e.force, 3) + Bits(e.moment, 3), expected[P]) << P;
    }
}

TEST(DialogRulesNodalLoad, NonEmptyWhenAnyValueIsNotZero)
{
    VelmorCargaData load;
    EXPECT_FALSE(NodalLoadNonEmpty(load));
    load.m_point[0] = Mfx3dPoint(-0.0, 0.0, 0.0, 7.0);  // w does not count
    EXPECT_FALSE(NodalLoadNonEmpty(load));
    load.m_point[2] = Mfx3dPoint(5, 5, 5);  // beam-load fields do not count either
    EXPECT_FALSE(NodalLoadNonEmpty(load));
    for (int component = 0; component < 6; ++component) {
        VelmorCargaData one;
        double* p = component < 3 ? &one.m_point[0].x : &one.m_point[1].x;
        p[component % 3] = 1e-300;
        EXPECT_TRUE(NodalLoadNonEmpty(one)) << component;
    }
}

TEST(DialogRulesNodalLoad, MakesANodalLoad)
{
    VelmorCargaData load;
    load.m_kind = KIND_BEAM_LOAD;
    load.m_nType = LOAD_LINEAR_PROJECTED;
    load.m_nLocal = 1;
    load.m_nProjected = 1;
    MakeNodalLoad(load);
    EXPECT_EQ(load.m_nType, LOAD_NODAL);
    EXPECT_EQ(load.m_kind, KIND_NODAL_LOAD);
    EXPECT_EQ(load.m_nLocal, 0);
    EXPECT_EQ(load.m_nProjected, 0);
}

// ---------------------------------------------------------------- beam load

TEST(DialogRulesBeamLoad, TypesSetTheirFlags)
{
    struct Row
    {
        int type, local, projected;
        bool linear, constant;
    };
    const Row rows[] = {
        {LOAD_LINEAR_LOCAL, 1, 0, true, false},     {LOAD_LINEAR_GLOBAL, 0, 0, true, false},
        {LOAD_CONSTANT_LOCAL, 1, 0, false, true},   {LOAD_CONSTANT_GLOBAL, 0, 0, false, true},
        {LOAD_LINEAR_PROJECTED, 0, 1, true, false}, {LOAD_CONSTANT_PROJECTED, 0, 1, false, true},
    };
    for (const Row& r : rows) {
        VelmorCargaData load;
        load.m_nLocal = 1 - r.local;
        load.m_nProjected = 1 - r.projected;
        SetBeamLoadType(load, r.type);
        EXPECT_EQ(load.m_nType, r.type);
        EXPECT_EQ(load.m_kind, KIND_BEAM_LOAD);
        EXPECT_EQ(load.m_nLocal, r.local) << r.type;
        EXPECT_EQ(load.m_nProjected, r.projected) << r.type;
        EXPECT_EQ(IsLinearLoadType(r.type), r.linear);
        EXPECT_EQ(IsConstantLoadType(r.type), r.constant);
        EXPECT_EQ(IsProjectedLoadType(r.type), r.projected == 1);
        EXPECT_EQ(InitialBeamLoadType(r.type), r.type);
    }
    EXPECT_EQ(InitialBeamLoadType(LOAD_UNSET), LOAD_CONSTANT_GLOBAL);
    EXPECT_EQ(InitialBeamLoadType(LOAD_NODAL), LOAD_CONSTANT_GLOBAL);
}

struct BeamLoadEnablingCase
{
    int type;
    int P;
    // load 1 x y z, moment 1 x y z, load 2 x y z, moment 2 x y z
    const char* expected;
};

// clang-format off
const BeamLoadEnablingCase kBeamLoadEnabling[] = {
    {LOAD_CONSTANT_GLOBAL, 1, "010001000000"},   {LOAD_CONSTANT_LOCAL, 2, "110001000000"},
    {LOAD_CONSTANT_GLOBAL, 3, "111111000000"},   {LOAD_CONSTANT_LOCAL, 4, "100000000000"},
    {LOAD_LINEAR_GLOBAL, 1, "010001010001"},     {LOAD_LINEAR_LOCAL, 2, "110001110001"},
    {LOAD_LINEAR_LOCAL, 3, "111111111111"},      {LOAD_LINEAR_GLOBAL, 4, "100000100000"},
    {LOAD_CONSTANT_PROJECTED, 1, "000000000000"}, {LOAD_CONSTANT_PROJECTED, 2, "010000000000"},
    {LOAD_CONSTANT_PROJECTED, 3, "001000000000"}, {LOAD_CONSTANT_PROJECTED, 4, "000000000000"},
    {LOAD_LINEAR_PROJECTED, 1, "000000000000"},   {LOAD_LINEAR_PROJECTED, 2, "010000010000"},
    {LOAD_LINEAR_PROJECTED, 3, "001000001000"},   {LOAD_LINEAR_PROJECTED, 4, "000000000000"},
};
// clang-format on

TEST(DialogRulesBeamLoad, EnablingOfTheValueBoxes)
{
    for (const BeamLoadEnablingCase& c : kBeamLoadEnabling) {
        const BeamLoadEnabling e = BeamLoadControlsEnabled(c.type, c.P);
        EXPECT_EQ(Bits(e.load1, 3) + Bits(e.moment1, 3) + Bits(e.load2, 3) + Bits(e.moment2, 3),
                  c.expected)
            << "type " << c.type << ", problem type " << c.P;
    }
}

TEST(DialogRulesBeamLoad, ProjectedTypesOnlyInFrames)
{
    // Buttons in the order 161 163 162 189 191 190.
    const char* expected[5] = {"", "110110", "111111", "111111", "110110"};
    for (int P = 1; P <= 4; ++P)
        for (int type : {LOAD_CONSTANT_GLOBAL, LOAD_LINEAR_PROJECTED})
            EXPECT_EQ(Bits(BeamLoadControlsEnabled(type, P).typeButton, 6), expected[P]) << P;
}

TEST(DialogRulesBeamLoad, ConstantLoadRepeatsTheFirstNode)
{
    for (int type : {LOAD_CONSTANT_LOCAL, LOAD_CONSTANT_GLOBAL, LOAD_CONSTANT_PROJECTED}) {
        VelmorCargaData load;
        SetBeamLoadType(load, type);
        load.m_point[0] = Mfx3dPoint(1, -2, 3);
        load.m_point[1] = Mfx3dPoint(4, 5, -6);
        load.m_point[2] = Mfx3dPoint(7, 7, 7);
        load.m_point[3] = Mfx3dPoint(8, 8, 8);
        CopyConstantLoad(load);
        EXPECT_EQ(load.m_point[2], Mfx3dPoint(1, -2, 3)) << type;
        EXPECT_EQ(load.m_point[3], Mfx3dPoint(4, 5, -6)) << type;
    }
    for (int type : {LOAD_LINEAR_LOCAL, LOAD_LINEAR_GLOBAL, LOAD_LINEAR_PROJECTED}) {
        VelmorCargaData load;
        SetBeamLoadType(load, type);
        load.m_point[0] = Mfx3dPoint(1, -2, 3);
        load.m_point[2] = Mfx3dPoint(7, 7, 7);
        load.m_point[3] = Mfx3dPoint(8, 8, 8);
        CopyConstantLoad(load);
        EXPECT_EQ(load.m_point[2], Mfx3dPoint(7, 7, 7)) << type;
        EXPECT_EQ(load.m_point[3], Mfx3dPoint(8, 8, 8)) << type;
    }
}

// ---------------------------------------------------------------- supports

TEST(DialogRulesSupport, PredefinedSupportsSetRestraintsOrientationAndClearSettlements)
{
    const char* flags[9] = {"", "111111", "111000", "111011", "111101",
                            "111110", "100000", "010000", "001000"};
    for (int P = 1; P <= 4; ++P)
        for (int type = 1; type <= 8; ++type) {
            VelmorApoyoData s;
            s.m_nType = 9;
            s.m_translation = Mfx3dPoint(0.01, 0, 0);
            s.m_rotation = Mfx3dPoint(0, 0, 0.002);
            s.m_orientation(1, 2) = 5.0;
            ChooseSupportType(s, type, P);
            EXPECT_EQ(s.m_nType, type);
            bool restrained[6];
            for (int i = 0; i < 6; ++i)
                restrained[i] = s.m_restraint[i] != 0;
            EXPECT_EQ(Bits(restrained, 6), flags[type]) << type;
            EXPECT_FALSE(HasSettlement(s));
            MfxTMatrix expected;
            ASSERT_TRUE(VelmorApoyoData::OrientationFor(type, P, expected));
            for (int i = 1; i <= 4; ++i)
                for (int j = 1; j <= 4; ++j)
                    EXPECT_EQ(s.m_orientation(i, j), expected(i, j)) << type << " in " << P;
        }
    // The pinned support of a plane frame turns into the x-y plane: its third column is y.
    VelmorApoyoData pinned;
    ChooseSupportType(pinned, 2, PROBLEM_PLANE_FRAME);
    EXPECT_EQ(pinned.m_orientation.Column(3), Mfx3dPoint(0, 1, 0));
    EXPECT_EQ(pinned.m_orientation(2, 3), 1.0);
    EXPECT_EQ(pinned.m_orientation(3, 2), -1.0);
    // In space it keeps the identity.
    ChooseSupportType(pinned, 2, PROBLEM_SPACE_FRAME);
    EXPECT_EQ(pinned.m_orientation(2, 3), 0.0);
    EXPECT_EQ(pinned.m_orientation(3, 3), 1.0);
}

TEST(DialogRulesSupport, UserDefinedAndElasticKeepTheRestraints)
{
    for (int type : {kSupportUserDefined, int(SUPPORT_ELASTIC)}) {
        VelmorApoyoData s;
        s.m_restraint[1] = 1;
        s.m_restraint[5] = 1;
        s.m_translation = Mfx3dPoint(0, -0.02, 0);
        ChooseSupportType(s, type, PROBLEM_SPACE_FRAME);
        EXPECT_EQ(s.m_nType, type);
        EXPECT_EQ(s.m_restraint[1], 1);
        EXPECT_EQ(s.m_restraint[5], 1);
        EXPECT_EQ(s.m_restraint[0], 0);
        EXPECT_FALSE(HasSettlement(s));
    }
    // A type without a button changes nothing.
    VelmorApoyoData s;
    s.m_translation = Mfx3dPoint(0, -0.02, 0);
    ChooseSupportType(s, SUPPORT_SETTLEMENT, PROBLEM_PLANE_FRAME);
    EXPECT_EQ(s.m_nType, 0);
    EXPECT_TRUE(HasSettlement(s));
}

TEST(DialogRulesSupport, SpringsRestrainWhereTheStiffnessIsNotZero)
{
    struct Row
    {
        Mfx3dPoint kT, kR;
        const char* flags;
    };
    const Row rows[] = {
        {{0, 5e6, 0}, {0, 0, 0}, "010000"},
        {{1e3, 0, 0}, {0, 0, 2e4}, "100001"},
        {{0, 0, 0}, {0, 0, 0}, "000000"},
        {{-1, 1, 1}, {1, 1, 1}, "111111"},
    };
    for (const Row& r : rows) {
        VelmorApoyoData s;
        s.m_nType = SUPPORT_ELASTIC;
        for (int& f : s.m_restraint)
            f = 1 - (r.flags[&f - s.m_restraint] - '0');
        ApplySprings(s, r.kT, r.kR);
        bool restrained[6];
        for (int i = 0; i < 6; ++i)
            restrained[i] = s.m_restraint[i] == 1;
        EXPECT_EQ(Bits(restrained, 6), r.flags);
        EXPECT_EQ(s.m_springT, r.kT);
        EXPECT_EQ(s.m_springR, r.kR);
    }
}

TEST(DialogRulesSupport, ButtonsOfEachProblemType)
{
    // 144 .. 151, then USERDEF.
    const char* expected[5] = {"", "110000000", "110001100", "111111111", "010001110"};
    for (int P = 1; P <= 4; ++P) {
        const SupportEnabling e = SupportControlsEnabled(VelmorApoyoData(), P, false);
        EXPECT_EQ(Bits(e.predefined, 8) + Bits({e.userDefined}), expected[P]) << P;
    }
}

TEST(DialogRulesSupport, ValuesButtons)
{
    VelmorApoyoData s;
    s.m_nType = 2;
    EXPECT_FALSE(SupportControlsEnabled(s, 2, false).springValues);
    EXPECT_FALSE(SupportControlsEnabled(s, 2, false).moveActive);
    EXPECT_TRUE(SupportControlsEnabled(s, 2, true).moveActive);
    EXPECT_TRUE(SettlementAllowed(s));
    s.m_rotation.z = -0.001;
    EXPECT_TRUE(SupportControlsEnabled(s, 2, false).moveActive);
    s.m_nType = SUPPORT_ELASTIC;
    EXPECT_TRUE(SupportControlsEnabled(s, 2, false).springValues);
    EXPECT_FALSE(SettlementAllowed(s));
    s.m_nType = 0;
    EXPECT_FALSE(SettlementAllowed(s));
}

TEST(DialogRulesSupport, CheckBoxesShowRestraintsAndSettlements)
{
    VelmorApoyoData s;
    s.m_restraint[0] = 1;
    s.m_translation = Mfx3dPoint(0, -0.01, 0);
    s.m_rotation = Mfx3dPoint(0, 0, 1e-3);
    bool checked[6];
    SupportCheckStates(s, checked);
    EXPECT_EQ(Bits(checked, 6), "110001");
}

TEST(DialogRulesSupport, SettlementsOnlyOnRestrainedDegreesOfFreedom)
{
    struct Row
    {
        int type, P;
        const char* enabled;  // dx dy dz, ang x y z
    };
    const Row rows[] = {
        {1, 1, "010001"}, {1, 2, "110001"}, {1, 3, "111111"}, {1, 4, "111000"},
        {6, 1, "000000"}, {6, 2, "100000"}, {2, 3, "111000"}, {8, 2, "000000"},
        {8, 3, "001000"}, {3, 3, "111011"},
    };
    for (const Row& r : rows) {
        VelmorApoyoData s;
        ChooseSupportType(s, r.type, r.P);
        bool enabled[6];
        SettlementControlsEnabled(s, r.P, enabled);
        EXPECT_EQ(Bits(enabled, 6), r.enabled) << "type " << r.type << " in " << r.P;
    }
}

TEST(DialogRulesSupport, SpringComponentsOfEachProblemType)
{
    const char* expected[5] = {"", "010001", "110001", "111111", "111000"};
    for (int P = 1; P <= 4; ++P) {
        bool enabled[6];
        SpringControlsEnabled(P, enabled);
        EXPECT_EQ(Bits(enabled, 6), expected[P]) << P;
    }
}

TEST(DialogRulesSupport, ButtonIds)
{
    for (int type = 1; type <= 8; ++type)
        EXPECT_EQ(SupportButtonId(type), 143 + type);
    EXPECT_EQ(SupportButtonId(9), 143);
    EXPECT_EQ(SupportButtonId(10), 200);
    EXPECT_EQ(SupportButtonId(0), 0);
    EXPECT_EQ(SupportButtonId(11), 0);
}

} // namespace
} // namespace velmor
