#include "VelmorObject.h"

#include "ElementContainer.h"
#include "platform/core/Archive.h"
#include "platform/core/Trace.h"

#include <algorithm>

namespace velmor {
VelmorObject::VelmorObject(int parentCount, std::unique_ptr<VelmorObjectData> data)
    : m_pData(std::move(data)), m_nParents(std::max(0, parentCount)),
      m_pParents(static_cast<size_t>(m_nParents), nullptr)
{
}

VelmorObject::~VelmorObject() = default;

VelmorObject*& VelmorObject::GetParent(int i)
{
    if (i >= 0 && i < m_nParents && static_cast<size_t>(i) < m_pParents.size())
        return m_pParents[static_cast<size_t>(i)];
    m_pSpare = nullptr;
    return m_pSpare;
}

VelmorObject* VelmorObject::GetParent(int i) const
{
    if (i >= 0 && i < m_nParents && static_cast<size_t>(i) < m_pParents.size())
        return m_pParents[static_cast<size_t>(i)];
    return nullptr;
}

int VelmorObject::Number() const
{
    const VelmorObject* o = this;
    // A chain of display entries ends at an element; the bound guards against a cycle.
    for (int guard = 0; o && guard < 64; ++guard) {
        if (o->m_pData)
            return o->m_pData->m_number;
        o = o->GetParent(0);
    }
    return 0;
}

void VelmorObject::Serialize(Archive& ar)
{
    ElementContainer* problem = ar.Container();
    m_pData->Serialize(ar);
    if (ar.IsLoading() && m_nLoadKind != KIND_NONE)
        m_pData->m_kind = m_nLoadKind;
    if (ar.IsStoring()) {
        if (ar.IsText())
            ar.WriteFormat("Connections: %d \n", m_nParents);
        else
            ar.WriteShortInt(m_nParents);
        for (int i = 0; i < m_nParents; ++i) {
            VelmorObjectData reference(ParentKind(i));
            if (const VelmorObject* parent = GetParent(i); parent && parent->m_pData) {
                reference.Assign(*parent->m_pData);
            } else if (problem) {
                problem->ReportSerializeError(Archive::Format(
                    "%s %d: élément auquel il manque son %s", KindKeyword(Kind()), Number(),
                    KindKeyword(ParentKind(i))));
            }
            reference.VelmorObjectData::Serialize(ar);
        }
        if (ar.IsText())
            ar.WriteText("\n");
        return;
    }
    if (ar.IsText())
        ar.ReadLineOrThrow();
    else
        ar.ReadWord();
    for (int i = 0; i < m_nParents; ++i) {
        VelmorObjectData reference;
        reference.VelmorObjectData::Serialize(ar);
        VelmorObject* parent = problem ? problem->FindObject(reference) : nullptr;
        const int expected = ParentKind(i);
        if (parent && (expected == KIND_NONE || parent->Kind() == expected)) {
            GetParent(i) = parent;
            parent->Connect(CHILD, this);
        } else if (problem) {
            const std::string where = ar.IsText() ? Archive::Format("ligne %zu", ar.LineNumber())
                                                  : Archive::Format("octet %zu", ar.Offset());
            const char* self = KindKeyword(m_pData->m_kind);
            const char* named = KindKeyword(reference.m_kind);
            problem->ReportSerializeError(
                parent ? Archive::Format("%s: %s %d ne peut pas reposer sur %s %d", where.c_str(),
                                         self, Number(), named, reference.m_number)
                       : Archive::Format("%s: %s %d repose sur %s %d, qui n'existe pas",
                                         where.c_str(), self, Number(), named, reference.m_number));
        }
    }
    if (ar.IsText())
        ar.ReadLineOrThrow();
}

int VelmorObject::ParentKind(int) const
{
    return KIND_NONE;
}

int VelmorObject::GetNumber(int end) const
{
    if (!GetParent(0))
        return 0;
    const VelmorObject* p = GetParent(end);
    if (!p)
        p = GetParent(0);
    return p->GetNumber(end);
}

Mfx3dPoint& VelmorObject::GetPosition(Mfx3dPoint& point, int end, int option) const
{
    if (GetParent(end)) {
        if (option == 1 && GetNumber(2) < GetNumber(1))
            end = end == 1 ? 2 : 1;
    }
    const VelmorObject* p = GetParent(end);
    if (!p)
        p = GetParent(0);
    if (p)
        p->GetPosition(point, end, option);
    return point;
}

bool VelmorObject::AcceptsNew(const ElementTemplate&, const ElementContainer&) const
{
    return true;
}

int VelmorObject::Connect(ConnectionKind kind, VelmorObject* object, int slot)
{
    bool done = false;
    if (object) {
        switch (kind) {
        case DRAW:
            if (object->GetParent(0) != this) {
                m_drawList.push_back(object);
                object->m_nParents = 1;
                if (object->m_pParents.empty())
                    object->m_pParents.resize(1, nullptr);
                done = true;
            }
            break;
        case CHILD:
            if (!m_childList.contains(object)) {
                m_childList.push_back(object);
                done = true;
            }
            break;
        case PARENT:
            if (!object->m_childList.contains(this)) {
                GetParent(slot) = object;
                done = true;
            }
            break;
        }
    }
    if (!done) {
        Trace(" Connection : Is connected ");
        return 0;
    }
    return 1;
}

int VelmorObject::Disconnect(ConnectionKind kind, VelmorObject* object)
{
    switch (kind) {
    case DRAW:
    case CHILD: {
        auto& list = kind == DRAW ? m_drawList : m_childList;
        if (!list.remove_first(object)) {
            Trace(" DisConnection CHILD / DRAW: not found ");
            Trace(" DisConnection : not found ");
            return 0;
        }
        const int done = object->Disconnect(PARENT, this);
        // A child that holds this element in a second slot (a beam whose file gave it the same
        // node at both ends) must not keep a pointer to it either.
        for (VelmorObject*& slot : object->m_pParents)
            if (slot == this)
                slot = nullptr;
        return done;
    }
    case PARENT:
        for (int i = 0; i < m_nParents && static_cast<size_t>(i) < m_pParents.size(); ++i) {
            if (m_pParents[static_cast<size_t>(i)] == object) {
                m_pParents[static_cast<size_t>(i)] = nullptr;
                return 1;
            }
        }
        Trace(" DisConnection PARENT: not found ");
        return 0;
    }
    Trace(" DisConnection : not found ");
    return 0;
}

void VelmorObject::Detach(int flags, ElementContainer* container)
{
    if (!(flags & STATE_DETACH))
        return;
    for (int i = 0; i < m_nParents && static_cast<size_t>(i) < m_pParents.size(); ++i)
        if (VelmorObject* parent = m_pParents[static_cast<size_t>(i)])
            parent->Disconnect(CHILD, this);
    // Each list is walked from its front: every step removes the member it handles, and a
    // cascade that deletes a later member also takes it out of the list first.
    while (!m_drawList.empty()) {
        VelmorObject* entry = m_drawList.front();
        entry->m_state |= flags & STATE_DISPLAY_BITS;
        Disconnect(DRAW, entry);
    }
    while (!m_childList.empty()) {
        VelmorObject* child = m_childList.front();
        Disconnect(CHILD, child);
        if (flags & STATE_CASCADE)
            child->Detach(flags, container);
    }
    if ((flags & STATE_REMOVE) && container)
        container->DeleteObject(this);
}

int VelmorObject::CountChildren(int kind) const
{
    if (kind == KIND_NONE)
        return static_cast<int>(m_childList.size());
    return static_cast<int>(std::count_if(m_childList.begin(), m_childList.end(),
                                          [kind](const VelmorObject* c) { return c->Kind() == kind; }));
}

VelmorObject* VelmorObject::FindChild(int kind) const
{
    for (VelmorObject* c : m_childList)
        if (c->Kind() == kind)
            return c;
    return nullptr;
}

bool VelmorObject::IsChildOf(const VelmorObject* other) const
{
    return other && other->m_childList.contains(this);
}

} // namespace velmor
