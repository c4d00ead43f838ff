#include "TutorFixtures.h"

#include "model/ModelFixtures.h"

#include <algorithm>

namespace velmor::test {

void TutorLog::Update(const VelmorTutor&, const ChangeEvent& e)
{
    std::string text = "U" + std::to_string(static_cast<int>(e.hint));
    if (e.element) {
        const char* letters = "nxbsld"; // by kind: node, section, beam, support, nodal, beam load
        text += ' ';
        text += letters[e.element->Kind()];
        text += std::to_string(e.element->Number());
    }
    events.push_back(text);
}

std::vector<std::string> TutorLog::Take()
{
    std::vector<std::string> taken;
    taken.swap(events);
    return taken;
}

size_t TutorLog::Count(const std::string& event) const
{
    return size_t(std::count(events.begin(), events.end(), event));
}

void Portal(VelmorProblem& p)
{
    BuildPortal(p);
}

void Weighted(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 4, 0, 0);
    VelmorObject* c = AddNode(p, 9, 0, 0);
    VelmorObject* heavy = AddSection(p, 2.1e11, 0.02, 1.2e-4, 1, 7850.0);
    VelmorObject* light = AddSection(p, 2.1e11, 0.01, 8.5e-5, 1, 0.0);
    AddBeam(p, heavy, a, b);
    AddBeam(p, light, b, c);
    AddSupport(p, a, 1, {0, 1, 0, 0, 0, 1});
    AddSupport(p, b, 2, {0, 1, 0, 0, 0, 0});
    AddSupport(p, c, 2, {0, 1, 0, 0, 0, 0});
    AddNodalLoad(p, b, {0, 0, 0}, {0, 0, 3000});
}

void Springs(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_CONTINUOUS_BEAM);
    StructureBuilder builder(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 5, 0, 0);
    VelmorObject* c = AddNode(p, 10, 0, 0);
    VelmorObject* s = AddSection(p, 2.1e11, 0.01, 8.5e-5);
    AddBeam(p, s, a, b);
    AddBeam(p, s, b, c);
    AddSupport(p, a, 1, {0, 1, 0, 0, 0, 1});
    builder.Spring(b, {0, 2.0e6, 0});
    builder.Settlement(c, {0, 1, 0, 0, 0, 0}, {0, -0.01, 0});
    AddNodalLoad(p, b, {0, -20000, 0});
}

void Unloaded(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 0, 3, 0);
    VelmorObject* c = AddNode(p, 4, 3, 0);
    VelmorObject* s = AddSection(p, 2.1e11, 0.01, 8.5e-5);
    AddBeam(p, s, a, b);
    AddBeam(p, s, b, c);
    AddSupport(p, a, 1, {1, 1, 0, 0, 0, 1});
    AddSupport(p, c, 2, {1, 1, 0, 0, 0, 0});
}

void Mechanism(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 4, 0, 0);
    VelmorObject* s = AddSection(p, 2.1e11, 0.01, 8.5e-5);
    AddBeam(p, s, a, b);
    AddSupport(p, a, 2, {1, 1, 0, 0, 0, 0});
    AddNodalLoad(p, b, {0, -1000, 0});
}

void InclinedFrame(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 4, 3, 0);
    VelmorObject* c = AddNode(p, 8, 0, 0);
    VelmorObject* s = AddSection(p, 2.1e11, 0.01, 8.5e-5);
    VelmorObject* ab = AddBeam(p, s, a, b);
    VelmorObject* bc = AddBeam(p, s, c, b); // from its higher-numbered node
    AddSupport(p, a, 1, {1, 1, 0, 0, 0, 1});
    AddSupport(p, c, 1, {1, 1, 0, 0, 0, 1});
    AddBeamLoad(p, ab, LOAD_CONSTANT_GLOBAL, {0, -4000, 0}, {0, -4000, 0});
    AddBeamLoad(p, bc, LOAD_CONSTANT_GLOBAL, {1500, 0, 0}, {1500, 0, 0});
}

SystemState StateOf(const Analysis& a)
{
    SystemState s;
    // The matrix and the loads exist while the analysis is ready; the displacements stay.
    if (a.Ready()) {
        const long n = a.EquationCount();
        for (long i = 1; i <= n; ++i)
            for (long j = 1; j <= n; ++j)
                s.K.push_back(a.SystemMatrixAt(i, j));
        for (long i = 1; i <= long(a.TotalLoads().Rows()); ++i)
            s.F.push_back(a.TotalLoads().At(i));
    }
    for (long i = 1; i <= long(a.Displacements().Rows()); ++i)
        s.D.push_back(a.Displacements().At(i));
    return s;
}

std::vector<std::vector<double>> EndForces(const Analysis& a)
{
    std::vector<std::vector<double>> all;
    for (const auto& beam : a.Problem().List(KIND_BEAM)) {
        const Vector& q = a.BeamResult(*beam).q;
        std::vector<double> v;
        for (long i = 1; i <= long(q.Rows()); ++i)
            v.push_back(q.At(i));
        all.push_back(v);
    }
    return all;
}

ReferenceRun Reference(Builder build)
{
    VelmorProblem p;
    build(p);
    Analysis a(p);
    ReferenceRun run;
    if (!a.InitAnalysis())
        return run;
    a.NumberNodes(0);
    a.StiffnessStep(0, false);
    run.stiffness = StateOf(a);
    a.LoadStep(0, LoadKind::Nodal, false);
    run.loads = StateOf(a);
    a.SupportStep(0);
    run.supports = StateOf(a);
    if (a.SolveSystem()) {
        run.solution = StateOf(a);
        a.ComputeResults();
        run.endForces = EndForces(a);
    }
    return run;
}

bool ExamineUntil(VelmorTutor& t, TutorStage target, TutorStage done, int limit)
{
    for (int i = 0; i < limit; ++i) {
        if (t.Target() == target && t.Done() == done)
            return true;
        if (!t.IsActive())
            return false;
        t.Examine();
    }
    return t.Target() == target && t.Done() == done;
}

} // namespace velmor::test
