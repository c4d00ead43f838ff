// The problem container: creation rules, numbering, deletion, view notification, the box the
// views fit to, and the beams' and loads' end exchange.
#include "TestHooks.h"
#include "model/ModelFixtures.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::test;

namespace {

struct Notice
{
    int hint;
    VelmorObject* element;
    bool operator==(const Notice&) const = default;
};

class FakeDocument : public ProblemDocument
{
public:
    void SetModifiedFlag(bool m) override
    {
        modified = m;
        notices.push_back({-1, nullptr});
    }
    void UpdateAllViews(const ChangeEvent& change) override
    {
        notices.push_back({int(change.hint), change.element});
    }
    bool modified = false;
    std::vector<Notice> notices;
};

class FakeView : public ProblemObserver
{
public:
    void OnUpdate(const ChangeEvent& change) override
    {
        notices.push_back({int(change.hint), change.element});
    }
    std::vector<Notice> notices;
};

} // namespace

TEST(Problem, DefaultsOfANewProblem)
{
    VelmorProblem p;
    EXPECT_EQ(p.m_name, "Nouvelle structure");
    EXPECT_EQ(p.m_nType, 0);
    EXPECT_EQ(p.m_box.MinCorner(), Mfx3dPoint(0, 0, 0));
    EXPECT_EQ(p.m_box.MaxCorner(), Mfx3dPoint(5, 5, 2.5));
    EXPECT_EQ(p.m_gridStep, Mfx3dPoint(0.05, 0.05, 0.025));
    for (int k = 0; k < kKindCount; ++k)
        EXPECT_EQ(p.Count(k), 0u);
}

TEST(Problem, CreationTellsTheDocumentAndItsViews)
{
    VelmorProblem p;
    FakeDocument doc;
    p.m_pDoc = &doc;
    const std::uint64_t before = p.Revision();
    VelmorObject* n = AddNode(p, 1, 2, 0);
    ASSERT_NE(n, nullptr);
    EXPECT_GT(p.Revision(), before) << "a change of the structure";
    EXPECT_EQ(n->m_state, 0) << "what is new to a view is the view's business";
    EXPECT_EQ(doc.notices, (std::vector<Notice>{{5, n}, {-1, nullptr}, {4, nullptr}}));
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(n->Number(), 1);
}

TEST(Problem, NodesCloserThanOneGridStepAreRefused)
{
    VelmorProblem p;
    ASSERT_NE(AddNode(p, 0, 0, 0), nullptr);
    EXPECT_EQ(AddNode(p, 0.04, 0.04, 0.02), nullptr);
    EXPECT_EQ(AddNode(p, -0.04, 0.0, -0.02), nullptr);
    EXPECT_NE(AddNode(p, 0.05, 0, 0), nullptr) << "exactly one step apart is accepted";
    EXPECT_NE(AddNode(p, 0, 0, 0.025), nullptr);
    EXPECT_EQ(p.Count(KIND_NODE), 3u);
}

TEST(Problem, AnAxisWithoutGridDoesNotLetANodeOntoAnother)
{
    VelmorProblem p;
    p.m_gridStep = Mfx3dPoint(0.5, 0.5, 0.0);
    ASSERT_NE(AddNode(p, 2, 2, 0), nullptr);
    EXPECT_EQ(AddNode(p, 2, 2, 0), nullptr) << "the same point";
    EXPECT_EQ(AddNode(p, 2.2, 1.9, 0), nullptr);
    EXPECT_NE(AddNode(p, 2, 2, 0.01), nullptr) << "apart along the axis without grid";
    EXPECT_NE(AddNode(p, 2.5, 2, 0), nullptr);
}

TEST(Problem, DuplicateAndIncompleteElementsAreRefused)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 4, 0, 0);
    VelmorObject* s = AddSection(p, 2e11, 0.01, 1e-4);
    ASSERT_TRUE(a && b && s);

    EXPECT_EQ(AddSection(p, 2e11, 0.01, 1e-4, 3, 7850), nullptr) << "same E, I, G, A, J";
    EXPECT_NE(AddSection(p, 2e11, 0.02, 1e-4), nullptr);

    EXPECT_EQ(AddBeam(p, s, a, a), nullptr) << "both ends on one node";
    EXPECT_EQ(AddBeam(p, s, a, nullptr), nullptr) << "incomplete";
    VelmorObject* beam = AddBeam(p, s, a, b);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(AddBeam(p, s, b, a), nullptr) << "the same two nodes in the other order";

    EXPECT_EQ(AddSupport(p, a, 1, {0, 0, 0, 0, 0, 0}), nullptr) << "a support that does nothing";
    EXPECT_NE(AddSupport(p, a, 1, {1, 1, 0, 0, 0, 1}), nullptr);
    EXPECT_EQ(AddSupport(p, a, 2, {1, 1, 0, 0, 0, 0}), nullptr) << "one support per node";

    EXPECT_EQ(AddNodalLoad(p, b, {0, 0, 0}), nullptr) << "a load of zero";
    EXPECT_NE(AddNodalLoad(p, b, {0, -1000, 0}), nullptr);
    EXPECT_EQ(AddNodalLoad(p, b, {5, 0, 0}), nullptr) << "one nodal load per node";
    EXPECT_NE(AddBeamLoad(p, beam, LOAD_CONSTANT_GLOBAL, {0, -1, 0}, {0, -1, 0}), nullptr)
        << "a distributed load does not compete with nodal loads";
    EXPECT_EQ(AddBeamLoad(p, beam, LOAD_LINEAR_LOCAL, {0, -2, 0}, {0, -1, 0}), nullptr);

    EXPECT_EQ(b->CountChildren(-1), 2);
    EXPECT_EQ(beam->CountChildren(KIND_BEAM_LOAD), 1);
    EXPECT_EQ(p.List(KIND_BEAM_LOAD).at(0)->Kind(), KIND_BEAM_LOAD);
}

TEST(Problem, DeletingANodeTakesWhatRestsOnItAndRenumbers)
{
    VelmorProblem p;
    BuildPortal(p);
    VelmorObject* b = p.List(KIND_NODE).at(1);
    b->Detach(0x3300, &p); // the editor's delete: the problem removes what the cascade takes
    EXPECT_EQ(p.Count(KIND_NODE), 2u);
    EXPECT_EQ(p.Count(KIND_BEAM), 0u);
    EXPECT_EQ(p.Count(KIND_NODAL_LOAD), 0u);
    EXPECT_EQ(p.Count(KIND_BEAM_LOAD), 0u);
    EXPECT_EQ(p.Count(KIND_SUPPORT), 2u);
    EXPECT_EQ(p.List(KIND_SECTION).at(0)->CountChildren(-1), 0);
    EXPECT_EQ(p.List(KIND_NODE).at(1)->Number(), 3);
    p.Renumber(KIND_NODE);
    EXPECT_EQ(p.List(KIND_NODE).at(1)->Number(), 2);
    VelmorNudoData record;
    record.m_number = 2;
    EXPECT_EQ(p.FindObject(record), p.List(KIND_NODE).at(1));
    record.m_number = 3;
    EXPECT_EQ(p.FindObject(record), nullptr);
}

TEST(Problem, DeleteObjectOfAStrangerOnlyTraces)
{
    RecordTraces traces;
    VelmorProblem p;
    VelmorNudo stranger;
    p.DeleteObject(&stranger);
    EXPECT_EQ(traces.traces, std::vector<std::string>{"DeleteObject not found"});
}

TEST(Problem, AttachViewListsEveryElementThenTheModelHints)
{
    VelmorProblem p;
    BuildPortal(p);
    FakeView view;
    p.AttachView(view);
    ASSERT_EQ(view.notices.size(), 10u + 2u);
    EXPECT_EQ(view.notices[0], (Notice{5, p.List(KIND_NODE).at(0)}));
    EXPECT_EQ(view.notices[3], (Notice{5, p.List(KIND_SECTION).at(0)}));
    EXPECT_EQ(view.notices[9], (Notice{5, p.List(KIND_BEAM_LOAD).at(0)}));
    EXPECT_EQ(view.notices[10], (Notice{4, nullptr}));
    EXPECT_EQ(view.notices[11], (Notice{1, nullptr}));
}

TEST(Problem, StructureBoxFollowsTheMode)
{
    VelmorProblem p;
    BuildPortal(p);
    p.SyncMode(Mode::Library);
    EXPECT_EQ(p.StructureBox().MaxCorner(), Mfx3dPoint(5, 5, 2.5)) << "the editor shows the work box";
    p.SyncMode(Mode::Examples);
    Mfx3dBox box = p.StructureBox();
    EXPECT_EQ(box.MinCorner(), Mfx3dPoint(0, 0, 0));
    EXPECT_EQ(box.MaxCorner(), Mfx3dPoint(4, 3, 0));
    p.m_pShownBeam = p.List(KIND_BEAM).at(0);
    EXPECT_EQ(p.StructureBox().MaxCorner(), Mfx3dPoint(0, 3, 0));

    VelmorProblem single;
    AddNode(single, 1, 1, 1);
    single.SyncMode(Mode::Examples);
    EXPECT_EQ(single.StructureBox().MaxCorner(), Mfx3dPoint(5, 5, 2.5)) << "a point is no box";
}

TEST(Beam, LengthSelfWeightAndEndExchange)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_SPACE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 3, 4, 0);
    VelmorObject* light = AddSection(p, 2e11, 0.01, 1e-4);
    VelmorObject* heavy = AddSection(p, 2e11, 0.02, 1e-4, 1, 7850);
    auto* beam = static_cast<VelmorViga*>(AddBeam(p, light, a, b));
    auto* beam2 = static_cast<VelmorViga*>(AddBeam(p, heavy, b, AddNode(p, 3, 4, 2)));
    EXPECT_DOUBLE_EQ(beam->GetLength(), 5.0);
    EXPECT_FALSE(beam->HasSelfWeight());
    EXPECT_TRUE(beam2->HasSelfWeight());

    static_cast<VelmorNudo*>(a)->Data().m_nAnalysisNumber = 1;
    static_cast<VelmorNudo*>(b)->Data().m_nAnalysisNumber = 2;
    EXPECT_EQ(beam->SetIJOrientation(1), 1) << "already from the lower to the higher number";
    EXPECT_EQ(beam->EndsSwapped(), 0);
    EXPECT_EQ(beam->SetIJOrientation(0), 0);

    static_cast<VelmorNudo*>(a)->Data().m_nAnalysisNumber = 3;
    EXPECT_EQ(beam->SetIJOrientation(1), 1);
    EXPECT_EQ(beam->EndsSwapped(), 1);
    EXPECT_EQ(beam->GetParent(1), b);
    EXPECT_EQ(beam->GetParent(2), a);
    EXPECT_EQ(beam->SetIJOrientation(0), 1);
    EXPECT_EQ(beam->GetParent(1), a);
}

TEST(Load, FollowsItsBeamEndExchange)
{
    struct Case
    {
        int type;
        Mfx3dPoint newSecondEnd;
    };
    // Local values turn with the beam's reversed axes; global values keep their direction.
    const Case cases[] = {{LOAD_LINEAR_LOCAL, {-1, -2, 3}}, {LOAD_LINEAR_GLOBAL, {1, 2, 3}},
                          {LOAD_LINEAR_PROJECTED, {1, 2, 3}}};
    for (const Case& c : cases) {
        VelmorProblem p;
        p.SetProblemType(PROBLEM_SPACE_FRAME);
        VelmorObject* a = AddNode(p, 0, 0, 0);
        VelmorObject* b = AddNode(p, 4, 0, 0);
        auto* beam = static_cast<VelmorViga*>(AddBeam(p, AddSection(p, 1, 1, 1), a, b));
        auto* load = static_cast<VelmorCarga*>(AddBeamLoad(p, beam, c.type, {1, 2, 3}, {4, 5, 6}));
        ASSERT_NE(load, nullptr);

        EXPECT_EQ(load->SetIJOrientation(1), 1);
        EXPECT_EQ(load->EndsSwapped(), 0) << "its beam was not swapped";

        static_cast<VelmorNudo*>(a)->Data().m_nAnalysisNumber = 2;
        static_cast<VelmorNudo*>(b)->Data().m_nAnalysisNumber = 1;
        beam->SetIJOrientation(1);
        EXPECT_EQ(load->SetIJOrientation(1), 1);
        EXPECT_EQ(load->Data().m_point[2], c.newSecondEnd) << c.type;
        EXPECT_EQ(load->SetIJOrientation(1), 0);
        EXPECT_EQ(load->SetIJOrientation(0), 1);
        EXPECT_EQ(load->Data().m_point[0], Mfx3dPoint(1, 2, 3)) << "back as it was";
        EXPECT_EQ(load->Data().m_point[2], Mfx3dPoint(4, 5, 6));
    }
}

TEST(Load, NodalLoadVector)
{
    VelmorCargaData d;
    d.m_point[0] = {1, 2, 3};
    d.m_point[1] = {4, 5, 6};
    VelmorCarga load(d);
    Vector v = load.GetNodalLoadVector();
    ASSERT_EQ(v.Rows(), 6u);
    for (long i = 1; i <= 6; ++i)
        EXPECT_EQ(v.At(i), double(i));
}
