#include "VelmorCarga.h"

#include "ElementContainer.h"
#include "ElementTemplate.h"
#include "VelmorViga.h"
#include "numeric/Mfx3dDC.h"
#include "views/core/ProgramOptions.h"

#include <algorithm>
#include <vector>

namespace velmor {
namespace {


bool IsZero(const Mfx3dPoint& p)
{
    return p.x == 0.0 && p.y == 0.0 && p.z == 0.0;
}

Mfx3dPoint Unit(Mfx3dPoint p)
{
    p.normalize();
    return p;
}

// Flags of the arrows of a load: a force is a straight arrow, a moment a circular one.
constexpr int kForceArrow = 0x20;
constexpr int kMomentArrow = 0x20 | Mfx3dDC::kCircular;
// Head size of the load arrows, relative to the client height.
constexpr double kHeadSize = 0.25;
// Intervals of the row of arrows along a loaded beam (one arrow more than this).
constexpr int kRowIntervals = 4;

struct Arrow
{
    Mfx3dPoint start;
    Mfx3dPoint end;
    int flags = kForceArrow;
};

// What a load draws: its arrows and the outline of its diagram (none for a nodal load).
struct LoadSymbol
{
    std::vector<Arrow> arrows;
    std::vector<Mfx3dPoint> outline;
};

// Arrows of one value at a point: a force ends at the point, a moment starts there. Nothing
// for a zero value; one arrow per non-zero component unless `resultant`.
void AddArrows(std::vector<Arrow>& arrows, const Mfx3dPoint& at, const Mfx3dPoint& value,
               double length, int flags, bool resultant)
{
    if (IsZero(value))
        return;
    std::vector<Mfx3dPoint> directions;
    if (resultant) {
        directions.push_back(Unit(value));
    } else {
        const double components[3] = {value.x, value.y, value.z};
        for (int i = 0; i < 3; ++i) {
            if (components[i] == 0.0)
                continue;
            Mfx3dPoint axis(0.0, 0.0, 0.0);
            (i == 0 ? axis.x : i == 1 ? axis.y : axis.z) = components[i] > 0.0 ? 1.0 : -1.0;
            directions.push_back(axis);
        }
    }
    for (const Mfx3dPoint& u : directions) {
        if (flags == kForceArrow)
            arrows.push_back({at - length * u, at, flags});
        else
            arrows.push_back({at, at + length * u, flags});
    }
}

// A direction with weight 0, so that a matrix turns it without moving it.
Mfx3dPoint Direction(const Mfx3dPoint& p)
{
    return Mfx3dPoint(p.x, p.y, p.z, 0.0);
}

LoadSymbol BeamLoadSymbol(const VelmorCargaData& d, const VelmorViga& beam,
                          const ProgramOptions& options)
{
    LoadSymbol symbol;
    const int option =
        options.IsOn(OPT_ORIENT_I_J) && options.IsOn(OPT_CHANGE_LOCAL_LOADS) ? 1 : 0;
    Mfx3dPoint p1, p2;
    beam.GetPosition(p1, 1, option);
    beam.GetPosition(p2, 2, option);
    Mfx3dPoint q1 = d.m_point[0], m1 = d.m_point[1], q2 = d.m_point[2], m2 = d.m_point[3];
    if (d.m_nLocal) {
        const MfxTMatrix axes = beam.LocalAxes();
        for (Mfx3dPoint* v : {&q1, &m1, &q2, &m2})
            *v = axes * Direction(*v);
    }
    if (d.m_nProjected) {
        if (CurrentProblemType() == PROBLEM_PLANE_FRAME)
            p1.y = p2.y = std::max(p1.y, p2.y);
        else
            p1.z = p2.z = std::max(p1.z, p2.z);
    }
    const SymbolSizes& sizes = Sizes();
    const double largest = std::max(q1.length(), q2.length());
    if (largest > 0.0) {
        const double scale = sizes.loadSize / largest;
        symbol.outline = {p1, p2, p2 - scale * q2, p1 - scale * q1};
        for (int i = 0; i <= kRowIntervals; ++i) {
            const double t = double(i) / kRowIntervals;
            const Mfx3dPoint q = q1 + t * (q2 - q1);
            if (IsZero(q))
                continue;
            const Mfx3dPoint at = p1 + t * (p2 - p1);
            symbol.arrows.push_back({at - scale * q, at, kForceArrow});
        }
    }
    AddArrows(symbol.arrows, p1, m1, sizes.loadSize, kMomentArrow, true);
    AddArrows(symbol.arrows, p2, m2, sizes.loadSize, kMomentArrow, true);
    return symbol;
}

} // namespace

VelmorCarga::VelmorCarga() : VelmorObject(1, std::make_unique<VelmorCargaData>()) {}

VelmorCarga::VelmorCarga(const VelmorCargaData& data, VelmorObject* parent)
    : VelmorObject(1, std::make_unique<VelmorCargaData>(data))
{
    m_pParents[0] = parent;
}

int VelmorCarga::ParentKind(int) const
{
    return Kind() == KIND_BEAM_LOAD ? KIND_BEAM : KIND_NODE;
}

int VelmorCarga::AcceptsNew(const ElementTemplate& candidate) const
{
    return candidate.m_pParents[0] == GetParent(0) ? 0 : 1;
}

int VelmorCarga::SetIJOrientation(int value)
{
    if (value == m_nSwapped)
        return 0;
    const auto* beam = dynamic_cast<const VelmorViga*>(GetParent(0));
    const bool beamSwapped = beam && beam->EndsSwapped() == 1;
    if (!(value == 0 || (value == 1 && beamSwapped)))
        return 1;
    m_nSwapped = value;
    VelmorCargaData& d = Data();
    // Local axes x and y reverse with the beam: a half turn about local z.
    auto turn = [local = d.m_nLocal != 0](const Mfx3dPoint& p) {
        return local ? Mfx3dPoint(-p.x, -p.y, p.z) : Mfx3dPoint(p.x, p.y, p.z);
    };
    const Mfx3dPoint p1 = d.m_point[0], p2 = d.m_point[1], p3 = d.m_point[2], p4 = d.m_point[3];
    d.m_point[2] = turn(p1);
    d.m_point[0] = turn(p3);
    d.m_point[3] = turn(p2);
    d.m_point[1] = turn(p4);
    return 1;
}

Vector VelmorCarga::GetNodalLoadVector() const
{
    const VelmorCargaData& d = Data();
    Vector v(6);
    const double values[6] = {d.m_point[0].x, d.m_point[0].y, d.m_point[0].z,
                              d.m_point[1].x, d.m_point[1].y, d.m_point[1].z};
    for (long i = 1; i <= 6; ++i)
        v.At(i) = values[i - 1];
    return v;
}

void VelmorCarga::Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options)
{
    if (!options.IsOn(OPT_SHOW_LOADS) || !GetParent(0))
        return;
    const VelmorCargaData& d = Data();
    LoadSymbol symbol;
    if (Kind() == KIND_BEAM_LOAD) {
        const auto* beam = dynamic_cast<const VelmorViga*>(GetParent(0));
        if (!beam || !beam->GetParent(1) || !beam->GetParent(2))
            return;
        symbol = BeamLoadSymbol(d, *beam, options);
    } else {
        Mfx3dPoint node;
        GetPosition(node, 0, 0);
        const SymbolSizes& sizes = Sizes();
        const bool resultant = d.m_nResultant != 0;
        AddArrows(symbol.arrows, node, d.m_point[0], sizes.loadSizeLarge, kForceArrow, resultant);
        AddArrows(symbol.arrows, node, d.m_point[1], sizes.loadSize, kMomentArrow, resultant);
    }

    const Mfx3dPolygon outline(static_cast<int>(symbol.outline.size()), symbol.outline.data());
    if (region) {
        for (const Arrow& a : symbol.arrows)
            region->Union(dc.ArrowRegion(a.start, a.end, kHeadSize, a.flags));
        if (!symbol.outline.empty())
            region->Union(dc.PolygonRegion(outline));
        return;
    }
    const bool selected = (m_state & STATE_HIGHLIGHT) != 0;
    const MfxColor force = PaletteColor(selected ? PAL_SELECTED : PAL_LOAD_FORCE);
    const MfxColor moment = PaletteColor(selected ? PAL_SELECTED : PAL_LOAD_MOMENT);
    if (!symbol.outline.empty())
        dc.DrawPolygon(outline, Mfx3dDC::kOutline, force);
    for (const Arrow& a : symbol.arrows)
        dc.DrawArrow(a.start, a.end, kHeadSize, a.flags, a.flags == kForceArrow ? force : moment);
}

} // namespace velmor
