// The common base of every structural element: its data record, the parents it rests on
// (slots fixed by its class), the elements resting on it (child list), the display entries
// the views attach to it (draw list), and the cut-out of the graph when it is deleted.
//
// Ownership: the element owns its record; parents, children and display entries are plain,
// non-owning pointers kept consistent by Connect, Disconnect and Detach. The problem
// container owns the elements, the views own their display entries.
#pragma once

#include "ElementKind.h"
#include "ObjectRefList.h"
#include "VelmorObjectData.h"

#include <memory>
#include <vector>

namespace velmor {

class Archive;
class ElementContainer;
class ElementTemplate;

enum ConnectionKind : int {
    DRAW = 0,    // the draw list
    CHILD = 1,   // the child list
    PARENT = 2,  // a parent slot
};

// Bits of m_state. The detach bits are flags of Detach; the display bits are kept by the views'
// display entries (an element's detach hands its display bits to its entries).
enum ObjectState : int {
    STATE_CASCADE = 0x0100,  // detach the children too
    STATE_REMOVE = 0x0200,   // delete from the container at the end of the detach
    STATE_DETACH = 0x1000,   // detach armed (on a display entry: remove the entry)
    STATE_REDRAW = 0x2000,
    STATE_NEW = 0x4000,
    STATE_HIGHLIGHT = 0x8000,
    STATE_DISPLAY_BITS = 0xF000,
};

class VelmorObject
{
public:
    // An element with `parentCount` empty parent slots and the given record (may be null).
    explicit VelmorObject(int parentCount = 0, std::unique_ptr<VelmorObjectData> data = nullptr);
    // Empties both lists without touching their members.
    virtual ~VelmorObject();
    VelmorObject(const VelmorObject&) = delete;
    VelmorObject& operator=(const VelmorObject&) = delete;

    virtual const char* GetRuntimeClass() const { return "VelmorObject"; }
    // The element record in the document file: the data record, then the parent count and one
    // (kind, number) reference per parent slot. Loading resolves each reference in the
    // archive's container; one that does not resolve to an element of the slot's kind is
    // reported to the container and leaves the slot empty. Storing an empty slot reports it
    // too and writes a reference to number 0, which no element has, so that the file stays
    // well formed.
    virtual void Serialize(Archive& ar);
    // 0 when parent slot 0 is empty; else the answer of the parent in slot `end` (or in slot 0
    // when slot `end` is empty or out of range). A node answers with its analysis number.
    virtual int GetNumber(int end) const;
    // Fills `point` from the parent in slot `end` (slot 0 when that one is empty or out of
    // range); with option 1, the ends are exchanged when GetNumber(2) < GetNumber(1). A node
    // fills its coordinates. Leaves `point` unchanged when no parent can answer.
    virtual Mfx3dPoint& GetPosition(Mfx3dPoint& point, int end, int option) const;
    virtual double GetLength() const { return 0.0; }
    // Whether a new element made from the template may join this element's list in the
    // container.
    virtual bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const;
    // The kind of element parent slot `slot` must hold (KIND_NONE: any).
    virtual int ParentKind(int slot) const;

    // Parent slot i, or the spare null slot for an index outside the slots (writing to the
    // spare slot is undone at the next access).
    VelmorObject*& GetParent(int i);
    VelmorObject* GetParent(int i) const;
    int ParentCount() const { return m_nParents; }

    // The element's own number (a record's m_number; an object without a record reports the
    // number of the object in its slot 0, up the chain).
    int Number() const;
    // The record's kind, or KIND_NONE without a record.
    int Kind() const { return m_pData ? m_pData->m_kind : KIND_NONE; }

    // 1 done, 0 refused (with the trace " Connection : Is connected ").
    int Connect(ConnectionKind kind, VelmorObject* object, int slot = 0);
    // 1 done, 0 when the object was not connected (with traces).
    int Disconnect(ConnectionKind kind, VelmorObject* object);
    // Cuts the element out of the graph when `flags` has STATE_DETACH: from its parents, its
    // display entries (which take the flags' bits 0xF000), its children (detached in turn with
    // STATE_CASCADE); with STATE_REMOVE the container then deletes it (and each child of the
    // cascade), so nothing of the element may be used after such a call. Without a container
    // nothing is deleted.
    void Detach(int flags, ElementContainer* container = nullptr);
    // Children of a kind (-1: all).
    int CountChildren(int kind) const;
    // First child of a kind in list order, or null.
    VelmorObject* FindChild(int kind) const;
    bool IsChildOf(const VelmorObject* other) const;

    const ObjectRefList& Children() const { return m_childList; }
    const ObjectRefList& DrawList() const { return m_drawList; }

    std::unique_ptr<VelmorObjectData> m_pData;
    int m_state = 0;
    // While loading: the kind of the list the element is read into; its record takes that kind
    // whatever the file says, so that the element is looked for in the list it is in.
    int m_nLoadKind = KIND_NONE;

protected:
    int m_nParents = 0;
    std::vector<VelmorObject*> m_pParents;
    ObjectRefList m_drawList;   // ordered, duplicates possible
    ObjectRefList m_childList;
    VelmorObject* m_pSpare = nullptr;
};

} // namespace velmor
