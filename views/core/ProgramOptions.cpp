#include "ProgramOptions.h"

namespace velmor {
namespace {

// Default of every slot, by index.
constexpr std::array<std::int32_t, kOptionCount> kDefaults = {
    0, 0, 0, 0, // 3D drawings, beam orientation, coordinate entry, black background
    1, 1, 0, 0, // limits, section colour, orientation i-j, change local loads
    1, 1, 1, 1, // nodes, beams, sections, loads
    1, 1, 0, 1, // supports, orientation triad, spare, text form
};

using Scheme = std::array<PaletteColour, kPaletteSize>;

constexpr Scheme kWhiteScheme = {
    Rgb(255, 255, 255), Rgb(0, 0, 0),     Rgb(0, 0, 0),       Rgb(255, 0, 0),
    Rgb(0, 0, 255),     Rgb(64, 64, 64),  Rgb(0, 255, 0),     Rgb(64, 192, 192),
    Rgb(128, 255, 128), Rgb(255, 0, 255), Rgb(0, 255, 255),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(255, 255, 0), Rgb(128, 0, 128),   Rgb(128, 128, 0),
    Rgb(0, 0, 0),       Rgb(0, 255, 0),   Rgb(255, 0, 255),   Rgb(255, 0, 0),
    Rgb(0, 0, 255),
};

// Differs from the white scheme in the background, the pen, the text, the hinge ring, the
// plain beams and the deformed shape.
constexpr Scheme kBlackScheme = {
    Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 0, 0),
    Rgb(64, 64, 255),   Rgb(192, 192, 192), Rgb(0, 255, 0),     Rgb(64, 192, 192),
    Rgb(128, 255, 128), Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(255, 255, 0),   Rgb(128, 0, 128),   Rgb(128, 128, 0),
    Rgb(255, 255, 255), Rgb(0, 255, 0),     Rgb(255, 0, 255),   Rgb(255, 0, 0),
    Rgb(0, 0, 255),
};

} // namespace

ProgramOptions::ProgramOptions() : m_slots(kDefaults) {}

bool ProgramOptions::IsOn(int index) const
{
    if (IsLabel(index))
        return m_labels[size_t(index - kOptionCount)];
    return IsIndex(index) && m_slots[index] != 0;
}

void ProgramOptions::Set(int index, bool on)
{
    if (IsLabel(index))
        m_labels[size_t(index - kOptionCount)] = on;
    else if (IsIndex(index))
        m_slots[index] = on ? 1 : 0;
}

const ProgramOptions& DefaultOptions()
{
    static const ProgramOptions defaults;
    return defaults;
}

ProgramOptions ApplyOrientationRule(ProgramOptions options)
{
    if (!options.IsOn(OPT_ORIENT_I_J))
        options.Set(OPT_CHANGE_LOCAL_LOADS, false);
    return options;
}

int SectionColourIndex(int sectionNumber)
{
    const long long offset = (static_cast<long long>(sectionNumber) - 1) % 10;
    return 11 + static_cast<int>(offset < 0 ? offset + 10 : offset);
}

Palette::Palette()
{
    FillPalette(kSchemeWhite);
}

void Palette::FillPalette(int scheme)
{
    m_scheme = scheme == kSchemeBlack ? kSchemeBlack : kSchemeWhite;
    m_entries = m_scheme == kSchemeBlack ? kBlackScheme : kWhiteScheme;
}

PaletteColour Palette::Entry(int index) const
{
    if (index < 0 || index >= kPaletteSize)
        return m_entries[PAL_PEN];
    return m_entries[index];
}

Colour Palette::Color(int index) const
{
    const PaletteColour c = Entry(index);
    return Colour(RedOf(c), GreenOf(c), BlueOf(c));
}

void SymbolSizes::Compute(double diagonal)
{
    const double u = 0.01 * diagonal;
    nodeRadius = u;
    beamCross1 = 0.6 * u;
    beamCross2 = 0.8 * u;
    supportSize = 5.0 * u;
    loadSize = 8.0 * u;
    loadSizeLarge = 8.0 * u * 1.5;
    sectionIcon = 20.0;
    unit = u;
    markSize = 15.0;
    unit5 = 5.0 * u;
    iconSize = 20;
}

} // namespace velmor
