#include "BeamAnalysis.h"

namespace velmor {

void BeamAnalysis::Reset()
{
    *this = BeamAnalysis();
}

} // namespace velmor
