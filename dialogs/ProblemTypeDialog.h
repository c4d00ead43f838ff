// Dialog 415 "Type de la structure": the problem type, one radio button per type. The caller
// sets the chosen type on its problem (with the degrees of freedom that go with it).
#pragma once

#include <QDialog>

class QRadioButton;

namespace velmor {

class ProblemTypeDialog : public QDialog
{
    Q_OBJECT
public:
    // Selects the button of `currentType` (none for 0 or an unknown type).
    explicit ProblemTypeDialog(int currentType, QWidget* parent = nullptr);

    // After OK: the type chosen, 1 to 4, never 0. Otherwise the type the dialog was opened
    // with: Cancel keeps the previous type, and on a structure without a type (0) the caller
    // learns that none was chosen.
    int Type() const { return m_type; }

    // Runs the dialog and returns Type().
    static int Choose(int currentType, QWidget* parent = nullptr);

    // The type of the button last clicked (or of the one checked on opening), 0 for none.
    int Chosen() const { return m_chosen; }

    // Closes only once a type is chosen.
    void accept() override;

private:
    QRadioButton* m_buttons[4] = {};
    int m_type = 0;
    int m_chosen = 0;
};

} // namespace velmor
