// The pictures of the support and load dialogs, drawn with QPainter: the support types, the
// springs and settlements, the six types of beam load and the nodal load.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace velmor {

// Size of the pictures of the type buttons, in device-independent pixels.
inline constexpr QSize kSupportPictureSize{64, 56};
inline constexpr QSize kLoadPictureSize{100, 62};

// Every icon holds four pictures: released (Off) and pressed (On, tinted, the symbol drawn
// heavier), each also in a greyed form for a disabled button; at scale 1 and 2.

// Picture of a support type: 1 fixed (hatched block), 2 pinned (triangle on hatching),
// 3 to 5 hinged about x, y or z (triangle with the free rotation), 6 to 8 roller holding x, y
// or z (triangle on circles), 9 user-defined restraints, 10 spring (zigzag), 11 settlement.
// A null icon for any other type.
QIcon SupportTypeIcon(int supportType);
// The settlement button: with `active` the settlement arrows are red (MOVE_ENU), otherwise
// grey (MOVEU).
QIcon SettlementIcon(bool active);
// Picture of a beam-load type 2 to 7: an inclined beam under constant or linear load arrows,
// vertical (global), square to the beam (local) or spread over the horizontal projection.
// A null icon for any other type.
QIcon LoadTypeIcon(int loadType);
// The picture of the nodal-load dialog: a joint under a force and a moment.
QPixmap NodalLoadPicture();

} // namespace velmor
