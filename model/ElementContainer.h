// What elements and records see of the problem that holds them: its type, its grid step, the
// look-up of parents while loading and the deletion at the end of a detach. The problem
// container implements it; the current problem is one global pointer, set by the document and
// the frames (the problem of the active document).
#pragma once

#include "numeric/Mfx3dPoint.h"

namespace velmor {

class VelmorObject;
class VelmorObjectData;

class ElementContainer
{
public:
    virtual ~ElementContainer() = default;
    virtual int ProblemType() const = 0;
    virtual Mfx3dPoint GridStep() const = 0;
    // The element of list record.m_kind numbered record.m_number, or null.
    virtual VelmorObject* FindObject(const VelmorObjectData& record) const = 0;
    // Removes the element from its list and deletes it.
    virtual void DeleteObject(VelmorObject* element) = 0;
    // An element record could not resolve or write one of its parent references.
    virtual void ReportSerializeError() = 0;
};

// The current problem, or null.
ElementContainer* CurrentProblem();
// Makes `problem` current and returns the previous one.
ElementContainer* SetCurrentProblem(ElementContainer* problem);
// The current problem's type, 0 when there is none.
int CurrentProblemType();

} // namespace velmor
