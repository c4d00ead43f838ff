// What the views of a document are told when something changes: one typed event, the kind of
// update with the element it concerns. The numbers are those the views and the tutor have
// always used for their updates.
#pragma once

namespace velmor {

class VelmorObject;

enum class UpdateHint : int {
    WorkBox = 0,          // the work box or the camera changed: every entry redrawn
    Model = 1,            // the whole picture repainted
    Element = 2,          // the element's entry redrawn (every entry without an element)
    Marked = 3,           // only the entries marked by their own state are redone
    ModelDone = 4,        // after a change of the model: the new entries laid out
    ElementAdded = 5,     // an element added (the element is given)
    LawStarted = 6,       // a law drawing starts on the current beam
    LeaveCalculation = 7, // leaving the calculation modes; a law drawing ends
    // The tutor's updates, read by the matrix view and the frames.
    ItemDone = 10,        // an item assembled, or a step finished
    BeamStiffness = 11,   // a beam's stiffness computed
    SupportDone = 12,     // a support imposed
    NodalLoadVector = 13, // a nodal load's vector computed
    BeamLoadVector = 14,  // a distributed load's vector computed
    NodeValues = 15,      // a node's values handed to the result bar
    ElementValues = 16,   // a beam's or a support's values handed to the result bar
    SelfWeightVector = 17,// a beam's self-weight vector computed
    SupportImposing = 18, // a support being imposed
};

struct ChangeEvent
{
    UpdateHint hint = UpdateHint::Model;
    VelmorObject* element = nullptr;

    friend bool operator==(const ChangeEvent&, const ChangeEvent&) = default;
};

} // namespace velmor
