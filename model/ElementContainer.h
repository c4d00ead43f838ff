// What elements and records see of the problem that holds them: its type, its grid step, the
// look-up of parents while loading and the deletion at the end of a detach. The problem
// container implements it and hands itself to what needs it: to the archive of a file it reads
// or writes, to the elements it asks about a new one, to a detach that removes.
#pragma once

#include "numeric/Mfx3dPoint.h"

#include <string>

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
    // An element record could not resolve or write one of its parent references: what, and
    // where in the file.
    virtual void ReportSerializeError(const std::string& what) = 0;
};

} // namespace velmor
