// Snapshots of the model for undo: a restore gives back exactly the structure that was taken.
#include "ModelFixtures.h"
#include "model/DocumentFile.h"
#include "model/ProblemSnapshot.h"
#include "model/VelmorProblem.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmor {
namespace {

TEST(ProblemSnapshot, RestoreGivesBackTheModelBitForBit)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    test::BuildPortal(p);
    // Values the six decimals of the text form would round away.
    test::AddNode(p, 1.0 / 3.0, std::sqrt(2.0), 0.0);
    p.m_box = Mfx3dBox(Mfx3dPoint(-1.0 / 7.0, 0, 0), Mfx3dPoint(10, 10, 0));
    p.m_gridStep = Mfx3dPoint(0.1, 0.3, 0.0);
    p.m_name = "Portique";
    const std::string text = StoreProblem(p, true), binary = StoreProblem(p, false);
    const auto snapshot = TakeSnapshot(p);
    ASSERT_TRUE(snapshot);

    p.DeleteAll();
    p.SetProblemType(PROBLEM_SPACE_FRAME);
    p.m_name = "autre";
    const auto revision = p.Revision();
    RestoreSnapshot(p, *snapshot);

    EXPECT_GT(p.Revision(), revision);
    EXPECT_EQ(p.m_nType, PROBLEM_PLANE_FRAME);
    EXPECT_EQ(p.m_name, "Portique");
    EXPECT_EQ(p.m_box.MinCorner().x, -1.0 / 7.0);
    EXPECT_EQ(p.m_gridStep.y, 0.3);
    EXPECT_EQ(StoreProblem(p, false), binary);
    EXPECT_EQ(StoreProblem(p, true), text);
    EXPECT_EQ(*TakeSnapshot(p), *snapshot);
}

TEST(ProblemSnapshot, EmptyModelAndUntypedProblem)
{
    VelmorProblem p;
    const auto untyped = TakeSnapshot(p);
    ASSERT_TRUE(untyped);
    p.SetProblemType(PROBLEM_CONTINUOUS_BEAM);
    const auto empty = TakeSnapshot(p);
    test::AddNode(p, 1, 0, 0);
    RestoreSnapshot(p, *empty);
    EXPECT_EQ(p.Count(KIND_NODE), 0u);
    EXPECT_EQ(p.m_nType, PROBLEM_CONTINUOUS_BEAM);
}

} // namespace
} // namespace velmor
