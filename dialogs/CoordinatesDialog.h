// Dialog 412 "Entrée par coordonnées": one point typed as x, y, z (metres). The editor uses it to
// place or move a node and to ask for the orientation of a space-frame beam.
#pragma once

#include "numeric/Mfx3dPoint.h"

#include <QDialog>

class QLineEdit;

namespace velmor {

class CoordinatesDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows `point`; y is enabled for problem types above 1, z above 2 (a disabled coordinate
    // comes back as it was given).
    CoordinatesDialog(const Mfx3dPoint& point, int problemType, QWidget* parent = nullptr);

    // The point as typed, with w = 1; before OK, the point given. It is not scaled to unit
    // length: a node typed at (5, 0, 0) stays there. Callers that want a direction (the beam
    // orientation) normalise it themselves.
    const Mfx3dPoint& Point() const { return m_point; }

    // Runs the dialog on `point`; on OK writes the typed point back and returns true.
    static bool Edit(Mfx3dPoint& point, int problemType, QWidget* parent = nullptr);

    void accept() override;

private:
    QLineEdit* m_edits[3] = {};
    Mfx3dPoint m_point;
};

} // namespace velmor
