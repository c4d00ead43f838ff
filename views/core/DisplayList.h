// What a 3D view keeps of the elements it shows: one display entry per element, with the
// outline of the element's symbol from its last drawing (hit region and device rectangle), and
// the refresh that works out which part of the window to repaint after a change.
#pragma once

#include "model/VelmorObject.h"
#include "platform/core/Region.h"

#include <memory>
#include <vector>

namespace velmor {

class Mfx3dDC;
class StructureRenderer;

// A display entry: a VelmorObject whose parent slot 0 is the element it stands for. Its state
// word holds what the view keeps of the element: new, to redraw, highlighted, removed.
class VelmorDisplayEntry : public VelmorObject
{
public:
    explicit VelmorDisplayEntry(VelmorObject& element);
    VelmorObject* Element() const { return GetParent(0); }
    int Tag() const { return m_tag; }
    bool Highlighted() const { return (m_state & STATE_HIGHLIGHT) != 0; }
    // Recomputes the outline through the renderer (nothing is drawn).
    void ComputeRegion(Mfx3dDC& dc, const StructureRenderer& renderer);
    const Region& GetRegion() const { return m_region; }
    PixelRect Rect() const { return m_region.BoundingRect(); }

private:
    int m_tag;
    Region m_region;
};

class DisplayList
{
public:
    ~DisplayList();

    // An entry for the element, marked new (0x4000).
    VelmorDisplayEntry* AddEntry(VelmorObject& element);
    // Marks the element's entry highlighted (0x8000) or not, and to redraw (0x2000).
    void Highlight(const VelmorObject& element);
    void Unhighlight(const VelmorObject& element);
    // The entry of the element, or null.
    VelmorDisplayEntry* EntryOf(const VelmorObject& element) const;
    // The first entry in list order whose element has the kind (any kind for -1) and whose
    // outline contains the device point.
    VelmorDisplayEntry* HitTest(int kind, int x, int y) const;
    // Unlinks and deletes every entry.
    void Clear();
    // Entries of removed elements (the detach marked them 0x1000) are dropped; entries to redo
    // (marked 0x4000, or `flags` with 0x2000) recompute their outline. The old and new
    // rectangles of what changed are added to `invalid`. Only the entry of `element` when one
    // is given.
    void Refresh(int flags, const VelmorObject* element, Mfx3dDC& dc,
                 const StructureRenderer& renderer, PixelRect& invalid);

    const std::vector<std::unique_ptr<VelmorDisplayEntry>>& Entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }

private:
    std::vector<std::unique_ptr<VelmorDisplayEntry>> m_entries;
};

// The smallest rectangle holding both (an empty one is ignored).
void UniteRect(PixelRect& into, const PixelRect& add);

} // namespace velmor
