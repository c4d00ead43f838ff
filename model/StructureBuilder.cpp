#include "StructureBuilder.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

// Restraints of the predefined supports 1 to 8 (tx, ty, tz, rx, ry, rz).
constexpr int kPredefined[8][6] = {
    {1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0}, {1, 1, 1, 0, 1, 1}, {1, 1, 1, 1, 0, 1},
    {1, 1, 1, 1, 1, 0}, {1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0},
};

// Torsion constant of a b x h rectangle (a the longer side, c the shorter).
double rectangleTorsion(double b, double h)
{
    const double a = std::max(b, h), c = std::min(b, h);
    return a * c * c * c * (1.0 / 3.0 - 0.21 * (c / a) * (1.0 - std::pow(c / a, 4) / 12.0));
}

} // namespace

StructureBuilder::StructureBuilder(VelmorProblem& problem, int problemType, bool bulk)
    : m_problem(problem), m_bulk(bulk)
{
    m_problem.SetProblemType(problemType);
}

VelmorObject* StructureBuilder::Create(ElementTemplate& t)
{
    return m_bulk ? m_problem.CreateUnchecked(t) : m_problem.CreateObject(t);
}

VelmorObject* StructureBuilder::Node(double x, double y, double z, int joint)
{
    ElementTemplate t;
    t.SetKind(KIND_NODE);
    t.m_node.m_coord = {x, y, z};
    t.m_node.m_nJoint = joint;
    return Create(t);
}

VelmorObject* StructureBuilder::Section(const VelmorSeccionData& section)
{
    ElementTemplate t;
    t.SetKind(KIND_SECTION);
    t.m_section = section;
    t.m_section.m_kind = KIND_SECTION;
    return Create(t);
}

VelmorObject* StructureBuilder::Rectangle(double b, double h, double E, double nu, double rho)
{
    VelmorSeccionData s;
    s.m_nShape = SHAPE_RECTANGULAR;
    s.m_b = b;
    s.m_h = h;
    s.m_E = E;
    s.m_nu = nu;
    s.m_G = E / (2.0 * (1.0 + nu));
    s.m_rho = rho;
    s.m_A = b * h;
    s.m_Iz = b * h * h * h / 12.0;
    s.m_Iy = h * b * b * b / 12.0;
    s.m_J = rectangleTorsion(b, h);
    return Section(s);
}

VelmorObject* StructureBuilder::Axial(double A, double E, double rho)
{
    VelmorSeccionData s;
    s.m_nShape = SHAPE_AXIAL;
    s.m_A = A;
    s.m_E = E;
    s.m_rho = rho;
    return Section(s);
}

VelmorObject* StructureBuilder::Beam(VelmorObject* section, VelmorObject* n1, VelmorObject* n2,
                                     Mfx3dPoint orientation)
{
    ElementTemplate t;
    t.SetKind(KIND_BEAM);
    t.m_beam.m_orientation = orientation;
    t.m_pParents[0] = section;
    t.m_pParents[1] = n1;
    t.m_pParents[2] = n2;
    return Create(t);
}

VelmorObject* StructureBuilder::SupportRecord(VelmorObject* node, VelmorApoyoData& record)
{
    ElementTemplate t;
    t.SetKind(KIND_SUPPORT);
    VelmorApoyoData::OrientationFor(record.m_nType, m_problem.m_nType, record.m_orientation);
    t.m_support = record;
    t.m_pParents[0] = node;
    return Create(t);
}

VelmorObject* StructureBuilder::Support(VelmorObject* node, int type,
                                        std::initializer_list<int> restraints)
{
    VelmorApoyoData record;
    record.m_nType = type;
    if (restraints.size() == 0 && type >= 1 && type <= 8)
        std::copy(std::begin(kPredefined[type - 1]), std::end(kPredefined[type - 1]),
                  record.m_restraint);
    else
        std::copy_n(restraints.begin(), std::min<size_t>(6, restraints.size()), record.m_restraint);
    return SupportRecord(node, record);
}

VelmorObject* StructureBuilder::Spring(VelmorObject* node, Mfx3dPoint k, Mfx3dPoint kRotation)
{
    VelmorApoyoData record;
    record.m_nType = SUPPORT_ELASTIC;
    record.m_springT = k;
    record.m_springR = kRotation;
    const double values[6] = {k.x, k.y, k.z, kRotation.x, kRotation.y, kRotation.z};
    for (int i = 0; i < 6; ++i)
        record.m_restraint[i] = values[i] != 0.0;
    return SupportRecord(node, record);
}

VelmorObject* StructureBuilder::Settlement(VelmorObject* node, std::initializer_list<int> restraints,
                                           Mfx3dPoint translation, Mfx3dPoint rotation)
{
    VelmorApoyoData record;
    record.m_nType = SUPPORT_SETTLEMENT;
    std::copy_n(restraints.begin(), std::min<size_t>(6, restraints.size()), record.m_restraint);
    record.m_translation = translation;
    record.m_rotation = rotation;
    return SupportRecord(node, record);
}

VelmorObject* StructureBuilder::NodalLoad(VelmorObject* node, Mfx3dPoint force, Mfx3dPoint moment)
{
    ElementTemplate t;
    t.SetKind(KIND_NODAL_LOAD);
    t.m_load.SetTypeFromKeyword(VelmorCargaData::TypeKeyword(LOAD_NODAL));
    t.m_load.m_point[0] = force;
    t.m_load.m_point[1] = moment;
    t.m_pParents[0] = node;
    return Create(t);
}

VelmorObject* StructureBuilder::BeamLoad(VelmorObject* beam, int type, Mfx3dPoint q1, Mfx3dPoint q2,
                                         Mfx3dPoint m1, Mfx3dPoint m2)
{
    ElementTemplate t;
    t.SetKind(KIND_BEAM_LOAD);
    t.m_load.SetTypeFromKeyword(VelmorCargaData::TypeKeyword(type));
    const bool constant = type == LOAD_CONSTANT_LOCAL || type == LOAD_CONSTANT_GLOBAL ||
                          type == LOAD_CONSTANT_PROJECTED;
    t.m_load.m_point[0] = q1;
    t.m_load.m_point[1] = m1;
    t.m_load.m_point[2] = constant ? q1 : q2;
    t.m_load.m_point[3] = constant ? m1 : m2;
    t.m_pParents[0] = beam;
    return Create(t);
}

} // namespace velmor
