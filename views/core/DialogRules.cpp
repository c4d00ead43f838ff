#include "DialogRules.h"

namespace velmor {
namespace {

// 1/12 as the double nearest to it.
constexpr double kOneTwelfth = 1.0 / 12.0;
// A width or height at or above this (cm) is taken as not given.
constexpr double kLengthLimit = 1e4;
// A modulus at or above this (N/cm2) is taken as not given.
constexpr double kModulusLimit = 1e20;

bool Given(double v, double limit)
{
    return v > 0.0 && v < limit;
}

// The components a problem type carries at a node, in the order tx, ty, tz, rx, ry, rz: x from
// plane frames on, y always, z in space, the rotations about x and y in space frames only, the
// rotation about z everywhere but in trusses.
void NodeComponents(int problemType, bool on[6])
{
    on[0] = problemType > PROBLEM_CONTINUOUS_BEAM;
    on[1] = true;
    on[2] = problemType > PROBLEM_PLANE_FRAME;
    on[3] = problemType == PROBLEM_SPACE_FRAME;
    on[4] = problemType == PROBLEM_SPACE_FRAME;
    on[5] = problemType != PROBLEM_SPACE_TRUSS;
}

const Mfx3dPoint kZero(0.0, 0.0, 0.0);

} // namespace

// ---------------------------------------------------------------- section

SectionValues SectionToDialogUnits(const VelmorSeccionData& r)
{
    SectionValues v;
    v.number = r.m_number;
    v.shape = r.m_nShape;
    v.b = r.m_b * 100.0;
    v.h = r.m_h * 100.0;
    v.A = r.m_A * 1e4;
    v.Iy = r.m_Iy * 1e8;
    v.Iz = r.m_Iz * 1e8;
    v.J = r.m_J * 1e8;
    v.E = r.m_E / 1e4;
    v.G = r.m_G / 1e4;
    v.nu = r.m_nu;
    v.rho = r.m_rho / 1e6;
    return v;
}

void SectionFromDialogUnits(const SectionValues& v, const SectionValues& o, VelmorSeccionData& r)
{
    auto back = [](double shown, double opened, double& field, double fromDialog) {
        if (shown != opened)
            field = fromDialog;
    };
    back(v.b, o.b, r.m_b, v.b / 100.0);
    back(v.h, o.h, r.m_h, v.h / 100.0);
    back(v.A, o.A, r.m_A, v.A / 1e4);
    back(v.Iy, o.Iy, r.m_Iy, v.Iy / 1e8);
    back(v.Iz, o.Iz, r.m_Iz, v.Iz / 1e8);
    back(v.J, o.J, r.m_J, v.J / 1e8);
    back(v.E, o.E, r.m_E, v.E * 1e4);
    back(v.G, o.G, r.m_G, v.G * 1e4);
    back(v.nu, o.nu, r.m_nu, v.nu);
    back(v.rho, o.rho, r.m_rho, v.rho * 1e6);
    r.m_nShape = v.shape;
}

int InitialSectionShape(int shape, int problemType)
{
    if (shape != SHAPE_UNSET)
        return shape;
    return problemType == PROBLEM_SPACE_TRUSS ? SHAPE_AXIAL : SHAPE_RECTANGULAR;
}

bool ComputeSection(SectionValues& v, int P)
{
    bool valid = true;
    switch (v.shape) {
    case SHAPE_RECTANGULAR:
        if (Given(v.b, kLengthLimit) && Given(v.h, kLengthLimit)) {
            v.Iy = v.b * (v.h * v.h * v.h) * kOneTwelfth;
            v.Iz = (v.b * v.b * v.b) * v.h * kOneTwelfth;
            v.J = v.Iy + v.Iz;
            v.A = v.b * v.h;
        } else {
            v.Iy = v.Iz = v.J = v.A = 0.0;
        }
        valid = v.Iy != 0.0 || P != PROBLEM_SPACE_FRAME;
        if (v.Iz == 0.0)
            valid = valid && P == PROBLEM_SPACE_TRUSS;
        if (v.J == 0.0)
            valid = valid && P != PROBLEM_SPACE_FRAME;
        if (v.A == 0.0)
            valid = valid && P == PROBLEM_CONTINUOUS_BEAM;
        break;
    case SHAPE_ARBITRARY:
        if (!(v.Iz > 0.0 || P == PROBLEM_SPACE_TRUSS))
            valid = false;
        else if ((v.Iy <= 0.0 && P == PROBLEM_SPACE_FRAME) ||
                 (v.A <= 0.0 && P != PROBLEM_CONTINUOUS_BEAM))
            valid = false;
        else if (P == PROBLEM_SPACE_FRAME && v.J <= 0.0) {
            v.J = v.Iy + v.Iz;
            valid = v.J != 0.0;
        }
        break;
    case SHAPE_AXIAL:
        valid = v.A > 0.0 && Given(v.E, kModulusLimit);
        break;
    default:
        valid = false;  // no shape chosen
        break;
    }
    if (!Given(v.E, kModulusLimit))
        valid = false;
    if (P == PROBLEM_SPACE_FRAME) {
        if (!Given(v.G, kModulusLimit))
            v.G = v.nu == -1.0 ? 0.0 : v.E / (2.0 * (1.0 + v.nu));
        if (v.G == 0.0)
            valid = false;
    }
    return valid;
}

SectionEnabling SectionControlsEnabled(int S, int P)
{
    SectionEnabling e;
    e.axial = P != PROBLEM_CONTINUOUS_BEAM;
    e.rectangular = e.arbitrary = P != PROBLEM_SPACE_TRUSS;
    e.number = false;
    e.E = true;
    e.G = e.nu = S != SHAPE_AXIAL && P == PROBLEM_SPACE_FRAME;
    e.b = e.h = S == SHAPE_RECTANGULAR;
    e.Iy = e.J = S == SHAPE_ARBITRARY && P == PROBLEM_SPACE_FRAME;
    e.Iz = S == SHAPE_ARBITRARY && P != PROBLEM_SPACE_TRUSS;
    e.A = S >= SHAPE_ARBITRARY && P >= PROBLEM_PLANE_FRAME;
    e.rho = true;
    return e;
}

// ---------------------------------------------------------------- nodal load

NodalLoadEnabling NodalLoadControlsEnabled(int problemType)
{
    bool on[6];
    NodeComponents(problemType, on);
    NodalLoadEnabling e;
    for (int i = 0; i < 3; ++i) {
        e.force[i] = on[i];
        e.moment[i] = on[3 + i];
    }
    return e;
}

bool NodalLoadNonEmpty(const VelmorCargaData& load)
{
    return load.m_point[0] != kZero || load.m_point[1] != kZero;
}

void MakeNodalLoad(VelmorCargaData& load)
{
    load.SetTypeFromKeyword(VelmorCargaData::TypeKeyword(LOAD_NODAL));
}

// ---------------------------------------------------------------- beam load

bool IsLinearLoadType(int type)
{
    return type == LOAD_LINEAR_LOCAL || type == LOAD_LINEAR_GLOBAL ||
           type == LOAD_LINEAR_PROJECTED;
}

bool IsProjectedLoadType(int type)
{
    return type == LOAD_LINEAR_PROJECTED || type == LOAD_CONSTANT_PROJECTED;
}

bool IsConstantLoadType(int type)
{
    return type == LOAD_CONSTANT_LOCAL || type == LOAD_CONSTANT_GLOBAL ||
           type == LOAD_CONSTANT_PROJECTED;
}

int InitialBeamLoadType(int type)
{
    return type >= LOAD_LINEAR_LOCAL && type <= LOAD_CONSTANT_PROJECTED ? type
                                                                        : LOAD_CONSTANT_GLOBAL;
}

void SetBeamLoadType(VelmorCargaData& load, int type)
{
    load.SetTypeFromKeyword(VelmorCargaData::TypeKeyword(type));
}

BeamLoadEnabling BeamLoadControlsEnabled(int T, int P)
{
    const bool linear = IsLinearLoadType(T);
    const bool projected = IsProjectedLoadType(T);
    const bool space = P == PROBLEM_SPACE_FRAME;
    BeamLoadEnabling e;
    for (int i = 0; i < 6; ++i)
        e.typeButton[i] = !IsProjectedLoadType(kLoadTypeButtons[i].type) ||
                          P == PROBLEM_PLANE_FRAME || P == PROBLEM_SPACE_FRAME;
    const bool x = P >= PROBLEM_PLANE_FRAME && !projected;
    const bool y = (P != PROBLEM_SPACE_TRUSS && !projected) || (P == PROBLEM_PLANE_FRAME && projected);
    const bool mxy = space && !projected;
    const bool mz = P != PROBLEM_SPACE_TRUSS && !projected;
    const bool load[3] = {x, y, space};
    const bool moment[3] = {mxy, mxy, mz};
    for (int i = 0; i < 3; ++i) {
        e.load1[i] = load[i];
        e.moment1[i] = moment[i];
        e.load2[i] = linear && load[i];
        e.moment2[i] = linear && moment[i];
    }
    return e;
}

void CopyConstantLoad(VelmorCargaData& load)
{
    if (IsLinearLoadType(load.m_nType))
        return;
    load.m_point[2] = load.m_point[0];
    load.m_point[3] = load.m_point[1];
}

// ---------------------------------------------------------------- supports

bool PredefinedRestraints(int type, int flags[6])
{
    static const int kFlags[8][6] = {
        {1, 1, 1, 1, 1, 1},  // 1 fixed
        {1, 1, 1, 0, 0, 0},  // 2 pinned
        {1, 1, 1, 0, 1, 1},  // 3 hinge about x
        {1, 1, 1, 1, 0, 1},  // 4 hinge about y
        {1, 1, 1, 1, 1, 0},  // 5 hinge about z
        {1, 0, 0, 0, 0, 0},  // 6 x held
        {0, 1, 0, 0, 0, 0},  // 7 y held
        {0, 0, 1, 0, 0, 0},  // 8 z held
    };
    if (type < 1 || type > 8)
        return false;
    for (int i = 0; i < 6; ++i)
        flags[i] = kFlags[type - 1][i];
    return true;
}

int SupportButtonId(int type)
{
    if (type >= 1 && type <= 8)
        return 143 + type;
    if (type == kSupportUserDefined)
        return 143;
    if (type == SUPPORT_ELASTIC)
        return 200;
    return 0;
}

void ChooseSupportType(VelmorApoyoData& support, int type, int problemType)
{
    if (SupportButtonId(type) == 0)
        return;
    support.m_nType = type;
    PredefinedRestraints(type, support.m_restraint);
    VelmorApoyoData::OrientationFor(type, problemType, support.m_orientation);
    support.m_translation = Mfx3dPoint();
    support.m_rotation = Mfx3dPoint();
}

void SupportCheckStates(const VelmorApoyoData& support, bool checked[6])
{
    const double settlement[6] = {support.m_translation.x, support.m_translation.y,
                                  support.m_translation.z, support.m_rotation.x,
                                  support.m_rotation.y,    support.m_rotation.z};
    for (int i = 0; i < 6; ++i)
        checked[i] = support.m_restraint[i] != 0 || settlement[i] != 0.0;
}

bool HasSettlement(const VelmorApoyoData& support)
{
    return support.m_translation != kZero || support.m_rotation != kZero;
}

void ApplySprings(VelmorApoyoData& support, const Mfx3dPoint& springT, const Mfx3dPoint& springR)
{
    support.m_springT = springT;
    support.m_springR = springR;
    const double k[6] = {springT.x, springT.y, springT.z, springR.x, springR.y, springR.z};
    for (int i = 0; i < 6; ++i)
        support.m_restraint[i] = k[i] != 0.0 ? 1 : 0;
}

SupportEnabling SupportControlsEnabled(const VelmorApoyoData& support, int P, bool movePressed)
{
    SupportEnabling e;
    e.predefined[0] = P != PROBLEM_SPACE_TRUSS;
    e.predefined[1] = true;
    e.predefined[2] = e.predefined[3] = e.predefined[4] = P == PROBLEM_SPACE_FRAME;
    e.predefined[5] = e.predefined[6] = P > PROBLEM_CONTINUOUS_BEAM;
    e.predefined[7] = P > PROBLEM_PLANE_FRAME;
    e.userDefined = P == PROBLEM_SPACE_FRAME;
    e.springValues = support.m_nType == SUPPORT_ELASTIC;
    e.moveActive = HasSettlement(support) || movePressed;
    return e;
}

bool SettlementAllowed(const VelmorApoyoData& support)
{
    return support.m_nType != 0 && support.m_nType != SUPPORT_ELASTIC;
}

void SettlementControlsEnabled(const VelmorApoyoData& support, int problemType, bool enabled[6])
{
    NodeComponents(problemType, enabled);
    for (int i = 0; i < 6; ++i)
        enabled[i] = enabled[i] && support.m_restraint[i] != 0;
}

void SpringControlsEnabled(int problemType, bool enabled[6])
{
    NodeComponents(problemType, enabled);
}

} // namespace velmor
