// The data records of the structural elements: one record per element holding its own values
// (SI units throughout), with the copy, the validity test and the binary and text record forms
// used inside the document file. The editor keeps one record of each kind as its template.
#pragma once

#include "ElementKind.h"
#include "numeric/Mfx3dPoint.h"
#include "numeric/MfxTMatrix.h"

#include <memory>

namespace velmor {

class Archive;

class VelmorObjectData
{
public:
    VelmorObjectData() = default;
    explicit VelmorObjectData(int kind) : m_kind(kind) {}
    virtual ~VelmorObjectData() = default;

    virtual const char* GetRuntimeClass() const { return "VelmorObjectData"; }
    // Writes or reads the record, in the archive's direction and form. Binary: kind and number
    // as 16-bit words (read back zero-extended). Text: "<keyword> <number> \n"; reading takes
    // the kind from the keyword (an unknown keyword keeps it) and the number.
    virtual void Serialize(Archive& ar);
    virtual int IsValid() const { return 1; }
    // Copies every field of `other` (which must be of the same class; otherwise only the base
    // fields are copied) and returns this record.
    virtual VelmorObjectData& Assign(const VelmorObjectData& other);
    // A new record of the same class, equal to this one.
    virtual std::unique_ptr<VelmorObjectData> Clone() const;
    // Every stored double is a finite number (a file may carry nan or inf).
    virtual bool IsFinite() const { return true; }

    int m_number = 0;
    int m_kind = KIND_NONE;
};

// Node: coordinates in metres and the hinged-joint flag.
class VelmorNudoData : public VelmorObjectData
{
public:
    VelmorNudoData() : VelmorObjectData(KIND_NODE) {}
    const char* GetRuntimeClass() const override { return "VelmorNudoData"; }
    void Serialize(Archive& ar) override;
    VelmorObjectData& Assign(const VelmorObjectData& other) override;
    std::unique_ptr<VelmorObjectData> Clone() const override;
    bool IsFinite() const override;

    // Set by the numbering step of an analysis, which otherwise only reads the structure (so
    // it may write it through a const node); not stored in files, not part of the structure.
    mutable int m_nAnalysisNumber = 0;
    Mfx3dPoint m_coord;         // x, y, z in metres, w = 1
    int m_nJoint = 0;           // non-zero: hinged joint (the beam ends are pinned there)
};

// Beam: the orientation point that fixes its local axes with its end nodes.
class VelmorVigaData : public VelmorObjectData
{
public:
    VelmorVigaData() : VelmorObjectData(KIND_BEAM) {}
    const char* GetRuntimeClass() const override { return "VelmorVigaData"; }
    void Serialize(Archive& ar) override;
    VelmorObjectData& Assign(const VelmorObjectData& other) override;
    std::unique_ptr<VelmorObjectData> Clone() const override;
    bool IsFinite() const override;

    Mfx3dPoint m_orientation{0.0, 0.0, 1.0, 1.0};
    int m_nSpare = 0;  // kept and copied, never stored in files
};

// Shapes of a cross-section.
enum SectionShape : int {
    SHAPE_UNSET = 0,
    SHAPE_RECTANGULAR = 1,
    SHAPE_ARBITRARY = 2,
    SHAPE_AXIAL = 3,  // carries axial force only
};

// Cross-section with its material.
class VelmorSeccionData : public VelmorObjectData
{
public:
    VelmorSeccionData() : VelmorObjectData(KIND_SECTION) {}
    const char* GetRuntimeClass() const override { return "VelmorSeccionData"; }
    void Serialize(Archive& ar) override;
    VelmorObjectData& Assign(const VelmorObjectData& other) override;
    std::unique_ptr<VelmorObjectData> Clone() const override;
    bool IsFinite() const override;
    // Same section: E, Iy, Iz, G, A and J all equal (b, h, nu, rho and the shape not compared).
    bool SameSection(const VelmorSeccionData& other) const;

    double m_E = 0.0;    // Young's modulus, N/m2
    double m_Iy = 0.0;   // second moment about local y, m4
    double m_Iz = 0.0;   // second moment about local z, m4
    double m_G = 0.0;    // shear modulus, N/m2
    double m_J = 0.0;    // torsion constant, m4
    double m_A = 0.0;    // area, m2
    double m_nu = 0.0;   // Poisson's ratio
    double m_h = 0.0;    // height of a rectangle, m
    double m_b = 0.0;    // width of a rectangle, m
    double m_rho = 0.0;  // density; > 0 gives the beam its own weight
    int m_nShape = SHAPE_UNSET;
};

// Support types beyond the predefined symbols 0 to 9.
enum SupportType : int {
    SUPPORT_ELASTIC = 10,       // springs
    SUPPORT_SETTLEMENT = 11,    // prescribed displacement
};

// Support at a node: restraints, springs and prescribed displacements.
class VelmorApoyoData : public VelmorObjectData
{
public:
    VelmorApoyoData() : VelmorObjectData(KIND_SUPPORT) {}
    const char* GetRuntimeClass() const override { return "VelmorApoyoData"; }
    void Serialize(Archive& ar) override;
    int IsValid() const override;
    VelmorObjectData& Assign(const VelmorObjectData& other) override;
    std::unique_ptr<VelmorObjectData> Clone() const override;
    bool IsFinite() const override;

    // The matrix the text form rebuilds for a support type in a problem type (the third column
    // is the direction in which the symbol stands off its node). False for type 11 and any type
    // without a rule: the orientation is then left as it was.
    static bool OrientationFor(int supportType, int problemType, MfxTMatrix& orientation);

    int m_restraint[6] = {0, 0, 0, 0, 0, 0};  // tx, ty, tz, rx, ry, rz; 1 = restrained
    int m_nType = 0;
    MfxTMatrix m_orientation;                 // frame of the symbol; identity by default
    Mfx3dPoint m_translation;                 // prescribed (dx, dy, dz), m
    Mfx3dPoint m_rotation;                    // prescribed rotations, rad
    Mfx3dPoint m_springT;                     // spring stiffness of translations, N/m
    Mfx3dPoint m_springR;                     // spring stiffness of rotations, N m/rad
};

// Load types and their text keywords.
enum LoadType : int {
    LOAD_UNSET = 0,
    LOAD_NODAL = 1,
    LOAD_LINEAR_LOCAL = 2,
    LOAD_LINEAR_GLOBAL = 3,
    LOAD_CONSTANT_LOCAL = 4,
    LOAD_CONSTANT_GLOBAL = 5,
    LOAD_LINEAR_PROJECTED = 6,
    LOAD_CONSTANT_PROJECTED = 7,
};

// Load on a node (kind 4: forces in point 1, moments in point 2) or on a beam (kind 5: load
// and distributed moment at the first node in points 1 and 2, at the second in points 3 and 4).
class VelmorCargaData : public VelmorObjectData
{
public:
    VelmorCargaData() : VelmorObjectData(KIND_NODAL_LOAD) {}
    const char* GetRuntimeClass() const override { return "VelmorCargaData"; }
    void Serialize(Archive& ar) override;
    int IsValid() const override;
    VelmorObjectData& Assign(const VelmorObjectData& other) override;
    std::unique_ptr<VelmorObjectData> Clone() const override;
    bool IsFinite() const override;

    // Keyword of a load type, or "" for none.
    static const char* TypeKeyword(int type);
    // Sets type, kind, local and projected from a keyword; false (and nothing set) if unknown.
    bool SetTypeFromKeyword(const char* word);

    Mfx3dPoint m_point[4];
    int m_nLocal = 0;      // 1: values in the beam's local axes
    int m_nProjected = 0;  // 1: global load per unit of projected length
    double m_dExtra = 0.0; // stored in binary files and copied
    int m_nResultant = 1;  // draw as resultant
    int m_nType = LOAD_UNSET;
};

} // namespace velmor
