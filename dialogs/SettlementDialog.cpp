#include "SettlementDialog.h"

#include "views/core/DialogRules.h"

namespace velmor {
namespace {

const TwoPointForm kForm = {401,
                            "Descente de l'appui",
                            {"dx", "dy", "dz", "ang x", "ang y", "ang z"},
                            {"[m]", "[rad]"},
                            "101",
                            131473};

std::array<bool, 6> Enabled(const VelmorApoyoData& record, int problemType)
{
    std::array<bool, 6> enabled;
    SettlementControlsEnabled(record, problemType, enabled.data());
    return enabled;
}

} // namespace

SettlementDialog::SettlementDialog(const VelmorApoyoData& record, int problemType,
                                   QWidget* parent, bool readOnly)
    : TwoPointDialog(kForm, record.m_translation, record.m_rotation,
                     Enabled(record, problemType), parent)
{
    SetReadOnly(readOnly);
}

bool SettlementDialog::Edit(VelmorApoyoData& record, int problemType, QWidget* parent)
{
    SettlementDialog dialog(record, problemType, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    record.m_translation = dialog.Translation();
    record.m_rotation = dialog.Rotation();
    return true;
}

} // namespace velmor
