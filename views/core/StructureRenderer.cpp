#include "StructureRenderer.h"

#include "model/VelmorApoyo.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/Archive.h"
#include "platform/core/Region.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace velmor {
namespace {

// Room of the node's number label beside the disc, in device units.
constexpr int kLabelWidth = 40;
constexpr int kLabelHeight = 30;

// Length in device units of the arrows of the local-axes triad.
constexpr double kAxesSize = 30.0;
// DrawAxes flags of the triad: arrows of that fixed screen length.
constexpr int kAxesFlags = Mfx3dDC::kFixedLength;

// Distance of the row of icons from the window's left and top sides, in device units.
constexpr int kIconMargin = 10;

// Width in device units of the spring's line.
constexpr int kSpringWidth = 5;

// Where a label stands from the projected point of what it names, in device units.
constexpr int kNodeLabelDx = 8, kNodeLabelDy = -22;
constexpr int kBeamLabelDx = 6, kBeamLabelDy = 4;
constexpr double kBeamLabelAt = 1.0 / 3.0;
constexpr int kLoadLabelDx = 6, kLoadLabelDy = -18;

// A value with its unit, in kilo-units from 1000 on: "15 kN", "2.5 kN·m", "800 N/m".
std::string WithUnit(double value, const char* unit)
{
    if (std::fabs(value) >= 1000.0)
        return Archive::Format("%.3g k%s", value / 1000.0, unit);
    return Archive::Format("%.3g %s", value, unit);
}

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
                          const RenderStyle& style)
{
    LoadSymbol symbol;
    const int option =
        style.options.IsOn(OPT_ORIENT_I_J) && style.options.IsOn(OPT_CHANGE_LOCAL_LOADS) ? 1 : 0;
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
        if (style.problemType == PROBLEM_PLANE_FRAME)
            p1.y = p2.y = std::max(p1.y, p2.y);
        else
            p1.z = p2.z = std::max(p1.z, p2.z);
    }
    const SymbolSizes& sizes = style.sizes;
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

void StructureRenderer::Draw(const VelmorObject& element, Mfx3dDC& dc, Region* region,
                             bool highlighted) const
{
    switch (element.Kind()) {
    case KIND_NODE:
        DrawNode(static_cast<const VelmorNudo&>(element), dc, region, highlighted);
        break;
    case KIND_SECTION:
        DrawSection(static_cast<const VelmorSeccion&>(element), dc, region, highlighted);
        break;
    case KIND_BEAM:
        DrawBeam(static_cast<const VelmorViga&>(element), dc, region, highlighted);
        break;
    case KIND_SUPPORT:
        DrawSupport(static_cast<const VelmorApoyo&>(element), dc, region, highlighted);
        break;
    case KIND_NODAL_LOAD:
    case KIND_BEAM_LOAD:
        DrawLoad(static_cast<const VelmorCarga&>(element), dc, region, highlighted);
        break;
    default:
        break;
    }
}

PixelRect StructureRenderer::SectionIconRect(int number, int iconSize)
{
    const int e = iconSize;
    return {e * (number - 1) + kIconMargin, kIconMargin, e * number + kIconMargin,
            e + kIconMargin};
}

void StructureRenderer::DrawNode(const VelmorNudo& node, Mfx3dDC& dc, Region* region,
                                 bool highlighted) const
{
    if (!m_style.options.IsOn(OPT_SHOW_NODES))
        return;
    const Mfx3dPoint& centre = node.Data().m_coord;
    const double radius = m_style.sizes.nodeRadius;
    const bool hinged = node.IsHinged(m_style.problemType);
    if (region) {
        const Region disc = dc.DiscRegion(centre, hinged ? 2.0 * radius : radius);
        if (disc.IsEmpty())
            return;
        region->Union(disc);
        // The label's room widens the bounding rectangle through a one-pixel square at its
        // far corner, so that picking still needs a point on the disc.
        const PixelRect r = disc.BoundingRect();
        region->AddRect({r.right + kLabelWidth - 1, r.top - kLabelHeight, r.right + kLabelWidth,
                         r.top - kLabelHeight + 1});
        return;
    }
    if (hinged)
        dc.DrawDisc(centre, 2.0 * radius, Mfx3dDC::kOutline, Color(PAL_HINGE));
    const MfxColor fill = Color(highlighted ? PAL_SELECTED : PAL_HINGE);
    dc.SetPen(fill, 1);
    dc.DrawDisc(centre, radius, Mfx3dDC::kFilled, fill);
    if (m_style.options.IsOn(OPT_NODE_NUMBERS))
        dc.DrawText3d(std::to_string(node.Number()), centre, Color(PAL_TEXT), kNodeLabelDx,
                      kNodeLabelDy, Mfx3dDC::kTransparent);
}

void StructureRenderer::DrawBeam(const VelmorViga& beam, Mfx3dDC& dc, Region* region,
                                 bool highlighted) const
{
    if (!m_style.options.IsOn(OPT_SHOW_BEAMS) || !beam.GetParent(1) || !beam.GetParent(2))
        return;
    const int ijOption = m_style.options.IsOn(OPT_ORIENT_I_J) ? 1 : 0;
    Mfx3dPoint p1, p2;
    beam.GetPosition(p1, 1, ijOption);
    beam.GetPosition(p2, 2, ijOption);
    const MfxTMatrix axes = beam.LocalAxes();

    // The box stands on the first drawn end and rises towards the second; its own x and y
    // are the local y and z axes (local x and y both reversed when the ends are drawn the
    // other way round, which keeps the frame right-handed).
    const Mfx3dPoint along = p2 - p1;
    const bool reversed = dot(along, axes.Column(1)) < 0.0;
    const Mfx3dPoint boxX = reversed ? -axes.Column(2) : axes.Column(2);
    const Mfx3dPoint boxZ = reversed ? -axes.Column(1) : axes.Column(1);
    const SymbolSizes& sizes = m_style.sizes;
    const Mfx3dBox box(p1, sizes.beamCross1, sizes.beamCross2, along.length(),
                       MfxTMatrix(boxX, axes.Column(3), boxZ));
    if (region) {
        region->Union(dc.BoxRegion(box));
        return;
    }

    int entry = PAL_BEAM;
    if (highlighted)
        entry = PAL_SELECTED;
    else if (m_style.options.IsOn(OPT_BEAM_SECTION_COLOUR) && beam.GetParent(0))
        entry = SectionColourIndex(beam.GetParent(0)->Number());
    const MfxColor colour = Color(entry);
    if (m_style.options.IsOn(OPT_DRAW_3D)) {
        dc.SetPen(Color(PAL_PEN), 1);
        dc.DrawBox(box, Mfx3dDC::kShade | Mfx3dDC::kFilled, colour);
    } else {
        dc.Line(p1, p2, colour, 3);
    }
    if (m_style.options.IsOn(OPT_SHOW_ORIENTATION) && m_style.problemType != PROBLEM_SPACE_TRUSS)
        dc.DrawAxes((p1 + p2) * 0.5, axes, kAxesSize, "xyz", kAxesFlags, colour);
    // A third of the way along, clear of the axes' triad at the middle.
    if (m_style.options.IsOn(OPT_BEAM_NUMBERS))
        dc.DrawText3d("[" + std::to_string(beam.Number()) + "]", p1 + (p2 - p1) * kBeamLabelAt,
                      colour, kBeamLabelDx, kBeamLabelDy, Mfx3dDC::kTransparent);
}

void StructureRenderer::DrawSection(const VelmorSeccion& section, Mfx3dDC& dc, Region* region,
                                    bool highlighted) const
{
    if (!m_style.options.IsOn(OPT_SHOW_SECTIONS))
        return;
    const VelmorSeccionData& d = section.Data();
    const int e = m_style.sizes.iconSize;
    const PixelRect icon = SectionIconRect(d.m_number, e);
    if (region) {
        region->AddRect({icon.left, icon.top, icon.right, icon.bottom + e / 2});
        return;
    }
    Canvas& canvas = dc.Device();
    const MfxColor pen = Color(PAL_PEN);
    dc.SetPen(pen, 1);
    dc.SetBrush(Color(highlighted ? PAL_SELECTED
                                                          : SectionColourIndex(d.m_number)));
    switch (d.m_nShape) {
    case SHAPE_RECTANGULAR:
        canvas.Rectangle(icon);
        break;
    case SHAPE_ARBITRARY: {
        canvas.Rectangle(icon);
        // Two notches of the background colour on the middle third of the height, over the
        // left and the right thirds of the width, leave an I.
        const MfxColor background = Color(PAL_BACKGROUND);
        dc.SetPen(background, 1);
        dc.SetBrush(background);
        const int w3 = icon.Width() / 3;
        const int h3 = icon.Height() / 3;
        canvas.Rectangle({icon.left, icon.top + h3, icon.left + w3, icon.bottom - h3});
        canvas.Rectangle({icon.right - w3, icon.top + h3, icon.right, icon.bottom - h3});
        dc.SetPen(pen, 1);
        break;
    }
    case SHAPE_AXIAL:
        canvas.Ellipse(icon);
        break;
    default:
        break;
    }
    if (d.m_rho != 0.0) {
        // The self weight: an arrow from the centre straight down by e, with a head of two
        // strokes of length e / 4 at 45 degrees.
        const int cx = (icon.left + icon.right) / 2;
        const int cy = (icon.top + icon.bottom) / 2;
        const int tipY = cy + e;
        const int head = static_cast<int>(std::lround(e / 4.0 / std::sqrt(2.0)));
        canvas.MoveTo(cx, cy);
        canvas.LineTo(cx, tipY);
        canvas.MoveTo(cx - head, tipY - head);
        canvas.LineTo(cx, tipY);
        canvas.LineTo(cx + head, tipY - head);
    }
}

void StructureRenderer::DrawSupport(const VelmorApoyo& support, Mfx3dDC& dc, Region* region,
                                    bool highlighted) const
{
    if (!m_style.options.IsOn(OPT_SHOW_SUPPORTS) || !support.GetParent(0))
        return;
    const VelmorApoyoData& d = support.Data();
    // The rotation of the symbol only: any translation the matrix holds is left out.
    const Mfx3dPoint ex = d.m_orientation.Column(1);
    const Mfx3dPoint ey = d.m_orientation.Column(2);
    const Mfx3dPoint up = d.m_orientation.Column(3);
    const MfxTMatrix frame(ex, ey, up);
    // The same frame turned a quarter about `up`: the upper prism of type 9 crosses the lower.
    const MfxTMatrix crossed(ey, -ex, up);

    const double s = m_style.sizes.supportSize;
    const double half = 0.5 * s;
    Mfx3dPoint node;
    support.GetPosition(node, 0, 0);
    const Mfx3dPoint a = node - s * up;
    const Mfx3dPoint b = node - 0.7 * s * up;
    const double low = 0.3 * s;   // from A to B
    const double high = 0.7 * s;  // from B to the node

    const Mfx3dBox block(a, half, half, s, frame, Mfx3dBox::kBox);
    const Mfx3dBox slab(a, half, half, low, frame, Mfx3dBox::kBox);
    const Mfx3dBox pyramid(b, half, half, high, frame, Mfx3dBox::kPyramid);
    const Mfx3dBox prism(b, half, half, high, frame, Mfx3dBox::kBox);
    const Mfx3dBox lowPrism(a, half, half, low, frame, Mfx3dBox::kBox);
    const Mfx3dBox crossPrism(b, half, half, high, crossed, Mfx3dBox::kBox);

    // Boxes, then five-face solids (pyramids and prisms).
    std::vector<Mfx3dBox> boxes;
    std::vector<Mfx3dBox> solids;
    switch (d.m_nType) {
    case 0:                   // restraints without a picture
    case 1:                   // fixed
    case SUPPORT_SETTLEMENT:  // prescribed displacement
        boxes = {block};
        break;
    case 2:  // pinned
        boxes = {slab};
        solids = {pyramid};
        break;
    case 3:
    case 4:
    case 5:  // a hinge about the prism's ridge
        boxes = {slab};
        solids = {prism};
        break;
    case 6:
    case 7:
    case 8:  // one translation held
        solids = {lowPrism, pyramid};
        break;
    case 9:  // user-defined
        solids = {lowPrism, crossPrism};
        break;
    case SUPPORT_ELASTIC:
        boxes = {slab};
        break;
    default:
        return;
    }

    if (region) {
        for (const Mfx3dBox& box : boxes)
            region->Union(dc.BoxRegion(box));
        for (const Mfx3dBox& solid : solids)
            region->Union(dc.PyramidRegion(solid));
        return;
    }

    int fill = PAL_SUPPORT;
    if (highlighted)
        fill = PAL_SELECTED;
    else if (d.m_nType == SUPPORT_ELASTIC)
        fill = PAL_SUPPORT_DETAIL;
    else if (!IsZero(d.m_translation) || !IsZero(d.m_rotation))
        fill = PAL_SUPPORT_DISPLACED;
    const MfxColor colour = Color(fill);
    if (d.m_nType == SUPPORT_ELASTIC)
        dc.Line(node, b, Color(PAL_SUPPORT_DETAIL), kSpringWidth);
    dc.SetPen(Color(PAL_PEN), 1);
    const int mode = Mfx3dDC::kShade | Mfx3dDC::kFilled;
    for (const Mfx3dBox& box : boxes)
        dc.DrawBox(box, mode, colour);
    for (const Mfx3dBox& solid : solids)
        dc.DrawPyramid(solid, mode, colour);
}

void StructureRenderer::DrawLoad(const VelmorCarga& load, Mfx3dDC& dc, Region* region,
                                 bool highlighted) const
{
    if (!m_style.options.IsOn(OPT_SHOW_LOADS) || !load.GetParent(0))
        return;
    const VelmorCargaData& d = load.Data();
    LoadSymbol symbol;
    if (load.Kind() == KIND_BEAM_LOAD) {
        const auto* beam = dynamic_cast<const VelmorViga*>(load.GetParent(0));
        if (!beam || !beam->GetParent(1) || !beam->GetParent(2))
            return;
        symbol = BeamLoadSymbol(d, *beam, m_style);
    } else {
        Mfx3dPoint node;
        load.GetPosition(node, 0, 0);
        const SymbolSizes& sizes = m_style.sizes;
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
    const bool selected = highlighted;
    const MfxColor force = Color(selected ? PAL_SELECTED : PAL_LOAD_FORCE);
    const MfxColor moment = Color(selected ? PAL_SELECTED : PAL_LOAD_MOMENT);
    if (!symbol.outline.empty())
        dc.DrawPolygon(outline, Mfx3dDC::kOutline, force);
    for (const Arrow& a : symbol.arrows)
        dc.DrawArrow(a.start, a.end, kHeadSize, a.flags, a.flags == kForceArrow ? force : moment);
    if (!m_style.options.IsOn(OPT_LOAD_VALUES))
        return;
    // The value beside the tail of the load: a nodal load's force and moment, a distributed
    // load's intensity at its two ends (one value when constant).
    std::string text;
    Mfx3dPoint at;
    if (load.Kind() == KIND_BEAM_LOAD) {
        const double q1 = d.m_point[0].length(), q2 = d.m_point[2].length();
        if (q1 != 0.0 || q2 != 0.0)
            text = q1 == q2 ? WithUnit(q1, "N/m")
                            : WithUnit(q1, "N/m") + " \u2192 " + WithUnit(q2, "N/m");
        if (symbol.outline.size() == 4)
            at = (symbol.outline[2] + symbol.outline[3]) * 0.5;
        else
            at = (symbol.outline.empty() ? Mfx3dPoint() : symbol.outline[0]);
    } else {
        // At the tail of the first arrow, away from the node's own number.
        load.GetPosition(at, 0, 0);
        if (!symbol.arrows.empty())
            at = symbol.arrows.front().flags == kForceArrow ? symbol.arrows.front().start
                                                            : symbol.arrows.front().end;
        if (!IsZero(d.m_point[0]))
            text = WithUnit(d.m_point[0].length(), "N");
        if (!IsZero(d.m_point[1]))
            text += (text.empty() ? "" : ", ") + WithUnit(d.m_point[1].length(), "N\u00b7m");
    }
    if (!text.empty())
        dc.DrawText3d(text, at, force, kLoadLabelDx, kLoadLabelDy, Mfx3dDC::kTransparent);
}

} // namespace velmor
