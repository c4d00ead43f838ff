#include "DisplayList.h"

#include "numeric/Mfx3dDC.h"

#include <algorithm>

namespace velmor {

VelmorDisplayEntry::VelmorDisplayEntry(VelmorObject& element) : VelmorObject(1), m_tag(element.Kind())
{
    element.Connect(DRAW, this);
    GetParent(0) = &element;
}

void VelmorDisplayEntry::ComputeRegion(Mfx3dDC& dc, const ProgramOptions& options)
{
    m_region.Clear();
    if (VelmorObject* element = Element())
        element->Draw(dc, &m_region, options);
}

void UniteRect(PixelRect& into, const PixelRect& add)
{
    const PixelRect a = add.Normalized();
    if (a.IsEmpty())
        return;
    if (into.IsEmpty()) {
        into = a;
        return;
    }
    into.left = std::min(into.left, a.left);
    into.top = std::min(into.top, a.top);
    into.right = std::max(into.right, a.right);
    into.bottom = std::max(into.bottom, a.bottom);
}

DisplayList::~DisplayList()
{
    Clear();
}

VelmorDisplayEntry* DisplayList::AddEntry(VelmorObject& element)
{
    auto entry = std::make_unique<VelmorDisplayEntry>(element);
    entry->m_state |= STATE_NEW;
    element.m_state |= STATE_NEW;
    m_entries.push_back(std::move(entry));
    return m_entries.back().get();
}

void DisplayList::Highlight(VelmorObject& element)
{
    element.m_state |= STATE_HIGHLIGHT | STATE_REDRAW;
}

void DisplayList::Unhighlight(VelmorObject& element)
{
    element.m_state &= ~STATE_HIGHLIGHT;
    element.m_state |= STATE_REDRAW;
}

VelmorDisplayEntry* DisplayList::HitTest(int kind, int x, int y) const
{
    for (const auto& e : m_entries) {
        const VelmorObject* element = e->Element();
        if (!element || (kind != KIND_NONE && element->Kind() != kind))
            continue;
        if (e->GetRegion().Contains(x, y))
            return e.get();
    }
    return nullptr;
}

void DisplayList::Clear()
{
    for (const auto& e : m_entries)
        if (VelmorObject* element = e->Element())
            element->Disconnect(DRAW, e.get());
    m_entries.clear();
}

void DisplayList::Refresh(int flags, VelmorObject* only, Mfx3dDC& dc, const ProgramOptions& options,
                          PixelRect& invalid)
{
    std::erase_if(m_entries, [&](const std::unique_ptr<VelmorDisplayEntry>& e) {
        VelmorObject* element = e->Element();
        if (only && element != only)
            return false;
        // A detached element released its entry and marked it for removal.
        const int s = element ? element->m_state : e->m_state;
        const bool remove = !element || (e->m_state & STATE_DETACH) || (s & STATE_DETACH) ||
                            (flags & STATE_DETACH);
        if (((flags & STATE_REDRAW) && !(s & STATE_NEW)) || remove)
            UniteRect(invalid, e->Rect());
        if (remove) {
            if (element)
                element->Disconnect(DRAW, e.get());
            return true;
        }
        if ((s & STATE_NEW) || (flags & STATE_REDRAW)) {
            e->ComputeRegion(dc, options);
            UniteRect(invalid, e->Rect());
            e->m_state = 0;
        }
        return false;
    });
}

} // namespace velmor
