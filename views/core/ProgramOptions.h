// The records that the drawing code, the editor, the analysis and the document file read: the
// options block edited by the "Options" dialog, the palette of 21 colours in two schemes, and
// the symbol sizes derived from the size of the structure shown. No Qt.
//
// The application owns the one options block of the run (it starts with its defaults at every
// start and is never saved) and hands it to what reads it; each view keeps its own palette,
// filled from the options when it draws, and its own symbol sizes, computed from the box of the
// structure it shows.
#pragma once

#include "platform/core/Canvas.h"

#include <array>
#include <cstdint>

namespace velmor {

// Index of each slot of the options block. Every slot but OPT_SPARE holds a switch, 0 = off and
// 1 = on; the comment names its check box in the "Options" dialog (control id).
enum ProgramOption : int {
    OPT_DRAW_3D = 0,               // "Dessins en 3D" (248): beams drawn as filled boxes
    OPT_BEAM_WITH_ORIENTATION = 1, // "Poutre avec orientation" (209): editor asks for it
    OPT_COORDINATE_ENTRY = 2,      // "Entrée par coordonnées" (188): nodes typed in dialog 412
    OPT_BLACK_BACKGROUND = 3,      // "Fond noir" (152): palette scheme 1
    OPT_DRAW_LIMITS = 4,           // "Dessiner limites" (168)
    OPT_BEAM_SECTION_COLOUR = 5,   // "Poutre + couleur de section" (233)
    OPT_ORIENT_I_J = 6,            // "Orientation poutre i - j (i < j)" (208)
    OPT_CHANGE_LOCAL_LOADS = 7,    // "Changer charges locales" (153)
    OPT_SHOW_NODES = 8,            // "Noeuds" (231)
    OPT_SHOW_BEAMS = 9,            // "Poutres" (235)
    OPT_SHOW_SECTIONS = 10,        // "Sections" (234)
    OPT_SHOW_LOADS = 11,           // "Charges" (230)
    OPT_SHOW_SUPPORTS = 12,        // "Appuis" (229)
    OPT_SHOW_ORIENTATION = 13,     // "Orientation" (232): local-axes triad of each beam
    OPT_SPARE = 14,                // copied with the others, read nowhere
    OPT_TEXT_FORMAT = 15,          // "En format texte" (350, hidden): files in the text form
};
inline constexpr int kOptionCount = 16;

// Labels the views can add to the drawing, switched in the "Options" dialog like the block's
// switches but kept beside the block (which has its sixteen slots).
enum LabelOption : int {
    OPT_NODE_NUMBERS = 16, // "Numéros des noeuds"
    OPT_BEAM_NUMBERS = 17, // "Numéros des poutres"
    OPT_LOAD_VALUES = 18,  // "Valeurs des charges"
};
inline constexpr int kAllOptionCount = 19;

// The options block: sixteen 32-bit slots, indexed by ProgramOption. A default-constructed
// block holds the defaults (4, 5, 8 to 13 and 15 on, the rest off).
class ProgramOptions
{
public:
    ProgramOptions();

    // Whether the slot (0..15) or the label (16..18) is on; false for any other index.
    bool IsOn(int index) const;
    // Writes 1 or 0; an index outside 0..18 is ignored.
    void Set(int index, bool on);
    // Raw slot access for the code that copies the block.
    std::int32_t Slot(int index) const { return IsIndex(index) ? m_slots[index] : 0; }
    const std::array<std::int32_t, kOptionCount>& Slots() const { return m_slots; }
    std::array<std::int32_t, kOptionCount>& Slots() { return m_slots; }

    // Documents are written in the text form (option 15).
    bool TextForm() const { return IsOn(OPT_TEXT_FORMAT); }
    bool BlackBackground() const { return IsOn(OPT_BLACK_BACKGROUND); }

    friend bool operator==(const ProgramOptions&, const ProgramOptions&) = default;

private:
    static bool IsIndex(int index) { return index >= 0 && index < kOptionCount; }
    static bool IsLabel(int index) { return index >= kOptionCount && index < kAllOptionCount; }
    std::array<std::int32_t, kOptionCount> m_slots{};
    std::array<bool, kAllOptionCount - kOptionCount> m_labels{}; // all off at start
};

// The options as the program starts with them: the read-only block a document reads until the
// application hands it its own.
const ProgramOptions& DefaultOptions();

// The rule applied when the "Options" dialog closes with OK: local loads can only be turned
// with the beams, so "Changer charges locales" is forced off while "Orientation poutre i - j
// (i < j)" is off. Returns the block with the rule applied; the other slots are unchanged.
ProgramOptions ApplyOrientationRule(ProgramOptions options);

// A palette colour: red in the low byte, then green, then blue (the top byte is 0).
using PaletteColour = std::uint32_t;
constexpr PaletteColour Rgb(int r, int g, int b)
{
    return PaletteColour(r & 0xff) | (PaletteColour(g & 0xff) << 8) |
           (PaletteColour(b & 0xff) << 16);
}
constexpr int RedOf(PaletteColour c) { return int(c & 0xff); }
constexpr int GreenOf(PaletteColour c) { return int((c >> 8) & 0xff); }
constexpr int BlueOf(PaletteColour c) { return int((c >> 16) & 0xff); }

// Named entries of the palette; a section n is drawn in SectionColourIndex(n).
enum PaletteEntry : int {
    PAL_BACKGROUND = 0,
    PAL_PEN = 1,
    PAL_TEXT = 2,
    PAL_SELECTED = 3,
    PAL_HINGE = 4,
    PAL_BEAM = 5,
    PAL_SUPPORT = 6,
    PAL_SUPPORT_DISPLACED = 7,
    PAL_SUPPORT_DETAIL = 8,
    PAL_LOAD_MOMENT = 9,
    PAL_LOAD_FORCE = 10,
    PAL_DEFORMED = 16,
    PAL_AXIAL_LAW = 17,
    PAL_TORSION_LAW = 18,
    PAL_MOMENT_LAW = 19,
    PAL_SHEAR_LAW = 20,
};
inline constexpr int kPaletteSize = 21;
inline constexpr int kSchemeWhite = 0;
inline constexpr int kSchemeBlack = 1;

// Palette entry of the section numbered n: 10 + n for sections 1 to 10. Numbers above 10 wrap
// around over the ten section colours (section 11 takes the colour of section 1, 12 that of
// 2, ...), and so do numbers below 1, so the result is always one of the entries 11 to 20.
int SectionColourIndex(int sectionNumber);

// The palette: 21 colours filled from one of the two schemes.
class Palette
{
public:
    // Filled with scheme 0 (white background).
    Palette();

    // Writes the 21 entries of scheme 0 (white background) or 1 (black background); any other
    // value is taken as 0.
    void FillPalette(int scheme);
    // The scheme last filled.
    int Scheme() const { return m_scheme; }
    // Entry 0..20; an index outside that range reads as the structure pen (entry 1).
    PaletteColour Entry(int index) const;
    PaletteColour operator[](int index) const { return Entry(index); }
    // Entry `index` as a drawing colour.
    Colour Color(int index) const;

private:
    std::array<PaletteColour, kPaletteSize> m_entries{};
    int m_scheme = kSchemeWhite;
};

// The symbol sizes: lengths in model units derived from the diagonal D of the work box, with
// u = 0.01 * D, and three fixed sizes in device units.
struct SymbolSizes
{
    // The diagonal of the default work box, (0, 0, 0) to (5, 5, 2.5).
    static constexpr double kDefaultDiagonal = 7.5;
    // Computed for the default work box.
    SymbolSizes() { Compute(kDefaultDiagonal); }
    // Fills every field from D (see the fields).
    void Compute(double diagonal);

    double nodeRadius = 0.0;    // u: radius of a node disc
    double beamCross1 = 0.0;    // 0.6 u: first cross dimension of a beam box
    double beamCross2 = 0.0;    // 0.8 u: second cross dimension of a beam box
    double supportSize = 0.0;   // 5 u: support symbol
    double loadSize = 0.0;      // 8 u: load symbol
    double loadSizeLarge = 0.0; // 12 u, computed as 8 u * 1.5: larger load symbol
    double sectionIcon = 0.0;   // 20 device units: section icon
    double unit = 0.0;          // u
    double markSize = 0.0;      // 15 device units
    double unit5 = 0.0;         // 5 u
    std::int32_t iconSize = 0;  // 20 device units
};

} // namespace velmor
