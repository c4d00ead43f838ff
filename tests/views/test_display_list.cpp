// The display list of a view: the entries it keeps of the elements, with their own state (new,
// highlighted, removed) that leaves the model untouched, so that two views of one structure
// each show their own selection.
#include "model/StructureBuilder.h"
#include "numeric/Mfx3dCamera.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/RecordingCanvas.h"
#include "views/core/DisplayList.h"
#include "views/core/StructureRenderer.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

class FixedViewport : public ViewportSource
{
public:
    MfxRect ClientRect() const override { return MfxRect(0, 0, 800, 600); }
};

struct TwoViews : ::testing::Test
{
    TwoViews()
    {
        camera.SetView(Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 10, 5)), 20.0,
                       Mfx3dCamera::kViewXY, Mfx3dPoint(0, 0, 0));
        camera.Zoom(Mfx3dCamera::kZoomReset);
    }
    // The entries' outlines worked out, as a view does after a change.
    PixelRect Refresh(DisplayList& list, int flags = 0)
    {
        RecordingCanvas canvas;
        Mfx3dDC dc(canvas, &camera);
        PixelRect invalid;
        list.Refresh(flags, nullptr, dc, renderer, invalid);
        return invalid;
    }
    // The fill colour of the node as the list's view draws it.
    Colour NodeFill(const DisplayList& list)
    {
        RecordingCanvas canvas;
        {
            Mfx3dDC dc(canvas, &camera);
            const VelmorDisplayEntry* e = list.EntryOf(*node);
            renderer.Draw(*node, dc, nullptr, e->Highlighted());
        }
        return canvas.CallsOf(RecordedCall::Kind::Ellipse).back().state.brush.colour;
    }

    VelmorProblem problem;
    StructureBuilder builder{problem, PROBLEM_PLANE_FRAME};
    VelmorObject* node = builder.Node(4, 5, 0);
    FixedViewport viewport;
    Mfx3dCamera camera{&viewport};
    ProgramOptions options;
    Palette palette;
    SymbolSizes sizes;
    StructureRenderer renderer{RenderStyle{options, palette, sizes, PROBLEM_PLANE_FRAME}};
};

TEST_F(TwoViews, EachViewKeepsItsOwnSelection)
{
    DisplayList first, second;
    VelmorDisplayEntry* a = first.AddEntry(*node);
    second.AddEntry(*node);
    EXPECT_TRUE(a->m_state & STATE_NEW);
    EXPECT_FALSE(Refresh(first).IsEmpty()) << "a new entry is laid out and repainted";
    Refresh(second);
    EXPECT_EQ(a->m_state, 0);

    first.Highlight(*node);
    EXPECT_TRUE(first.EntryOf(*node)->Highlighted());
    EXPECT_FALSE(second.EntryOf(*node)->Highlighted());
    EXPECT_EQ(node->m_state, 0) << "the model carries no selection";
    EXPECT_EQ(NodeFill(first), palette.Color(PAL_SELECTED));
    EXPECT_EQ(NodeFill(second), palette.Color(PAL_HINGE));
    // A redraw of every entry keeps the highlight; taking it off needs the view.
    Refresh(first, STATE_REDRAW);
    EXPECT_TRUE(first.EntryOf(*node)->Highlighted());
    first.Unhighlight(*node);
    EXPECT_FALSE(first.EntryOf(*node)->Highlighted());
    EXPECT_EQ(NodeFill(first), palette.Color(PAL_HINGE));
}

TEST_F(TwoViews, RemovedElementLeavesBothLists)
{
    DisplayList first, second;
    first.AddEntry(*node);
    second.AddEntry(*node);
    Refresh(first);
    Refresh(second);
    node->Detach(STATE_DETACH | STATE_REMOVE | STATE_REDRAW, &problem);
    EXPECT_EQ(problem.Count(KIND_NODE), 0u);
    EXPECT_FALSE(Refresh(first).IsEmpty()) << "the old place is repainted";
    Refresh(second);
    EXPECT_EQ(first.size(), 0u);
    EXPECT_EQ(second.size(), 0u);
}

} // namespace
} // namespace velmor
