// The object graph: parent slots, child and draw lists, numbers and positions through the
// parents, and the detach that cuts an element (and with the cascade its dependants) out.
#include "TestHooks.h"
#include "model/ElementContainer.h"
#include "model/VelmorApoyo.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace velmor;
using velmor::test::RecordTraces;

namespace {

// A small owner of elements standing in for the problem container: it keeps every element,
// and records what a detach asked it to delete.
class Owner : public ElementContainer
{
public:
    template <class T> T* Add(std::unique_ptr<T> element)
    {
        T* raw = element.get();
        m_elements.push_back(std::move(element));
        return raw;
    }
    VelmorNudo* Node(double x, double y, double z, int analysisNumber)
    {
        VelmorNudoData d;
        d.m_coord = {x, y, z};
        d.m_nAnalysisNumber = analysisNumber;
        d.m_number = int(m_elements.size()) + 1;
        return Add(std::make_unique<VelmorNudo>(d));
    }
    // A child made the way the container makes one: parents in its slots, then each parent
    // told about the child.
    template <class T, class D> T* Child(std::initializer_list<VelmorObject*> parents, D data = D())
    {
        T* child = Add(std::make_unique<T>(data));
        int slot = 0;
        for (VelmorObject* p : parents) {
            child->GetParent(slot++) = p;
            p->Connect(CHILD, child);
        }
        return child;
    }

    int ProblemType() const override { return 3; }
    Mfx3dPoint GridStep() const override { return {0.05, 0.05, 0.025}; }
    VelmorObject* FindObject(const VelmorObjectData&) const override { return nullptr; }
    void DeleteObject(VelmorObject* element) override
    {
        auto it = std::find_if(m_elements.begin(), m_elements.end(),
                               [element](const auto& e) { return e.get() == element; });
        ASSERT_NE(it, m_elements.end()) << "deleted twice or never owned";
        m_elements.erase(it);
        deleted.push_back(element);
    }
    void ReportSerializeError(const std::string&) override {}
    bool Owns(const VelmorObject* e) const
    {
        return std::any_of(m_elements.begin(), m_elements.end(),
                           [e](const auto& x) { return x.get() == e; });
    }
    const std::vector<std::unique_ptr<VelmorObject>>& Elements() const { return m_elements; }

    std::vector<const VelmorObject*> deleted;

private:
    std::vector<std::unique_ptr<VelmorObject>> m_elements;
};

// A frame: two nodes, a section, a beam with a distributed load, a support and a nodal load
// on node 1, and a second beam from node 2 to a third node.
struct Frame
{
    Owner owner;
    VelmorNudo* n1 = owner.Node(0, 0, 0, 2);
    VelmorNudo* n2 = owner.Node(4, 0, 0, 1);
    VelmorNudo* n3 = owner.Node(4, 3, 0, 3);
    VelmorSeccion* section = owner.Add(std::make_unique<VelmorSeccion>());
    VelmorViga* beam = owner.Child<VelmorViga, VelmorVigaData>({section, n1, n2});
    VelmorViga* beam2 = owner.Child<VelmorViga, VelmorVigaData>({section, n2, n3});
    VelmorApoyo* support = owner.Child<VelmorApoyo, VelmorApoyoData>({n1});
    VelmorCarga* nodalLoad = owner.Child<VelmorCarga, VelmorCargaData>({n1});
    VelmorCarga* beamLoad = owner.Child<VelmorCarga, VelmorCargaData>({beam}, beamLoadData());

    static VelmorCargaData beamLoadData()
    {
        VelmorCargaData d;
        d.m_kind = KIND_BEAM_LOAD;
        return d;
    }
};

} // namespace

TEST(Graph, ParentSlotsAreFixedByClassAndOutOfRangeIsTheSpareSlot)
{
    Owner owner;
    VelmorNudo node;
    VelmorViga beam;
    VelmorApoyo support;
    EXPECT_EQ(node.ParentCount(), 0);
    EXPECT_EQ(beam.ParentCount(), 3);
    EXPECT_EQ(support.ParentCount(), 1);
    EXPECT_EQ(beam.GetParent(2), nullptr);
    beam.GetParent(7) = &node;
    EXPECT_EQ(beam.GetParent(7), nullptr) << "writing the spare slot sets nothing";
    EXPECT_EQ(beam.GetParent(-1), nullptr);
}

TEST(Graph, ConnectRefusesDuplicatesWithATrace)
{
    RecordTraces traces;
    VelmorNudo node;
    VelmorApoyo support;
    EXPECT_EQ(node.Connect(CHILD, &support), 1);
    EXPECT_EQ(node.Connect(CHILD, &support), 0);
    EXPECT_EQ(traces.traces, std::vector<std::string>{" Connection : Is connected "});
    EXPECT_EQ(support.Connect(PARENT, &node, 0), 0) << "already in the parent's child list";
    EXPECT_EQ(node.CountChildren(-1), 1);
    EXPECT_EQ(support.IsChildOf(&node), 1);
    EXPECT_EQ(node.IsChildOf(&support), 0);
    EXPECT_EQ(node.Connect(static_cast<ConnectionKind>(7), &support), 0);
}

TEST(Graph, DisconnectOfAStrangerTracesAndChangesNothing)
{
    RecordTraces traces;
    VelmorNudo node;
    VelmorApoyo a, b;
    a.GetParent(0) = &node;
    node.Connect(CHILD, &a);
    EXPECT_EQ(node.Disconnect(CHILD, &b), 0);
    EXPECT_EQ(traces.traces, (std::vector<std::string>{" DisConnection CHILD / DRAW: not found ",
                                                       " DisConnection : not found "}));
    EXPECT_EQ(node.CountChildren(-1), 1);
    traces.traces.clear();
    EXPECT_EQ(b.Disconnect(PARENT, &node), 0);
    EXPECT_EQ(traces.traces, std::vector<std::string>{" DisConnection PARENT: not found "});

    EXPECT_EQ(node.Disconnect(CHILD, &a), 1);
    EXPECT_EQ(a.GetParent(0), nullptr) << "the child's slot is cleared too";
}

TEST(Graph, DrawEntriesPointAtTheirElement)
{
    VelmorNudo node;
    node.m_pData->m_number = 6;
    VelmorObject entry(0);
    EXPECT_EQ(node.Connect(DRAW, &entry), 1);
    EXPECT_EQ(entry.ParentCount(), 1);
    entry.GetParent(0) = &node;
    EXPECT_EQ(node.Connect(DRAW, &entry), 0) << "the entry already stands for this node";
    EXPECT_EQ(entry.Number(), 6) << "an object without a record reports its element's number";
    EXPECT_EQ(node.Disconnect(DRAW, &entry), 1);
    EXPECT_EQ(entry.GetParent(0), nullptr);
}

TEST(Graph, NumbersAndPositionsComeFromTheEndNodes)
{
    Frame f;
    EXPECT_EQ(f.beam->GetNumber(1), 2);
    EXPECT_EQ(f.beam->GetNumber(2), 1);
    EXPECT_EQ(f.beam->GetNumber(0), 0) << "a section has no analysis number";
    EXPECT_EQ(f.beamLoad->GetNumber(2), 1) << "through the beam to its second node";
    VelmorViga loose;
    EXPECT_EQ(loose.GetNumber(1), 0) << "empty slot 0";

    Mfx3dPoint p;
    f.beam->GetPosition(p, 1, 0);
    EXPECT_EQ(p, Mfx3dPoint(0, 0, 0));
    // Node 2 of the beam has the smaller analysis number: option 1 exchanges the ends.
    f.beam->GetPosition(p, 1, 1);
    EXPECT_EQ(p, Mfx3dPoint(4, 0, 0));
    f.beam->GetPosition(p, 2, 1);
    EXPECT_EQ(p, Mfx3dPoint(0, 0, 0));
    f.support->GetPosition(p, 1, 0);
    EXPECT_EQ(p, Mfx3dPoint(0, 0, 0)) << "slot 1 out of range: slot 0 answers";

    Mfx3dPoint untouched(9, 9, 9);
    loose.GetPosition(untouched, 1, 0);
    EXPECT_EQ(untouched, Mfx3dPoint(9, 9, 9));
}

TEST(Graph, ChildrenByKind)
{
    Frame f;
    EXPECT_EQ(f.n1->CountChildren(-1), 3);
    EXPECT_EQ(f.n1->CountChildren(KIND_SUPPORT), 1);
    EXPECT_EQ(f.n1->CountChildren(KIND_BEAM), 1);
    EXPECT_EQ(f.n2->CountChildren(KIND_BEAM), 2);
    EXPECT_EQ(f.section->CountChildren(KIND_BEAM), 2);
    EXPECT_EQ(f.n1->FindChild(KIND_NODAL_LOAD), f.nodalLoad);
    EXPECT_EQ(f.n1->FindChild(KIND_BEAM_LOAD), nullptr);
    EXPECT_EQ(f.beam->FindChild(KIND_BEAM_LOAD), f.beamLoad);
}

TEST(Graph, DetachWithoutTheArmedBitDoesNothing)
{
    Frame f;
    f.n1->Detach(STATE_REMOVE | STATE_CASCADE, &f.owner);
    EXPECT_EQ(f.n1->CountChildren(-1), 3);
    EXPECT_TRUE(f.owner.deleted.empty());
}

TEST(Graph, DetachWithCascadeLeavesNoDanglingPointer)
{
    Frame f;
    VelmorObject entry(0);
    f.beam->Connect(DRAW, &entry);
    entry.GetParent(0) = f.beam;
    VelmorNudo* n1 = f.n1;
    const std::vector<const VelmorObject*> gone = {f.n1, f.beam, f.support, f.nodalLoad, f.beamLoad};

    n1->Detach(0x3300, &f.owner);

    EXPECT_EQ(f.owner.deleted.size(), gone.size());
    for (const VelmorObject* g : gone)
        EXPECT_FALSE(f.owner.Owns(g));
    // Nothing left points at a deleted element, neither through a slot nor through a list.
    for (const auto& e : f.owner.Elements()) {
        for (int i = 0; i < e->ParentCount(); ++i)
            EXPECT_EQ(std::count(gone.begin(), gone.end(), e->GetParent(i)), 0);
        for (const VelmorObject* c : e->Children())
            EXPECT_EQ(std::count(gone.begin(), gone.end(), c), 0);
    }
    EXPECT_EQ(f.n2->CountChildren(-1), 1);
    EXPECT_EQ(f.section->CountChildren(-1), 1);
    // The display entry was released and took the display bits.
    EXPECT_EQ(entry.GetParent(0), nullptr);
    EXPECT_EQ(entry.m_state & STATE_DISPLAY_BITS, 0x3000);
}

TEST(Graph, DetachWithoutCascadeKeepsTheChildren)
{
    Frame f;
    f.beam->Detach(STATE_DETACH, &f.owner);
    EXPECT_TRUE(f.owner.deleted.empty());
    EXPECT_EQ(f.n1->CountChildren(KIND_BEAM), 0);
    EXPECT_EQ(f.section->CountChildren(KIND_BEAM), 1);
    EXPECT_EQ(f.beamLoad->GetParent(0), nullptr);
    EXPECT_TRUE(f.owner.Owns(f.beamLoad));
}
