// Colours of the drawing surface: their readable form.
#include "Canvas.h"

#include <ostream>

namespace velmor {

std::string Colour::ToString() const
{
    if (!IsGiven())
        return "none";
    return "(" + std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue) +
           ")";
}

std::ostream& operator<<(std::ostream& os, const Colour& c)
{
    return os << c.ToString();
}

} // namespace velmor
