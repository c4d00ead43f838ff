#include "SpringDialog.h"

#include "views/core/DialogRules.h"

namespace velmor {
namespace {

const TwoPointForm kForm = {402,
                            "Appui élastique (ressort)",
                            {"kx", "ky", "kz", "k ang x", "k ang y", "k ang z"},
                            {"[N / m]", "[Nm / rad]"},
                            "102",
                            131474};

std::array<bool, 6> Enabled(int problemType)
{
    std::array<bool, 6> enabled;
    SpringControlsEnabled(problemType, enabled.data());
    return enabled;
}

} // namespace

SpringDialog::SpringDialog(const VelmorApoyoData& record, int problemType, QWidget* parent,
                           bool readOnly)
    : TwoPointDialog(kForm, record.m_springT, record.m_springR, Enabled(problemType), parent)
{
    SetReadOnly(readOnly);
}

bool SpringDialog::Edit(VelmorApoyoData& record, int problemType, QWidget* parent)
{
    SpringDialog dialog(record, problemType, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    record.m_springT = dialog.Translation();
    record.m_springR = dialog.Rotation();
    return true;
}

} // namespace velmor
