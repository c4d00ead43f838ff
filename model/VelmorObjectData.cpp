#include "VelmorObjectData.h"

#include "ElementContainer.h"
#include "platform/core/Archive.h"

#include <cmath>
#include <cstring>

namespace velmor {
namespace {

// Copies `other` into `self` when both are of class T; returns whether they were.
template <class T> bool copyIfSame(T& self, const VelmorObjectData& other)
{
    const auto* o = dynamic_cast<const T*>(&other);
    if (!o || o == &self)
        return false;
    self = *o;
    return true;
}

const char* const kShapeWords[] = {"", "Rectangular", "Arbitrary", "Axial"};

int shapeFromWord(const char* word)
{
    for (int s = 1; s <= 3; ++s)
        if (std::strcmp(word, kShapeWords[s]) == 0)
            return s;
    return -1;
}

bool finite(const Mfx3dPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w);
}

bool isZero(const Mfx3dPoint& p)
{
    return p == Mfx3dPoint(0.0, 0.0, 0.0);
}

struct LoadKeyword
{
    const char* word;
    int kind;
    int local;
    int projected;
};
const LoadKeyword kLoadKeywords[] = {
    {"", KIND_NODAL_LOAD, 0, 0},
    {"nodal_load", KIND_NODAL_LOAD, 0, 0},
    {"linear_distributed_local_load", KIND_BEAM_LOAD, 1, 0},
    {"linear_distributed_global_load", KIND_BEAM_LOAD, 0, 0},
    {"constant_distributed_local_load", KIND_BEAM_LOAD, 1, 0},
    {"constant_distributed_global_load", KIND_BEAM_LOAD, 0, 0},
    {"linear_projected_global_load", KIND_BEAM_LOAD, 0, 1},
    {"constant_projected_global_load", KIND_BEAM_LOAD, 0, 1},
};

} // namespace

// ---------------------------------------------------------------- base record

void VelmorObjectData::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        if (ar.IsText()) {
            ar.WriteText(KindKeyword(m_kind));
            ar.WriteFormat(" %d", m_number);
            ar.WriteText(" \n");
        } else {
            ar.WriteShortInt(m_kind);
            ar.WriteShortInt(m_number);
        }
        return;
    }
    if (ar.IsText()) {
        const std::string line = ar.ReadLineOrThrow();
        char word[64] = "";
        int number = 0;
        if (!Archive::ScanExact(line, "%63s %d", word, &number) || KindFromKeyword(word) == KIND_NONE)
            ar.BadLine("en-tête d'élément illisible « " + line + " »");
        m_kind = KindFromKeyword(word);
        m_number = number;
    } else {
        m_kind = ar.ReadShortInt();
        m_number = ar.ReadShortInt();
    }
}

VelmorObjectData& VelmorObjectData::Assign(const VelmorObjectData& other)
{
    m_number = other.m_number;
    m_kind = other.m_kind;
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorObjectData::Clone() const
{
    return std::make_unique<VelmorObjectData>(*this);
}

// ---------------------------------------------------------------- node

void VelmorNudoData::Serialize(Archive& ar)
{
    VelmorObjectData::Serialize(ar);
    m_coord.Serialize(ar, ar.IsText());
    if (ar.IsStoring()) {
        if (ar.IsText())
            ar.WriteFormat("Joint: %d \n", m_nJoint);
        else
            ar.WriteShortInt(m_nJoint);
    } else if (ar.IsText()) {
        const std::string line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "Joint: %d", &m_nJoint))
            ar.BadLine("articulation illisible « " + line + " »");
    } else {
        m_nJoint = ar.ReadShortInt();
    }
}

VelmorObjectData& VelmorNudoData::Assign(const VelmorObjectData& other)
{
    if (!copyIfSame(*this, other))
        VelmorObjectData::Assign(other);
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorNudoData::Clone() const
{
    return std::make_unique<VelmorNudoData>(*this);
}

// ---------------------------------------------------------------- beam

void VelmorVigaData::Serialize(Archive& ar)
{
    VelmorObjectData::Serialize(ar);
    m_orientation.Serialize(ar, ar.IsText());
}

VelmorObjectData& VelmorVigaData::Assign(const VelmorObjectData& other)
{
    if (!copyIfSame(*this, other))
        VelmorObjectData::Assign(other);
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorVigaData::Clone() const
{
    return std::make_unique<VelmorVigaData>(*this);
}

// ---------------------------------------------------------------- section

void VelmorSeccionData::Serialize(Archive& ar)
{
    VelmorObjectData::Serialize(ar);
    if (ar.IsStoring()) {
        if (ar.IsText()) {
            ar.WriteText("Shape of cross section: ");
            ar.WriteText(m_nShape >= 1 && m_nShape <= 3 ? kShapeWords[m_nShape] : "");
            ar.WriteText(" \n");
            ar.WriteFormat("b=%g, h=%g, \nE=%g, G=%g, nu=%g, rho=%g,\nA=%g, Iy=%g, Iz=%g, J=%g \n",
                           m_b, m_h, m_E, m_G, m_nu, m_rho, m_A, m_Iy, m_Iz, m_J);
        } else {
            ar.WriteShortInt(m_nShape);
            for (double v : {m_b, m_h, m_E, m_Iy, m_Iz, m_G, m_J, m_A, m_nu, m_rho})
                ar.WriteDouble(v);
        }
        return;
    }
    if (ar.IsText()) {
        // A section without a shape is written with an empty word.
        const std::string shapeLine = ar.ReadLineOrThrow();
        const std::string prefix = "Shape of cross section:";
        if (shapeLine.rfind(prefix, 0) != 0)
            ar.BadLine("forme de section illisible « " + shapeLine + " »");
        const size_t first = shapeLine.find_first_not_of(' ', prefix.size());
        if (first != std::string::npos) {
            const std::string word = shapeLine.substr(first, shapeLine.find_last_not_of(' ') + 1 - first);
            const int shape = shapeFromWord(word.c_str());
            if (shape <= 0)
                ar.BadLine("forme de section inconnue « " + word + " »");
            m_nShape = shape;
        }
        std::string line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "b=%lf, h=%lf,", &m_b, &m_h))
            ar.BadLine("dimensions de section illisibles « " + line + " »");
        line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "E=%lf, G=%lf, nu=%lf, rho=%lf,", &m_E, &m_G, &m_nu, &m_rho))
            ar.BadLine("matériau illisible « " + line + " »");
        line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "A=%lf, Iy=%lf, Iz=%lf, J=%lf", &m_A, &m_Iy, &m_Iz, &m_J))
            ar.BadLine("caractéristiques de section illisibles « " + line + " »");
    } else {
        m_nShape = ar.ReadShortInt();
        for (double* v : {&m_b, &m_h, &m_E, &m_Iy, &m_Iz, &m_G, &m_J, &m_A, &m_nu, &m_rho})
            *v = ar.ReadDouble();
    }
}

bool VelmorSeccionData::SameSection(const VelmorSeccionData& o) const
{
    return m_E == o.m_E && m_Iy == o.m_Iy && m_Iz == o.m_Iz && m_G == o.m_G && m_A == o.m_A &&
           m_J == o.m_J;
}

VelmorObjectData& VelmorSeccionData::Assign(const VelmorObjectData& other)
{
    if (!copyIfSame(*this, other))
        VelmorObjectData::Assign(other);
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorSeccionData::Clone() const
{
    return std::make_unique<VelmorSeccionData>(*this);
}

// ---------------------------------------------------------------- support

bool VelmorApoyoData::OrientationFor(int supportType, int problemType, MfxTMatrix& orientation)
{
    using Rows = int[3][3];
    static const Rows kPlane = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    static const Rows kIdentity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    static const Rows kType4 = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    static const Rows kType5 = {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}};
    static const Rows kType6 = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    static const Rows kType7Plane = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    static const Rows kType7Space = {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}};
    const bool space = problemType == PROBLEM_SPACE_FRAME || problemType == PROBLEM_SPACE_TRUSS;
    const Rows* rows = nullptr;
    switch (supportType) {
    case 0: case 1: case 2: case 3: case 8: case 9: case SUPPORT_ELASTIC:
        rows = space ? &kIdentity : &kPlane;
        break;
    case 4: rows = &kType4; break;
    case 5: rows = &kType5; break;
    case 6: rows = &kType6; break;
    case 7: rows = space ? &kType7Space : &kType7Plane; break;
    default: return false;
    }
    orientation = MfxTMatrix();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            orientation(i + 1, j + 1) = (*rows)[i][j];
    return true;
}

void VelmorApoyoData::Serialize(Archive& ar)
{
    VelmorObjectData::Serialize(ar);
    Mfx3dPoint* const points[4] = {&m_translation, &m_rotation, &m_springT, &m_springR};
    if (ar.IsStoring()) {
        if (ar.IsText()) {
            ar.WriteText("Type of support: ");
            ar.WriteFormat("%d", m_nType);
            ar.WriteFormat(" (%d %d %d %d %d %d) \n", m_restraint[0], m_restraint[1],
                           m_restraint[2], m_restraint[3], m_restraint[4], m_restraint[5]);
            for (Mfx3dPoint* p : points)
                p->Serialize(ar, true);
        } else {
            ar.WriteShortInt(m_nType);
            for (int r : m_restraint)
                ar.WriteShortInt(r);
            m_orientation.Serialize(ar, false);
            for (Mfx3dPoint* p : points)
                p->Serialize(ar, false);
        }
        return;
    }
    if (ar.IsText()) {
        int type = 0;
        int r[6] = {0, 0, 0, 0, 0, 0};
        const std::string line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "Type of support: %d (%d %d %d %d %d %d)", &type, &r[0],
                                &r[1], &r[2], &r[3], &r[4], &r[5]))
            ar.BadLine("appui illisible « " + line + " »");
        // A restraint is held (1) or free (0): any other flag would pass for free.
        for (int flag : r)
            if (flag != 0 && flag != 1)
                ar.BadLine("blocage d'appui autre que 0 ou 1 « " + line + " »");
        // Types 0 to 9 and the prescribed displacement come from the line; the elastic type
        // follows from the springs below.
        if ((type >= 0 && type <= 9) || type == SUPPORT_SETTLEMENT)
            m_nType = type;
        for (int i = 0; i < 6; ++i)
            m_restraint[i] = r[i];
        OrientationFor(m_nType, ar.Container() ? ar.Container()->ProblemType() : 0, m_orientation);
        for (Mfx3dPoint* p : points)
            p->Serialize(ar, true);
        if (!isZero(m_springT) || !isZero(m_springR))
            m_nType = SUPPORT_ELASTIC;
    } else {
        m_nType = ar.ReadShortInt();
        for (int& flag : m_restraint) {
            flag = ar.ReadShortInt();
            if (flag != 0 && flag != 1)
                ar.BadValue("blocage d'appui autre que 0 ou 1");
        }
        m_orientation.Serialize(ar, false);
        for (Mfx3dPoint* p : points)
            p->Serialize(ar, false);
    }
}

int VelmorApoyoData::IsValid() const
{
    if (m_nType == SUPPORT_ELASTIC && (!isZero(m_springT) || !isZero(m_springR)))
        return 1;
    if (m_nType == SUPPORT_SETTLEMENT && (!isZero(m_translation) || !isZero(m_rotation)))
        return 1;
    for (int flag : m_restraint)
        if (flag != 0)
            return 1;
    return 0;
}

VelmorObjectData& VelmorApoyoData::Assign(const VelmorObjectData& other)
{
    if (!copyIfSame(*this, other))
        VelmorObjectData::Assign(other);
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorApoyoData::Clone() const
{
    return std::make_unique<VelmorApoyoData>(*this);
}

// ---------------------------------------------------------------- load

const char* VelmorCargaData::TypeKeyword(int type)
{
    return type >= LOAD_NODAL && type <= LOAD_CONSTANT_PROJECTED ? kLoadKeywords[type].word : "";
}

bool VelmorCargaData::SetTypeFromKeyword(const char* word)
{
    for (int t = LOAD_NODAL; t <= LOAD_CONSTANT_PROJECTED; ++t) {
        if (std::strcmp(word, kLoadKeywords[t].word) == 0) {
            m_nType = t;
            m_kind = kLoadKeywords[t].kind;
            m_nLocal = kLoadKeywords[t].local;
            m_nProjected = kLoadKeywords[t].projected;
            return true;
        }
    }
    return false;
}

void VelmorCargaData::Serialize(Archive& ar)
{
    VelmorObjectData::Serialize(ar);
    if (ar.IsStoring()) {
        if (ar.IsText()) {
            // A load without a type (the dialogs never make one) is written under the keyword
            // that reads back to its own kind and axes, so that the file stays readable.
            int type = m_nType;
            if (type < LOAD_NODAL || type > LOAD_CONSTANT_PROJECTED)
                type = m_kind != KIND_BEAM_LOAD ? LOAD_NODAL
                       : m_nLocal               ? LOAD_LINEAR_LOCAL
                       : m_nProjected           ? LOAD_LINEAR_PROJECTED
                                                : LOAD_LINEAR_GLOBAL;
            ar.WriteText(TypeKeyword(type));
            ar.WriteText("\n");
            for (Mfx3dPoint& p : m_point)
                p.Serialize(ar, true);
        } else {
            for (Mfx3dPoint& p : m_point)
                p.Serialize(ar, false);
            ar.WriteShortInt(m_nType);
            ar.WriteShortInt(m_nLocal);
            ar.WriteShortInt(m_nProjected);
            ar.WriteDouble(m_dExtra);
            ar.WriteShortInt(m_nResultant);
        }
        return;
    }
    if (ar.IsText()) {
        char word[64] = "";
        const std::string line = ar.ReadLineOrThrow();
        if (!Archive::ScanExact(line, "%63s", word) || !SetTypeFromKeyword(word))
            ar.BadLine("type de charge inconnu « " + line + " »");
        for (Mfx3dPoint& p : m_point)
            p.Serialize(ar, true);
    } else {
        for (Mfx3dPoint& p : m_point)
            p.Serialize(ar, false);
        m_nType = ar.ReadShortInt();
        m_nLocal = ar.ReadShortInt();
        m_nProjected = ar.ReadShortInt();
        m_dExtra = ar.ReadDouble();
        m_nResultant = ar.ReadShortInt();
    }
}

int VelmorCargaData::IsValid() const
{
    for (const Mfx3dPoint& p : m_point)
        if (!isZero(p))
            return 1;
    return 0;
}

VelmorObjectData& VelmorCargaData::Assign(const VelmorObjectData& other)
{
    if (!copyIfSame(*this, other))
        VelmorObjectData::Assign(other);
    return *this;
}

std::unique_ptr<VelmorObjectData> VelmorCargaData::Clone() const
{
    return std::make_unique<VelmorCargaData>(*this);
}

// ---------------------------------------------------------------- finiteness

bool VelmorNudoData::IsFinite() const
{
    return finite(m_coord);
}

bool VelmorVigaData::IsFinite() const
{
    return finite(m_orientation);
}

bool VelmorSeccionData::IsFinite() const
{
    for (double v : {m_E, m_Iy, m_Iz, m_G, m_J, m_A, m_nu, m_h, m_b, m_rho})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool VelmorApoyoData::IsFinite() const
{
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            if (!std::isfinite(m_orientation(i, j)))
                return false;
    return finite(m_translation) && finite(m_rotation) && finite(m_springT) && finite(m_springR);
}

bool VelmorCargaData::IsFinite() const
{
    for (const Mfx3dPoint& p : m_point)
        if (!finite(p))
            return false;
    return std::isfinite(m_dExtra);
}

} // namespace velmor
