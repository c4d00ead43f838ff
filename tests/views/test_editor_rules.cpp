// The editor's decisions without a window: grid snapping, beam orientation, prompts, help.
#include "model/ElementKind.h"
#include "views/core/EditorRules.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(EditorRules, SnappingTruncatesTowardsZeroAfterAddingAHalf)
{
    struct Case { double v, g, expected; } cases[] = {
        {1.26, 0.5, 1.5},   {-1.26, 0.5, -1.0}, {1.24, 0.5, 1.0},  {-1.74, 0.5, -1.0},
        {-1.76, 0.5, -1.5}, {0.0, 0.5, 0.0},    {3.7, 0.0, 3.7},   {0.26, 0.25, 0.25}, {0.38, 0.25, 0.5},
        {-0.1, 1.0, 0.0},   {-0.6, 1.0, 0.0},   {-1.6, 1.0, -1.0}, {2.5, 1.0, 3.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(SnapToGrid(c.v, c.g), c.expected) << c.v << " on " << c.g;
    const Mfx3dPoint p = SnapToGrid(Mfx3dPoint(1.26, -1.26, 0.74), Mfx3dPoint(0.5, 0.5, 0.0));
    EXPECT_DOUBLE_EQ(p.x, 1.5);
    EXPECT_DOUBLE_EQ(p.y, -1.0);
    EXPECT_DOUBLE_EQ(p.z, 0.74);
}

TEST(EditorRules, BeamOrientationByProblemType)
{
    const Mfx3dPoint o(0, 0, 0), up(0, 0, 3), along(4, 0, 0);
    struct Case { Mfx3dPoint b; int type; bool ask; Mfx3dPoint expected; } cases[] = {
        // A beam along Z in a plane frame cannot keep (0, 0, 1).
        {up, PROBLEM_PLANE_FRAME, false, {1, 0, 0}},
        {along, PROBLEM_PLANE_FRAME, false, {0, 0, 1}},
        {along, PROBLEM_CONTINUOUS_BEAM, false, {0, 0, 1}},
        {up, PROBLEM_SPACE_TRUSS, false, {1, 0, 0}},
        // A space frame keeps what the user must then replace.
        {up, PROBLEM_SPACE_FRAME, false, {0, 0, 1}},
        {along, PROBLEM_SPACE_FRAME, true, {0, 0, 0}},
        {along, PROBLEM_PLANE_FRAME, true, {1, 0, 0}},
    };
    for (const Case& c : cases) {
        const Mfx3dPoint r = DefaultBeamOrientation(o, c.b, c.type, c.ask);
        EXPECT_EQ(r.x, c.expected.x);
        EXPECT_EQ(r.y, c.expected.y);
        EXPECT_EQ(r.z, c.expected.z);
    }
    EXPECT_TRUE(OrientationUnusable(Mfx3dPoint(0, 0, 1), Mfx3dPoint(0, 0, -1)));
    EXPECT_TRUE(OrientationUnusable(Mfx3dPoint(0, 0, 1), Mfx3dPoint(0, 0.0004, 0.9999999)));
    EXPECT_FALSE(OrientationUnusable(Mfx3dPoint(0, 0, 1), Mfx3dPoint(0, 1, 0)));
}

TEST(EditorRules, PromptOfEveryState)
{
    struct Case { int action, tool; bool xy; int ends, id; } cases[] = {
        {ACTION_ADD, TOOL_NODE, true, 0, 61237},     {ACTION_ADD, TOOL_NODE, false, 0, 61238},
        {ACTION_ADD, TOOL_BEAM, true, 0, 61227},     {ACTION_ADD, TOOL_BEAM, true, 1, 61228},
        {ACTION_ADD, TOOL_SUPPORT, true, 0, 61230},  {ACTION_ADD, TOOL_LOAD, true, 0, 61240},
        {ACTION_ADD, TOOL_SECTION, true, 0, 0},      {ACTION_DELETE, TOOL_NODE, true, 0, 61230},
        {ACTION_DELETE, TOOL_SECTION, true, 0, 61232}, {ACTION_DELETE, TOOL_BEAM, true, 0, 61231},
        {ACTION_DELETE, TOOL_SUPPORT, true, 0, 61233}, {ACTION_DELETE, TOOL_LOAD, true, 0, 61234},
        {ACTION_MODIFY, TOOL_BEAM, true, 0, 61239},  {ACTION_MODIFY, TOOL_BEAM_LOAD, true, 0, 61234},
        {ACTION_MODIFY, TOOL_SUPPORT, true, 0, 61233}, {ACTION_NONE, TOOL_NODE, true, 0, 0},
        {ACTION_ZOOM, TOOL_NODE, true, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditorPrompt(c.action, c.tool, c.xy, c.ends), c.id) << c.action << "/" << c.tool;
}

TEST(EditorRules, HelpContextOfWhatIsUnderTheMouse)
{
    EXPECT_EQ(EditorHelpContext(KIND_NODE), 98313u);
    EXPECT_EQ(EditorHelpContext(KIND_BEAM), 98314u);
    EXPECT_EQ(EditorHelpContext(KIND_SECTION), 98319u);
    EXPECT_EQ(EditorHelpContext(KIND_SUPPORT), 98316u);
    EXPECT_EQ(EditorHelpContext(KIND_NODAL_LOAD), 98315u);
    EXPECT_EQ(EditorHelpContext(KIND_BEAM_LOAD), 98315u);
    EXPECT_EQ(EditorHelpContext(KIND_NONE), 131074u);
}

} // namespace
} // namespace velmor
