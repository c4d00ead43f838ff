// What the data-entry dialogs of the editor decide without a window: the section computation
// and its validity, which controls each dialog enables for a problem type, the state of the
// load-type and support buttons, and the copies between the fields of the records.
#pragma once

#include "model/VelmorObjectData.h"

namespace velmor {

// ---------------------------------------------------------------- section and material (418)

// A section as the dialog shows it: b, h in cm, A in cm2, Iy, Iz, J in cm4, E and G in N/cm2,
// rho in kg/cm3, nu without unit.
struct SectionValues
{
    int number = 0;
    int shape = SHAPE_UNSET;
    double b = 0.0, h = 0.0, A = 0.0, Iy = 0.0, Iz = 0.0, J = 0.0;
    double E = 0.0, G = 0.0, nu = 0.0, rho = 0.0;
};

// The record's SI values in dialog units (every factor a single correctly rounded operation
// by an exact power of ten).
SectionValues SectionToDialogUnits(const VelmorSeccionData& record);
// Writes `values` back into `record` in SI units. A value equal to the one `opened` holds (what
// the dialog showed of the record when it opened) was not changed and keeps the record's own SI
// value bit for bit; the others are converted. Number and kind are left alone.
void SectionFromDialogUnits(const SectionValues& values, const SectionValues& opened,
                            VelmorSeccionData& record);

// The shape a section opens with: an unset shape becomes axial on a space truss and rectangular
// otherwise; a set shape is kept.
int InitialSectionShape(int shape, int problemType);

// Fills the derived values (A, Iy, Iz, J of a rectangle from b and h; J of an arbitrary space
// frame section from Iy + Iz; G of a space frame from E and nu) and returns whether the values
// make a section for the problem type. A value counts as given when it is > 0 and below 1e4
// (b, h) or 1e20 (E, G).
bool ComputeSection(SectionValues& values, int problemType);

// Enabled controls of dialog 418 for shape S and problem type P.
struct SectionEnabling
{
    bool axial = false;        // 216: P != 1
    bool rectangular = false;  // 226: P != 4
    bool arbitrary = false;    // 214: P != 4
    bool number = false;       // 224: never
    bool E = false;            // 218: always
    bool G = false, nu = false;  // 219, 225: S != 3 and P = 3
    bool b = false, h = false;   // 228, 220: S = 1
    bool Iy = false, J = false;  // 221, 223: S = 2 and P = 3
    bool Iz = false;           // 222: S = 2 and P != 4
    bool A = false;            // 215: S >= 2 and P >= 2
    bool rho = false;          // 227: always
};
SectionEnabling SectionControlsEnabled(int shape, int problemType);

// ---------------------------------------------------------------- nodal load (405)

// Enabled value boxes Fx, Fy, Fz, Mx, My, Mz (controls 251, 252, 253, 202, 203, 204).
struct NodalLoadEnabling
{
    bool force[3] = {};
    bool moment[3] = {};
};
NodalLoadEnabling NodalLoadControlsEnabled(int problemType);
// A nodal load carries something: one of its three forces or three moments is not exactly 0.
bool NodalLoadNonEmpty(const VelmorCargaData& load);
// Makes the record a nodal load (type 1, kind 4, global, not projected).
void MakeNodalLoad(VelmorCargaData& load);

// ---------------------------------------------------------------- beam load (406)

bool IsLinearLoadType(int type);     // 2, 3, 6
bool IsProjectedLoadType(int type);  // 6, 7
bool IsConstantLoadType(int type);   // 4, 5, 7

// The six type buttons, in the order the dialog lays them out.
struct LoadTypeButton
{
    int controlId;
    int type;
};
inline constexpr LoadTypeButton kLoadTypeButtons[6] = {
    {161, LOAD_CONSTANT_GLOBAL},  {163, LOAD_CONSTANT_LOCAL},     {162, LOAD_CONSTANT_PROJECTED},
    {189, LOAD_LINEAR_GLOBAL},    {191, LOAD_LINEAR_LOCAL},       {190, LOAD_LINEAR_PROJECTED},
};

// The type a beam load opens with: a distributed type (2 to 7) is kept; anything else (unset,
// nodal) becomes the constant load in global axes, so that the dialog never hands back a
// distributed load without a type.
int InitialBeamLoadType(int type);
// Sets type, kind 5, local and projected of a distributed load type.
void SetBeamLoadType(VelmorCargaData& load, int type);

// Enabled controls of dialog 406 for load type T and problem type P.
struct BeamLoadEnabling
{
    bool typeButton[6] = {};  // in the order of kLoadTypeButtons; projected only for P = 2, 3
    bool load1[3] = {};       // 155, 157, 159
    bool moment1[3] = {};     // 192, 194, 196
    bool load2[3] = {};       // 156, 158, 160
    bool moment2[3] = {};     // 193, 195, 197
};
BeamLoadEnabling BeamLoadControlsEnabled(int type, int problemType);
// A load that is not linear repeats its first node at the second: points 1 and 2 are copied
// into points 3 and 4. A linear load is left alone.
void CopyConstantLoad(VelmorCargaData& load);

// ---------------------------------------------------------------- supports (403, 401, 402)

inline constexpr int kSupportUserDefined = 9;

// Restraint flags (tx, ty, tz, rx, ry, rz) of the predefined supports 1 to 8; false for any
// other type (the flags are then left alone).
bool PredefinedRestraints(int type, int flags[6]);
// Control id of the picture button of a support type: 144 to 151 for 1 to 8, 143 for 9, 200
// for 10; 0 for any other type.
int SupportButtonId(int type);

// Chooses a predefined support (1 to 8), the user-defined one (9, flags left as they are) or
// the elastic support (10): sets the type and, for 1 to 8, the restraints, gives the support
// the orientation of its type in the problem type, and clears the prescribed displacements.
void ChooseSupportType(VelmorApoyoData& support, int type, int problemType);

// Restraint flags as the six check boxes show them: restrained, or with a prescribed
// displacement on that degree of freedom.
void SupportCheckStates(const VelmorApoyoData& support, bool checked[6]);
// A prescribed translation or rotation is not (0, 0, 0).
bool HasSettlement(const VelmorApoyoData& support);
// Takes the spring stiffnesses: each restraint flag is 1 where its stiffness is not 0.
void ApplySprings(VelmorApoyoData& support, const Mfx3dPoint& springT, const Mfx3dPoint& springR);

// Enabled controls of dialog 403. `movePressed`: the settlement button was the last one used.
struct SupportEnabling
{
    bool predefined[8] = {};  // 144 .. 151
    bool userDefined = false; // 143: P = 3
    bool springValues = false; // 201: type 10
    bool moveActive = false;  // 198 shows its active picture and 199 is enabled
};
SupportEnabling SupportControlsEnabled(const VelmorApoyoData& support, int problemType,
                                       bool movePressed);
// Whether the settlement button acts on the support: a type is chosen and it is not elastic.
bool SettlementAllowed(const VelmorApoyoData& support);

// Enabled boxes of dialog 401 (dx, dy, dz, ang x, ang y, ang z): only a restrained degree of
// freedom of the problem type can be given a settlement.
void SettlementControlsEnabled(const VelmorApoyoData& support, int problemType, bool enabled[6]);
// Enabled boxes of dialog 402 (kx, ky, kz, k ang x, k ang y, k ang z).
void SpringControlsEnabled(int problemType, bool enabled[6]);

} // namespace velmor
