#include "DisplayList.h"

#include "StructureRenderer.h"
#include "numeric/Mfx3dDC.h"

#include <algorithm>

namespace velmor {

VelmorDisplayEntry::VelmorDisplayEntry(VelmorObject& element) : VelmorObject(1), m_tag(element.Kind())
{
    element.Connect(DRAW, this);
    GetParent(0) = &element;
}

void VelmorDisplayEntry::ComputeRegion(Mfx3dDC& dc, const StructureRenderer& renderer)
{
    m_region.Clear();
    if (const VelmorObject* element = Element())
        renderer.Draw(*element, dc, &m_region, Highlighted());
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
    m_entries.push_back(std::move(entry));
    return m_entries.back().get();
}

VelmorDisplayEntry* DisplayList::EntryOf(const VelmorObject& element) const
{
    for (const auto& e : m_entries)
        if (e->Element() == &element)
            return e.get();
    return nullptr;
}

void DisplayList::Highlight(const VelmorObject& element)
{
    if (VelmorDisplayEntry* e = EntryOf(element))
        e->m_state |= STATE_HIGHLIGHT | STATE_REDRAW;
}

void DisplayList::Unhighlight(const VelmorObject& element)
{
    if (VelmorDisplayEntry* e = EntryOf(element)) {
        e->m_state &= ~STATE_HIGHLIGHT;
        e->m_state |= STATE_REDRAW;
    }
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

void DisplayList::Refresh(int flags, const VelmorObject* only, Mfx3dDC& dc,
                          const StructureRenderer& renderer, PixelRect& invalid)
{
    std::erase_if(m_entries, [&](const std::unique_ptr<VelmorDisplayEntry>& e) {
        VelmorObject* element = e->Element();
        if (only && element != only)
            return false;
        // A detached element released its entry and marked it for removal.
        const int s = e->m_state;
        const bool remove = !element || (s & STATE_DETACH) || (flags & STATE_DETACH);
        if (((flags & STATE_REDRAW) && !(s & STATE_NEW)) || remove)
            UniteRect(invalid, e->Rect());
        if (remove) {
            if (element)
                element->Disconnect(DRAW, e.get());
            return true;
        }
        if ((s & STATE_NEW) || (flags & STATE_REDRAW)) {
            e->ComputeRegion(dc, renderer);
            UniteRect(invalid, e->Rect());
            e->m_state &= STATE_HIGHLIGHT; // the highlight stays until the view takes it off
        }
        return false;
    });
}

} // namespace velmor
