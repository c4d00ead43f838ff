// Rectangle of doubles: ordering and emptiness.
#include "MfxRect.h"

#include <utility>

namespace velmor {

void MfxRect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (bottom > top)
        std::swap(top, bottom);
}

bool MfxRect::IsEmpty() const
{
    return left == right || top == bottom;
}

bool operator==(const MfxRect& a, const MfxRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool operator!=(const MfxRect& a, const MfxRect& b)
{
    return !(a == b);
}

} // namespace velmor
