// Dialog 410 "Diagramme de calcul": the flow chart of the direct stiffness method, shown after
// a step is completed, with a frame around the step that comes next.
#pragma once

#include "tutor/core/TutorTypes.h"

#include <QDialog>
#include <QPixmap>

namespace velmor {

class FlowDialog : public QDialog
{
    Q_OBJECT
public:
    // Frames the row of `target` (group boxes 178 to 183 around the steps 1 to 5 and the
    // results; the laws of the exercises and the results share 183); no frame for None.
    // A non-empty `heading` replaces the heading "Le diagramme de calcul est le suivant:"
    // (the example view passes a single blank, which leaves the heading line empty). Help asks
    // for the flow chart's theory page of the target step (0x70000 + the step's offset), or
    // for the dialog's page when there is no target.
    FlowDialog(TutorStage target, const QString& heading, QWidget* parent = nullptr);

    // Runs the dialog modally: QDialog::Accepted (OK), QDialog::Rejected (Escape or closed) or
    // kSkipStepResult ("SEG" confirmed).
    static int Run(TutorStage target, const QString& heading, QWidget* parent = nullptr);

    // The flow-chart piece of one step's row (FLNUM 129, FLRIG 131, FLCAR 127, FLCON 128,
    // FLSOL 132, FLRES 130): its box with the step's symbol and the arrows to its neighbours,
    // so that the six pieces stacked make one column. Null for any other id.
    static QPixmap Picture(int pictureId, qreal devicePixelRatio = 1.0);
};

} // namespace velmor
