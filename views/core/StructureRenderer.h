// Draws the structure's elements as a 3D view shows them: the symbol of each node, beam,
// section, support and load, from the model, with the options, palette and symbol sizes of the
// view that draws. The model knows nothing of drawing; selection is the view's.
//
// Every draw operation has two forms: with no region it draws on the context's canvas; with a
// region it adds the outline of the symbol to it instead and draws nothing (the view's hit
// regions and the rectangles it repaints).
#pragma once

#include "views/core/ProgramOptions.h"

namespace velmor {

class Mfx3dDC;
class Region;
class VelmorApoyo;
class VelmorCarga;
class VelmorNudo;
class VelmorObject;
class VelmorSeccion;
class VelmorViga;
struct PixelRect;

// What a view draws with. The renderer keeps the references: they must outlive it.
struct RenderStyle
{
    const ProgramOptions& options;
    const Palette& palette;
    const SymbolSizes& sizes;
    int problemType = 0;
};

class StructureRenderer
{
public:
    explicit StructureRenderer(const RenderStyle& style) : m_style(style) {}

    // The element's symbol by its kind, in the selection colour when `highlighted`.
    void Draw(const VelmorObject& element, Mfx3dDC& dc, Region* region, bool highlighted) const;

    // A filled disc of radius u (the selection colour when selected), inside a ring of radius
    // 2u when hinged (a joint, or any node of a truss). The region is the outer disc; its
    // bounding rectangle also reaches 40 device units to the right and 30 upwards, the room
    // of the node's number label.
    void DrawNode(const VelmorNudo& node, Mfx3dDC& dc, Region* region, bool highlighted) const;
    // A line of width 3 or, with "Dessins en 3D", a shaded box, in the section's colour or the
    // plain beam colour, and the local-axes triad with "Orientation" outside trusses. The
    // region is the projected box of cross half-sizes 0.6u and 0.8u along the beam.
    void DrawBeam(const VelmorViga& beam, Mfx3dDC& dc, Region* region, bool highlighted) const;
    // The section's icon in device units, fixed in the window's top-left corner (see
    // SectionIconRect), filled in the section's colour as a rectangle, an I or an ellipse by
    // shape, with a self-weight arrow below its centre when the density is not 0. The region
    // is the square extended e / 2 downwards. The canvas is taken in window coordinates (no
    // scroll offset is applied).
    void DrawSection(const VelmorSeccion& section, Mfx3dDC& dc, Region* region,
                     bool highlighted) const;
    // The solids of the support type between the node N and the anchor A = N - S up (S = 5u,
    // up = the orientation's third column), a slab reaching from A to B = N - 0.7 S up under
    // most of them, all of half-width 0.5 S and turned by the orientation; springs add a line
    // of width 5 from the node to the slab. Filled in the selection colour, the settlement
    // colour when a prescribed displacement is set, the spring colour, or the support colour.
    // The region is the union of the solids' regions.
    void DrawSupport(const VelmorApoyo& support, Mfx3dDC& dc, Region* region,
                     bool highlighted) const;
    // Force arrows (force colour) and circular moment arrows (moment colour), each only where
    // its value is not zero, in the selection colour when selected. A nodal load: a force
    // arrow of length 12u ending at the node and a moment arrow of length 8u from it, as
    // resultants or, when the record asks for components, one arrow per non-zero component.
    // A distributed load: the outline of its diagram along the beam (the larger end value
    // 8u high), a row of arrows ending on the beam and the end moments; local values are
    // turned by the beam's local axes, and a projected load stands on a level line at the
    // higher end. The region is the union of the arrows' regions and the diagram's.
    void DrawLoad(const VelmorCarga& load, Mfx3dDC& dc, Region* region, bool highlighted) const;

    // The icon square of section `number` with icons of e device units: x = e(n - 1) + 10 ..
    // e n + 10, y = 10 .. e + 10.
    static PixelRect SectionIconRect(int number, int iconSize);

    const RenderStyle& Style() const { return m_style; }

private:
    Colour Color(int paletteEntry) const { return m_style.palette.Color(paletteEntry); }

    RenderStyle m_style;
};

} // namespace velmor
