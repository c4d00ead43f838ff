#include "WorkBoxDialog.h"

#include "platform/core/MessageService.h"

#include "DialogFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 409;

void AddRow(QGridLayout* grid, int row, int column, const char* label, QLineEdit* edit)
{
    auto* text = new QLabel(QString::fromUtf8(label), edit->parentWidget());
    text->setBuddy(edit);
    grid->addWidget(text, row, column);
    grid->addWidget(edit, row, column + 1);
}

} // namespace

WorkBoxDialog::WorkBoxDialog(const Mfx3dBox& box, const Mfx3dPoint& step, int problemType,
                             QWidget* parent)
    : QDialog(parent), m_box(box), m_step(step)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Cotes (Minimum / Maximum)"));

    const Mfx3dPoint lo = box.MinCorner();
    const Mfx3dPoint hi = box.MaxCorner();

    auto* limits = new QGroupBox(
        QString::fromUtf8("Entrée des valeurs minimales et maximales"), this);
    auto* limitsGrid = new QGridLayout(limits);
    const char* minIds[3] = {"120", "122", "124"};
    const char* maxIds[3] = {"119", "121", "123"};
    const char* minLabels[3] = {"X min.", "Y min.", "Z min."};
    const char* maxLabels[3] = {"X max.", "Y max.", "Z max."};
    const double mins[3] = {lo.x, lo.y, lo.z};
    const double maxs[3] = {hi.x, hi.y, hi.z};
    for (int i = 0; i < 3; ++i) {
        m_edits[i] = MakeNumberEdit(minIds[i], mins[i], limits);
        m_edits[3 + i] = MakeNumberEdit(maxIds[i], maxs[i], limits);
        AddRow(limitsGrid, i, 0, minLabels[i], m_edits[i]);
        AddRow(limitsGrid, i, 2, maxLabels[i], m_edits[3 + i]);
    }

    auto* steps = new QGroupBox(QStringLiteral("Valeur des pas"), this);
    auto* stepsGrid = new QGridLayout(steps);
    const char* stepIds[3] = {"116", "117", "118"};
    const char* stepLabels[3] = {"d X", "d Y", "d Z"};
    const double stepValues[3] = {step.x, step.y, step.z};
    for (int i = 0; i < 3; ++i) {
        m_edits[6 + i] = MakeNumberEdit(stepIds[i], stepValues[i], steps);
        AddRow(stepsGrid, i, 0, stepLabels[i], m_edits[6 + i]);
    }

    // y from plane frames on, z from space structures on.
    for (int axis = 1; axis < 3; ++axis) {
        const bool enabled = problemType > axis;
        for (int k : {axis, 3 + axis, 6 + axis})
            m_edits[k]->setEnabled(enabled);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(limits);
    layout->addWidget(steps);
    layout->addWidget(MakeButtons(this, true, "105", DialogHelpContext(kResourceId)));
}

void WorkBoxDialog::accept()
{
    const Mfx3dPoint lo = m_box.MinCorner();
    const Mfx3dPoint hi = m_box.MaxCorner();
    double v[9] = {lo.x, lo.y, lo.z, hi.x, hi.y, hi.z, m_step.x, m_step.y, m_step.z};
    if (!ReadNumberEdits(m_edits, v, 9))
        return;
    // A maximum below its minimum would make an inverted box drawn off the window; a flat box
    // (minimum equal to maximum) is normal for plane problems, and the steps are the user's
    // choice.
    for (int axis = 0; axis < 3; ++axis)
        if (v[3 + axis] < v[axis]) {
            ShowMessage("Le maximum doit être supérieur ou égal au minimum.", MessageIcon::Warning);
            m_edits[3 + axis]->setFocus();
            m_edits[3 + axis]->selectAll();
            return;
        }
    m_box = Mfx3dBox(Mfx3dPoint(v[0], v[1], v[2]), Mfx3dPoint(v[3], v[4], v[5]));
    m_step = Mfx3dPoint(v[6], v[7], v[8], m_step.w);
    QDialog::accept();
}

bool WorkBoxDialog::Edit(Mfx3dBox& box, Mfx3dPoint& step, int problemType, QWidget* parent)
{
    WorkBoxDialog dialog(box, step, problemType, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    box = dialog.Box();
    step = dialog.Step();
    return true;
}

} // namespace velmor
