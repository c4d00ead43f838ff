// Beam stiffness in local axes, the transformation to global axes and the assembly.
#include "Analysis.h"

#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"

#include <cmath>

namespace velmor {
namespace {

const VelmorSeccionData* sectionOf(const VelmorObject& beam)
{
    const VelmorObject* s = beam.GetParent(0);
    return s && s->Kind() == KIND_SECTION ? &static_cast<const VelmorSeccion*>(s)->Data() : nullptr;
}

bool isJoint(const VelmorObject* node)
{
    return node && node->Kind() == KIND_NODE && static_cast<const VelmorNudo*>(node)->Data().m_nJoint;
}

// Writes the upper-triangle entries (1-based) of a local stiffness into the row-major n x n
// array k, and their mirror.
struct Entries
{
    double* k;
    long n;
    void operator()(long i, long j, double v) const
    {
        k[(i - 1) * n + (j - 1)] = v;
        k[(j - 1) * n + (i - 1)] = v;
    }
};

// Bending terms of one plane: DOFs v1, r1, v2, r2 of the element, stiffness EI. The sign of the
// v-r couplings is `s` (+1 for the xy plane, -1 for the xz plane).
void bending(const Entries& set, long v1, long r1, long v2, long r2, double EI, double L, int h,
             double sign)
{
    if (h == 0) {
        double s = 6 * EI / (L * L);
        const double k12 = s * 2 / L, k6 = s, km12 = s * (-2) / L;
        set(v1, v1, k12);
        set(v2, v2, k12);
        set(v1, v2, km12);
        set(v1, r1, sign * k6);
        set(v1, r2, sign * k6);
        set(r1, v2, -sign * k6);
        set(v2, r2, -sign * k6);
        s = EI * 2 / L;
        set(r1, r1, s * 2);
        set(r2, r2, s * 2);
        set(r1, r2, s);
    } else if (h == 1 || h == 2) {
        const double s = 3 * EI / L;
        const double k3 = s / (L * L), k3L = s / L;
        set(v1, v1, k3);
        set(v2, v2, k3);
        set(v1, v2, -k3);
        if (h == 1) {
            set(v1, r2, sign * k3L);
            set(v2, r2, -sign * k3L);
            set(r2, r2, s);
        } else {
            set(v1, r1, sign * k3L);
            set(r1, v2, -sign * k3L);
            set(r1, r1, s);
        }
    }
}

void axial(const Entries& set, long u1, long u2, double EA_L)
{
    set(u1, u1, EA_L);
    set(u2, u2, EA_L);
    set(u1, u2, -EA_L);
}

} // namespace

int Analysis::ReleaseCode(const VelmorObject& beam)
{
    int h = (isJoint(beam.GetParent(1)) ? 1 : 0) + (isJoint(beam.GetParent(2)) ? 2 : 0);
    const VelmorSeccionData* s = sectionOf(beam);
    if (s && s->m_nShape == SHAPE_AXIAL)
        h = 3;
    return h;
}

MfxTMatrix Analysis::LocalFrame(const VelmorObject& beam)
{
    return static_cast<const VelmorViga&>(beam).LocalAxes();
}

void Analysis::BeamStiffness(const VelmorObject& beam, BeamAnalysis& r)
{
    BeamFrame(beam, r);
    const double L = r.L;
    const VelmorSeccionData section = sectionOf(beam) ? *sectionOf(beam) : VelmorSeccionData();
    const int h = r.release;
    const double E = section.m_E;
    const int c = m_nDof;
    const long w = 2 * c;
    double k[144] = {};
    const Entries set{k, w};
    switch (m_nType) {
    case PROBLEM_CONTINUOUS_BEAM:
        if (h != 3)
            bending(set, 1, 2, 3, 4, E * section.m_Iz, L, h, 1.0);
        break;
    case PROBLEM_PLANE_FRAME:
        axial(set, 1, 4, E * section.m_A / L);
        if (h != 3)
            bending(set, 2, 3, 5, 6, E * section.m_Iz, L, h, 1.0);
        break;
    case PROBLEM_SPACE_FRAME:
        axial(set, 1, 7, E * section.m_A / L);
        if (h != 3) {
            bending(set, 2, 6, 8, 12, E * section.m_Iz, L, h, 1.0);
            bending(set, 3, 5, 9, 11, E * section.m_Iy, L, h, -1.0);
        }
        // A beam with a released end carries no torsion: torsional stiffness only when both
        // ends are rigid (a stiffness on one end alone would tie that node to the ground).
        if (h == 0) {
            const double GJ_L = section.m_G * section.m_J / L;
            set(4, 4, GJ_L);
            set(10, 10, GJ_L);
            set(4, 10, -GJ_L);
        }
        break;
    case PROBLEM_SPACE_TRUSS:
        axial(set, 1, 4, section.m_A * E / L);
        break;
    default:
        break;
    }
    r.k.AssignDense(unsigned(w), k);
    r.band = int(r.k.Band());
}

void Analysis::BeamFrame(const VelmorObject& beam, BeamAnalysis& r)
{
    beam.GetPosition(r.end1, 1, 0);
    beam.GetPosition(r.end2, 2, 0);
    r.L = (r.end2 - r.end1).length();
    r.release = ReleaseCode(beam);
    const long w = 2 * m_nDof;
    // Transformation of the element vector, written straight into its row-major storage.
    const MfxTMatrix R = LocalFrame(beam);
    r.T.Reshape(unsigned(w), unsigned(w), 0, size_t(w * w));
    double* T = r.T.MutableData();
    auto at = [&](long i, long j) -> double& { return T[(i - 1) * w + (j - 1)]; };
    if (m_nType == PROBLEM_CONTINUOUS_BEAM) {
        // DOFs v and rz: a span drawn from right to left has its local y reversed.
        for (long b = 0; b < 2; ++b) {
            at(2 * b + 1, 2 * b + 1) = R(2, 2);
            at(2 * b + 2, 2 * b + 2) = R(3, 3);
        }
    } else {
        const long blocks = w / 3;
        for (long b = 0; b < blocks; ++b)
            for (int i = 1; i <= 3; ++i)
                for (int j = 1; j <= 3; ++j)
                    at(3 * b + i, 3 * b + j) = R(i, j);
    }
}

bool Analysis::ComputeBeamStiffness(const VelmorObject& beam)
{
    BeamAnalysis& r = BeamResult(beam);
    BeamStiffness(beam, r);
    const Mat& T = r.T;
    m_work.kLocal = r.k;
    m_work.band = r.band;
    m_work.T = T;
    m_work.kGlobal.AssignGeneral((T * r.k) * T.Transpose());
    m_work.na = beam.GetNumber(1);
    m_work.nb = beam.GetNumber(2);
    m_work.beamId = beam.Number();
    return true;
}

bool Analysis::AssembleBeam()
{
    if (!m_systemReady)
        PrepareSystem(false);
    if (m_sparse)
        m_S.AssembleElement(m_work.na, m_work.nb, m_work.kGlobal);
    else
        m_K.AssembleElement(SolverNode(m_work.na), SolverNode(m_work.nb), m_work.kGlobal, m_nDof);
    const int id = m_work.beamId;
    if (id >= 1 && size_t(id) <= m_beamTable.size())
        m_beamTable[size_t(id - 1)] = {id, m_work.na, m_work.nb};
    if (m_K0.Size() > 1)
        m_K0 = SymBandMat();
    return true;
}

bool Analysis::StiffnessStep(int index, bool assemble)
{
    if (index > 0) {
        const VelmorObject* beam = BeamAt(index);
        if (!beam)
            return false;
        return assemble ? AssembleBeam() : ComputeBeamStiffness(*beam);
    }
    if (!m_systemReady)
        PrepareSystem(false);
    if (m_sparse)
        return AssembleSparseStiffness();
    m_K.Zero();
    for (const auto& beam : m_problem.List(KIND_BEAM)) {
        ComputeBeamStiffness(*beam);
        AssembleBeam();
    }
    m_work.na = m_work.nb = 0;
    return m_problem.Count(KIND_BEAM) > 0;
}

} // namespace velmor
