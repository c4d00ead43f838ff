#include "VelmorViga.h"

#include "ElementContainer.h"
#include "ElementTemplate.h"
#include "VelmorProblem.h"
#include "VelmorSeccion.h"
#include "numeric/Mfx3dDC.h"
#include "views/core/ProgramOptions.h"

#include <cmath>
#include <utility>

namespace velmor {
namespace {


// Length in device units of the arrows of the local-axes triad.
constexpr double kAxesSize = 30.0;
// DrawAxes flags of the triad: arrows of that fixed screen length.
constexpr int kAxesFlags = Mfx3dDC::kFixedLength;

} // namespace

VelmorViga::VelmorViga() : VelmorObject(3, std::make_unique<VelmorVigaData>()) {}

VelmorViga::VelmorViga(const VelmorVigaData& data, VelmorObject* section, VelmorObject* node1,
                       VelmorObject* node2)
    : VelmorObject(3, std::make_unique<VelmorVigaData>(data))
{
    m_pData->m_kind = KIND_BEAM;
    m_pParents[0] = section;
    m_pParents[1] = node1;
    m_pParents[2] = node2;
}

int VelmorViga::ParentKind(int slot) const
{
    return slot == 0 ? KIND_SECTION : KIND_NODE;
}

double VelmorViga::GetLength() const
{
    Mfx3dPoint p1, p2;
    GetPosition(p1, 1, 0);
    GetPosition(p2, 2, 0);
    return (p2 - p1).length();
}

int VelmorViga::AcceptsNew(const ElementTemplate& candidate) const
{
    const VelmorObject* a = candidate.m_pParents[1];
    const VelmorObject* b = candidate.m_pParents[2];
    const VelmorObject* n1 = GetParent(1);
    const VelmorObject* n2 = GetParent(2);
    return (a == n1 && b == n2) || (a == n2 && b == n1) ? 0 : 1;
}

int VelmorViga::SetIJOrientation(int value)
{
    if (value == m_nSwapped)
        return 0;
    if (value == 1 && GetNumber(2) >= GetNumber(1))
        return 1;
    if (value != 0 && value != 1)
        return 1;
    m_nSwapped = value;
    std::swap(m_pParents[1], m_pParents[2]);
    return 1;
}

bool VelmorViga::HasSelfWeight() const
{
    const VelmorObject* section = GetParent(0);
    return section && section->Kind() == KIND_SECTION &&
           static_cast<const VelmorSeccion*>(section)->Data().m_rho > 0.0;
}

MfxTMatrix VelmorViga::LocalAxes() const
{
    Mfx3dPoint p1, p2;
    GetPosition(p1, 1, 0);
    GetPosition(p2, 2, 0);
    Mfx3dPoint x = p2 - p1;
    x.normalize();
    Mfx3dPoint v = Data().m_orientation;
    v.normalize();
    Mfx3dPoint y = cross(v, x);
    if (y == Mfx3dPoint(0, 0, 0)) {
        if (std::fabs(dot(v, Mfx3dPoint(0, 0, 1))) == 1)
            y = Mfx3dPoint(1, 0, 0);
        if (std::fabs(dot(v, Mfx3dPoint(1, 0, 0))) == 1)
            y = Mfx3dPoint(0, 1, 0);
        if (std::fabs(dot(v, Mfx3dPoint(0, 1, 0))) == 1)
            y = Mfx3dPoint(0, 0, 1);
    }
    y.normalize();
    const Mfx3dPoint z = cross(x, y);
    return MfxTMatrix(x, y, z);
}

void VelmorViga::Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options)
{
    if (!options.IsOn(OPT_SHOW_BEAMS) || !GetParent(1) || !GetParent(2))
        return;
    const int ijOption = options.IsOn(OPT_ORIENT_I_J) ? 1 : 0;
    Mfx3dPoint p1, p2;
    GetPosition(p1, 1, ijOption);
    GetPosition(p2, 2, ijOption);
    const MfxTMatrix axes = LocalAxes();

    // The box stands on the first drawn end and rises towards the second; its own x and y
    // are the local y and z axes (local x and y both reversed when the ends are drawn the
    // other way round, which keeps the frame right-handed).
    const Mfx3dPoint along = p2 - p1;
    const bool reversed = dot(along, axes.Column(1)) < 0.0;
    const Mfx3dPoint boxX = reversed ? -axes.Column(2) : axes.Column(2);
    const Mfx3dPoint boxZ = reversed ? -axes.Column(1) : axes.Column(1);
    const SymbolSizes& sizes = Sizes();
    const Mfx3dBox box(p1, sizes.beamCross1, sizes.beamCross2, along.length(),
                       MfxTMatrix(boxX, axes.Column(3), boxZ));
    if (region) {
        region->Union(dc.BoxRegion(box));
        return;
    }

    int entry = PAL_BEAM;
    if (m_state & STATE_HIGHLIGHT)
        entry = PAL_SELECTED;
    else if (options.IsOn(OPT_BEAM_SECTION_COLOUR) && GetParent(0))
        entry = SectionColourIndex(GetParent(0)->Number());
    const MfxColor colour = PaletteColor(entry);
    if (options.IsOn(OPT_DRAW_3D)) {
        dc.SetPen(PaletteColor(PAL_PEN), 1);
        dc.DrawBox(box, Mfx3dDC::kShade | Mfx3dDC::kFilled, colour);
    } else {
        dc.Line(p1, p2, colour, 3);
    }
    if (options.IsOn(OPT_SHOW_ORIENTATION) && CurrentProblemType() != PROBLEM_SPACE_TRUSS)
        dc.DrawAxes((p1 + p2) * 0.5, axes, kAxesSize, "xyz", kAxesFlags, colour);
}

} // namespace velmor
