// The load vector: nodal loads, equivalent nodal loads of beam loads and of self weight.
#include "Analysis.h"

#include "model/VelmorCarga.h"
#include "model/VelmorProblem.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"

#include <cmath>

namespace velmor {
namespace {

constexpr double kThird = 1.0 / 3.0, kSixth = 1.0 / 6.0, kTwentieth = 0.05, kThirtieth = 1.0 / 30.0,
                 kFortieth = 0.025, k120th = 1.0 / 120.0;
constexpr double kGravity = 9.81;

const VelmorSeccionData* sectionOf(const VelmorObject& beam)
{
    const VelmorObject* s = beam.GetParent(0);
    return s && s->Kind() == KIND_SECTION ? &static_cast<const VelmorSeccion*>(s)->Data() : nullptr;
}

// Global to local components with the beam's frame (its transpose: the frame is a rotation).
Mfx3dPoint toLocal(const MfxTMatrix& frame, const Mfx3dPoint& g)
{
    return frame.Transpose() * Mfx3dPoint(g.x, g.y, g.z, 0.0);
}

// Equivalent loads of a transverse intensity varying from q1 to q2 for the release codes 0 to 2,
// into the entries v1, r1 (node 1) and v2, r2 (node 2) of f; false for any other code.
bool bendingLoads(Vector& f, int h, double L, double q1, double q2, long v1, long r1, long v2, long r2)
{
    const double L2 = L * L;
    switch (h) {
    case 0:
        f.At(v1) = L * (7 * q1 + 3 * q2) * kTwentieth;
        f.At(r1) = L2 * (q1 * kTwentieth + q2 * kThirtieth);
        f.At(v2) = L * (3 * q1 + 7 * q2) * kTwentieth;
        f.At(r2) = -L2 * (q1 * kThirtieth + q2 * kTwentieth);
        return true;
    case 1:
        f.At(v1) = L * (11 * q1 + 4 * q2) * kFortieth;
        f.At(v2) = L * (9 * q1 + 16 * q2) * kFortieth;
        f.At(r2) = -L2 * (7 * q1 + 8 * q2) * k120th;
        return true;
    case 2:
        f.At(v1) = L * (16 * q1 + 9 * q2) * kFortieth;
        f.At(r1) = L2 * (8 * q1 + 7 * q2) * k120th;
        f.At(v2) = L * (4 * q1 + 11 * q2) * kFortieth;
        return true;
    default:
        return false;
    }
}

// Local equivalent nodal loads of intensities p (1-based p[1..12]) on a beam of length L with
// end-release code h, for a problem type.
Vector equivalentLoads(int type, int h, double L, const double* p)
{
    auto P = [p](int i) { return p[i]; };
    switch (type) {
    case PROBLEM_SPACE_FRAME: {
        Vector f(12);
        if (h < 0 || h > 3)
            return f;
        for (int i = 1; i <= 4; ++i) {
            f.At(i) = L * (P(i) * kThird + P(i + 6) * kSixth);
            f.At(i + 6) = L * (P(i) * kSixth + P(i + 6) * kThird);
        }
        if (h == 3)
            return f;
        // A beam with a released end carries no torsion from that end: the whole distributed
        // torque goes to its rigid end.
        if (h == 1) {
            f.At(10) = f.At(4) + f.At(10);
            f.At(4) = 0.0;
        } else if (h == 2) {
            f.At(4) = f.At(4) + f.At(10);
            f.At(10) = 0.0;
        }
        for (int a = 2; a <= 3; ++a) {
            const int b = a + 6;
            // Transverse force along y (a = 2) or z (a = 3).
            if (h == 0) {
                f.At(a) = L * (7 * P(a) + 3 * P(b)) * kTwentieth;
                f.At(b) = L * (3 * P(a) + 7 * P(b)) * kTwentieth;
            } else if (h == 1) {
                f.At(a) = L * (11 * P(a) + 4 * P(b)) * kFortieth;
                f.At(b) = L * (9 * P(a) + 16 * P(b)) * kFortieth;
            } else {
                f.At(a) = L * (16 * P(a) + 9 * P(b)) * kFortieth;
                f.At(b) = L * (4 * P(a) + 11 * P(b)) * kFortieth;
            }
        }
        const double L2 = L * L;
        if (h == 0) {
            f.At(5) = -L2 * (P(3) * kTwentieth + P(9) * kThirtieth);
            f.At(6) = L2 * (P(2) * kTwentieth + P(8) * kThirtieth);
            f.At(11) = L2 * (P(3) * kThirtieth + P(9) * kTwentieth);
            f.At(12) = -L2 * (P(2) * kThirtieth + P(8) * kTwentieth);
        } else if (h == 1) {
            f.At(11) = L2 * (7 * P(3) + 8 * P(9)) * k120th;
            f.At(12) = -L2 * (7 * P(2) + 8 * P(8)) * k120th;
        } else {
            f.At(5) = -L2 * (8 * P(3) + 7 * P(9)) * k120th;
            f.At(6) = L2 * (8 * P(2) + 7 * P(8)) * k120th;
        }
        return f;
    }
    case PROBLEM_PLANE_FRAME: {
        Vector f(6);
        if (h < 0 || h > 3)
            return f;
        f.At(1) = L * (P(1) * kThird + P(7) * kSixth);
        f.At(4) = L * (P(1) * kSixth + P(7) * kThird);
        const double q1 = P(2), q2 = P(8);
        if (!bendingLoads(f, h, L, q1, q2, 2, 3, 5, 6)) {
            f.At(2) = L * (q1 * kThird + q2 * kSixth);
            f.At(5) = L * (q1 * kSixth + q2 * kThird);
        }
        return f;
    }
    case PROBLEM_CONTINUOUS_BEAM: {
        Vector f(4);
        const double q1 = P(2), q2 = P(8);
        if (!bendingLoads(f, h, L, q1, q2, 1, 2, 3, 4) && h == 3) {
            f.At(1) = L * (2 * q1 + q2) * kSixth;
            f.At(3) = L * (q1 + 2 * q2) * kSixth;
        }
        return f;
    }
    case PROBLEM_SPACE_TRUSS: {
        // Every component, transverse ones included, goes to the two ends as on a bar pinned
        // at both: the reactions then carry the whole load of the bar.
        Vector f(6);
        for (int i = 1; i <= 3; ++i) {
            f.At(i) = L * (P(i) * kThird + P(i + 6) * kSixth);
            f.At(i + 3) = L * (P(i) * kSixth + P(i + 6) * kThird);
        }
        return f;
    }
    default:
        return Vector(1);
    }
}

// A vector of `size` entries: `v` when it has that size, zeros otherwise.
Vector sized(const Vector& v, unsigned size)
{
    return v.Rows() == size ? v : Vector(size);
}

} // namespace

void Analysis::UpdateTotalLoad()
{
    if (!m_bDeferTotal)
        m_F = m_Fequiv + m_Fnodal;
}

bool Analysis::ComputeNodalLoad(const VelmorObject& object)
{
    const auto& load = static_cast<const VelmorCarga&>(object);
    const Vector six = load.GetNodalLoadVector();
    m_work.fGlobal = six.SelectByMask(m_dofMask, 6, 6, unsigned(m_nDof));
    m_work.node = load.GetNumber(0);
    m_work.loadId = load.Number();
    return true;
}

bool Analysis::AssembleNodalLoad()
{
    m_Fnodal.AddNode(m_work.node, m_work.fGlobal, m_nDof);
    const int id = m_work.loadId;
    if (id >= 1 && size_t(id) <= m_nodalLoadTable.size())
        m_nodalLoadTable[size_t(id - 1)] = {id, m_work.node};
    UpdateTotalLoad();
    return true;
}

BeamAnalysis& Analysis::BeamGeometry(const VelmorObject& beam)
{
    if (m_recordsWait && BeamIndex(beam) >= 0) {
        // A load reads the beam's frame only (ends, length, release, transformation).
        if (m_scratchOf != &beam) {
            BeamFrame(beam, m_scratchBeam);
            m_scratchOf = &beam;
        }
        return m_scratchBeam;
    }
    BeamAnalysis& r = BeamResult(beam);
    if (r.T.Rows() != unsigned(2 * m_nDof)) {
        const StepWorkspace saved = m_work;
        ComputeBeamStiffness(beam);
        m_work = saved;
    }
    return r;
}

Analysis::LoadSums Analysis::BeamLoadSums(const VelmorObject& beam)
{
    const long index = BeamIndex(beam);
    if (m_recordsWait && index >= 0) {
        if (m_waitingLoads.size() <= size_t(index))
            m_waitingLoads.resize(size_t(index) + 1);
        std::unique_ptr<WaitingLoads>& waiting = m_waitingLoads[size_t(index)];
        if (!waiting)
            waiting = std::make_unique<WaitingLoads>();
        return {waiting->p, waiting->equiv};
    }
    BeamAnalysis& r = BeamResult(beam);
    return {r.p, r.equiv};
}

bool Analysis::ComputeBeamLoad(const VelmorObject& object)
{
    const auto& load = static_cast<const VelmorCarga&>(object);
    const auto* beam = dynamic_cast<const VelmorViga*>(load.GetParent(0));
    if (!beam)
        return false;
    BeamAnalysis& r = BeamGeometry(*beam);
    const VelmorCargaData& d = load.Data();
    Mfx3dPoint pts[4] = {d.m_point[0], d.m_point[1], d.m_point[2], d.m_point[3]};
    if (!d.m_nLocal) {
        if (d.m_nProjected) {
            Mfx3dPoint span = r.end2 - r.end1;
            if (m_nType == PROBLEM_PLANE_FRAME)
                span.y = 0.0;
            else
                span.z = 0.0;
            const double ratio = span.length() / r.L;
            for (Mfx3dPoint& p : pts)
                p = p * ratio;
        }
        const MfxTMatrix frame = LocalFrame(*beam);
        for (Mfx3dPoint& p : pts)
            p = toLocal(frame, p);
    }
    double p[13] = {};
    for (int k = 0; k < 4; ++k) {
        p[3 * k + 1] = pts[k].x;
        p[3 * k + 2] = pts[k].y;
        p[3 * k + 3] = pts[k].z;
    }
    Vector intensities(12);
    for (long i = 1; i <= 12; ++i)
        intensities.At(i) = p[i];
    m_work.fLocal = equivalentLoads(m_nType, ReleaseCode(*beam), r.L, p);
    m_work.fGlobal = r.T * m_work.fLocal;
    m_work.shown1 = intensities;
    m_work.na = beam->GetNumber(1);
    m_work.nb = beam->GetNumber(2);
    m_work.beamId = beam->Number();
    m_work.loadId = load.Number();
    return true;
}

bool Analysis::AssembleBeamLoad()
{
    m_Fequiv.AddElement(m_work.na, m_work.nb, m_work.fGlobal, m_nDof);
    const int id = m_work.loadId;
    if (id >= 1 && size_t(id) <= m_distLoadTable.size())
        m_distLoadTable[size_t(id - 1)] = {id, m_work.na, m_work.nb};
    // The beam keeps the sum of every load assembled on it, so that its laws match the loads.
    if (const VelmorObject* beam = BeamAt(m_work.beamId)) {
        const LoadSums sums = BeamLoadSums(*beam);
        sums.p = sized(sums.p, 12) + m_work.shown1;
        sums.equiv = sized(sums.equiv, unsigned(2 * m_nDof)) + m_work.fGlobal;
    }
    UpdateTotalLoad();
    return true;
}

bool Analysis::ComputeSelfWeight(const VelmorObject& beam)
{
    m_work.na = beam.GetNumber(1);
    m_work.nb = beam.GetNumber(2);
    m_work.beamId = beam.Number();
    const VelmorSeccionData* section = sectionOf(beam);
    if (!section || section->m_rho == 0.0)
        return false;
    BeamAnalysis& r = BeamGeometry(beam);
    const double w = -kGravity * section->m_rho * section->m_A;
    const Mfx3dPoint g = m_nType == PROBLEM_CONTINUOUS_BEAM || m_nType == PROBLEM_PLANE_FRAME
                             ? Mfx3dPoint(0, w, 0)
                             : Mfx3dPoint(0, 0, w);
    const Mfx3dPoint local = toLocal(LocalFrame(beam), g);
    double p[13] = {};
    p[1] = p[7] = local.x;
    p[2] = p[8] = local.y;
    p[3] = p[9] = local.z;
    Vector intensities(12);
    for (long i = 1; i <= 12; ++i)
        intensities.At(i) = p[i];
    m_work.fLocal = equivalentLoads(m_nType, ReleaseCode(beam), r.L, p);
    m_work.fGlobal = r.T * m_work.fLocal;
    // A negative density is shown but not assembled: the beam's laws then leave it out too.
    if (section->m_rho > 0.0) {
        const LoadSums sums = BeamLoadSums(beam);
        sums.p = sized(sums.p, 12) + intensities;
        sums.equiv = sized(sums.equiv, unsigned(2 * m_nDof)) + m_work.fGlobal;
    }
    return true;
}

bool Analysis::AssembleSelfWeight()
{
    const int id = m_work.beamId;
    const VelmorObject* beam = BeamAt(id);
    if (!beam)
        return false;
    const VelmorSeccionData* section = sectionOf(*beam);
    if (section && section->m_rho > 0.0)
        m_Fequiv.AddElement(m_work.na, m_work.nb, m_work.fGlobal, m_nDof);
    m_weightTable[size_t(id - 1)] = {id, m_work.na, m_work.nb};
    UpdateTotalLoad();
    return true;
}

bool Analysis::LoadStep(int index, LoadKind kind, bool assemble)
{
    if (index > 0) {
        const int list = kind == LoadKind::Nodal  ? KIND_NODAL_LOAD
                         : kind == LoadKind::Beam ? KIND_BEAM_LOAD
                                                  : KIND_BEAM;
        if (size_t(index) > m_problem.Count(list))
            return false;
        const VelmorObject& e = *m_problem.List(list).at(size_t(index - 1));
        switch (kind) {
        case LoadKind::Nodal: return assemble ? AssembleNodalLoad() : ComputeNodalLoad(e);
        case LoadKind::Beam: return assemble ? AssembleBeamLoad() : ComputeBeamLoad(e);
        case LoadKind::SelfWeight: return assemble ? AssembleSelfWeight() : ComputeSelfWeight(e);
        }
        return false;
    }
    m_F.Zero();
    m_Fequiv.Zero();
    // The total is formed once at the end rather than after every load.
    m_bDeferTotal = true;
    for (const auto& load : m_problem.List(KIND_NODAL_LOAD))
        if (ComputeNodalLoad(*load))
            AssembleNodalLoad();
    for (const auto& load : m_problem.List(KIND_BEAM_LOAD))
        if (ComputeBeamLoad(*load))
            AssembleBeamLoad();
    for (const auto& beam : m_problem.List(KIND_BEAM)) {
        ComputeSelfWeight(*beam);
        AssembleSelfWeight();
    }
    m_bDeferTotal = false;
    UpdateTotalLoad();
    m_work.na = m_work.nb = 0;
    return true;
}

} // namespace velmor
