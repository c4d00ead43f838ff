#include "EngineFixtures.h"

#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"

#include <cmath>

namespace velmor::test {

std::array<double, 6> NodeValues(const Analysis& a, const Vector& v, const VelmorObject* node)
{
    std::array<double, 6> out{};
    const long c = a.DofPerNode();
    const long k = node->GetNumber(0);
    long next = (k - 1) * c + 1;
    for (int j = 0; j < 6; ++j)
        if (a.DofMask()[j])
            out[size_t(j)] = v.At(next++);
    return out;
}

std::vector<std::string> Texts(const AnalysisStatus& status)
{
    std::vector<std::string> texts;
    for (const EngineMessage& m : status.Messages())
        texts.push_back(m.text);
    return texts;
}

namespace {

void add(Resultant& r, const Mfx3dPoint& at, const Mfx3dPoint& force, const Mfx3dPoint& moment)
{
    r.force += force;
    r.moment += cross(at, force) + moment;
}

Mfx3dPoint position(const VelmorObject& e, int end)
{
    Mfx3dPoint point;
    e.GetPosition(point, end, 0);
    return point;
}

} // namespace

Resultant AppliedLoads(const VelmorProblem& p)
{
    Resultant r;
    for (const auto& load : p.List(KIND_NODAL_LOAD)) {
        const VelmorCargaData& d = static_cast<const VelmorCarga&>(*load).Data();
        add(r, position(*load, 0), d.m_point[0], d.m_point[1]);
    }
    // A load varying linearly from q1 to q2 over [a, b]: resultant L (q1 + q2) / 2 acting at
    // a + (b - a) (q1 + 2 q2) / (3 (q1 + q2)), taken componentwise by splitting it into two
    // triangles of resultants L q1 / 2 at a third and L q2 / 2 at two thirds.
    auto linearLoad = [&](const Mfx3dPoint& a, const Mfx3dPoint& b, const Mfx3dPoint& q1,
                          const Mfx3dPoint& q2, const Mfx3dPoint& m1, const Mfx3dPoint& m2, double L) {
        add(r, a + (b - a) * (1.0 / 3.0), q1 * (L / 2), m1 * (L / 2));
        add(r, a + (b - a) * (2.0 / 3.0), q2 * (L / 2), m2 * (L / 2));
    };
    for (const auto& object : p.List(KIND_BEAM_LOAD)) {
        const VelmorCargaData& d = static_cast<const VelmorCarga&>(*object).Data();
        const VelmorObject& beam = *object->GetParent(0);
        const Mfx3dPoint a = position(beam, 1), b = position(beam, 2);
        const double L = (b - a).length();
        Mfx3dPoint q[4] = {d.m_point[0], d.m_point[1], d.m_point[2], d.m_point[3]};
        if (d.m_nLocal) {
            const MfxTMatrix frame = Analysis::LocalFrame(beam);
            for (Mfx3dPoint& v : q)
                v = frame * Mfx3dPoint(v.x, v.y, v.z, 0.0);
        } else if (d.m_nProjected) {
            Mfx3dPoint span = b - a;
            if (p.m_nType == PROBLEM_PLANE_FRAME)
                span.y = 0;
            else
                span.z = 0;
            for (Mfx3dPoint& v : q)
                v = v * (span.length() / L);
        }
        linearLoad(a, b, q[0], q[2], q[1], q[3], L);
    }
    for (const auto& beam : p.List(KIND_BEAM)) {
        if (!static_cast<const VelmorViga&>(*beam).HasSelfWeight())
            continue;
        const VelmorSeccionData& s = static_cast<const VelmorSeccion*>(beam->GetParent(0))->Data();
        const Mfx3dPoint a = position(*beam, 1), b = position(*beam, 2);
        const double w = -9.81 * s.m_rho * s.m_A;
        const Mfx3dPoint g = p.m_nType <= PROBLEM_PLANE_FRAME ? Mfx3dPoint(0, w, 0) : Mfx3dPoint(0, 0, w);
        linearLoad(a, b, g, g, {0, 0, 0}, {0, 0, 0}, (b - a).length());
    }
    return r;
}

Resultant Reactions(const Analysis& a)
{
    Resultant r;
    for (const auto& node : a.Problem().List(KIND_NODE)) {
        const std::array<double, 6> v = NodeValues(a, a.Reactions(), node.get());
        add(r, position(*node, 0), {v[0], v[1], v[2]}, {v[3], v[4], v[5]});
    }
    return r;
}

void Parallelogram(VelmorProblem& p, double k)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* bar = b.Axial(0.004, 2.1e11);
    const double t = 0.3;
    auto rotated = [&](double x, double y) {
        return b.Node(x * std::cos(t) - y * std::sin(t), x * std::sin(t) + y * std::cos(t), 0, 1);
    };
    VelmorObject* n[4] = {rotated(0, 0), rotated(3, 0), rotated(3, 2), rotated(0, 2)};
    for (int i = 1; i <= 3; ++i)
        b.Beam(bar, n[i], n[(i + 1) % 4]);
    b.Support(n[0], 9, {1, 1, 0, 0, 0, 0});
    b.Support(n[1], 9, {1, 1, 0, 0, 0, 0});
    b.NodalLoad(n[2], {1000, 0, 0});
    if (k > 0.0)
        b.Spring(n[2], {k, 0, 0});
}

} // namespace velmor::test
