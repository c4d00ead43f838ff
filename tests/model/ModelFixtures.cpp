#include "ModelFixtures.h"

namespace velmor::test {
namespace {
StructureBuilder builder(VelmorProblem& p)
{
    return StructureBuilder(p, p.m_nType);
}
} // namespace

VelmorObject* AddNode(VelmorProblem& p, double x, double y, double z, int joint)
{
    return builder(p).Node(x, y, z, joint);
}

VelmorObject* AddSection(VelmorProblem& p, double E, double A, double I, int shape, double rho)
{
    VelmorSeccionData s;
    s.m_E = E;
    s.m_G = E / 2.6;
    s.m_A = A;
    s.m_Iy = I;
    s.m_Iz = I;
    s.m_J = 2 * I;
    s.m_nShape = shape;
    s.m_rho = rho;
    return builder(p).Section(s);
}

VelmorObject* AddBeam(VelmorProblem& p, VelmorObject* section, VelmorObject* n1, VelmorObject* n2)
{
    return builder(p).Beam(section, n1, n2);
}

VelmorObject* AddSupport(VelmorProblem& p, VelmorObject* node, int type,
                         std::initializer_list<int> restraints)
{
    return builder(p).Support(node, type, restraints);
}

VelmorObject* AddNodalLoad(VelmorProblem& p, VelmorObject* node, Mfx3dPoint force, Mfx3dPoint moment)
{
    return builder(p).NodalLoad(node, force, moment);
}

VelmorObject* AddBeamLoad(VelmorProblem& p, VelmorObject* beam, int type, Mfx3dPoint q1, Mfx3dPoint q2)
{
    return builder(p).BeamLoad(beam, type, q1, q2);
}

void BuildPortal(VelmorProblem& p)
{
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(p, 0, 0, 0);
    VelmorObject* b = AddNode(p, 0, 3, 0);
    VelmorObject* c = AddNode(p, 4, 3, 0, 1);
    VelmorObject* s = AddSection(p, 2.1e11, 0.01, 8.5e-5);
    AddBeam(p, s, a, b);
    VelmorObject* bc = AddBeam(p, s, b, c);
    AddSupport(p, a, 1, {1, 1, 0, 0, 0, 1});
    AddSupport(p, c, 2, {1, 1, 0, 0, 0, 0});
    AddNodalLoad(p, b, {10000, 0, 0});
    AddBeamLoad(p, bc, LOAD_CONSTANT_GLOBAL, {0, -5000, 0}, {0, -5000, 0});
}

} // namespace velmor::test
