#include "VelmorSeccion.h"

#include "ElementTemplate.h"
#include "numeric/Mfx3dDC.h"
#include "views/core/ProgramOptions.h"

#include <cmath>

namespace velmor {
namespace {


// Distance of the row of icons from the window's left and top sides, in device units.
constexpr int kIconMargin = 10;

} // namespace

VelmorSeccion::VelmorSeccion() : VelmorObject(0, std::make_unique<VelmorSeccionData>()) {}

VelmorSeccion::VelmorSeccion(const VelmorSeccionData& data)
    : VelmorObject(0, std::make_unique<VelmorSeccionData>(data))
{
    m_pData->m_kind = KIND_SECTION;
}

int VelmorSeccion::AcceptsNew(const ElementTemplate& candidate) const
{
    return Data().SameSection(candidate.m_section) ? 0 : 1;
}

PixelRect VelmorSeccion::IconRect(int number)
{
    const int e = Sizes().iconSize;
    return {e * (number - 1) + kIconMargin, kIconMargin, e * number + kIconMargin,
            e + kIconMargin};
}

void VelmorSeccion::Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options)
{
    if (!options.IsOn(OPT_SHOW_SECTIONS))
        return;
    const VelmorSeccionData& d = Data();
    const int e = Sizes().iconSize;
    const PixelRect icon = IconRect(d.m_number);
    if (region) {
        region->AddRect({icon.left, icon.top, icon.right, icon.bottom + e / 2});
        return;
    }
    Canvas& canvas = dc.Device();
    const MfxColor pen = PaletteColor(PAL_PEN);
    dc.SetPen(pen, 1);
    dc.SetBrush(PaletteColor((m_state & STATE_HIGHLIGHT) ? PAL_SELECTED
                                                          : SectionColourIndex(d.m_number)));
    switch (d.m_nShape) {
    case SHAPE_RECTANGULAR:
        canvas.Rectangle(icon);
        break;
    case SHAPE_ARBITRARY: {
        canvas.Rectangle(icon);
        // Two notches of the background colour on the middle third of the height, over the
        // left and the right thirds of the width, leave an I.
        const MfxColor background = PaletteColor(PAL_BACKGROUND);
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

} // namespace velmor
