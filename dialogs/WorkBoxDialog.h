// Dialog 409 "Cotes (Minimum / Maximum)": the work box of a structure, given by its minimum and
// maximum corners, and the grid step of the editor. Values in metres.
#pragma once

#include "numeric/Mfx3dBox.h"
#include "numeric/Mfx3dPoint.h"

#include <QDialog>

class QLineEdit;

namespace velmor {

class WorkBoxDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows the corners of `box` and the step; the fields of y are enabled for problem types
    // above 1, those of z above 2.
    WorkBoxDialog(const Mfx3dBox& box, const Mfx3dPoint& step, int problemType,
                  QWidget* parent = nullptr);

    // The box rebuilt from the corners as typed, and the steps. Before OK, the values given.
    const Mfx3dBox& Box() const { return m_box; }
    const Mfx3dPoint& Step() const { return m_step; }

    // Runs the dialog on `box` and `step`; on OK writes the results back and returns true.
    static bool Edit(Mfx3dBox& box, Mfx3dPoint& step, int problemType, QWidget* parent = nullptr);

    void accept() override;

private:
    // Edits in the order x min, y min, z min, x max, y max, z max, d x, d y, d z.
    QLineEdit* m_edits[9] = {};
    Mfx3dBox m_box;
    Mfx3dPoint m_step;
};

} // namespace velmor
