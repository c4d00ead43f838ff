// The three floating result bars of the calculation frame: the displacements of a node, the
// reactions of a supported node and the end forces of a beam, each value with "%8.3g" in the box
// of its degree of freedom. Boxes of degrees of freedom the problem type does not have keep
// their text.
#pragma once

#include <QDockWidget>

#include <array>
#include <optional>
#include <vector>

class QLineEdit;

namespace velmor {

class Analysis;
class VelmorObject;

// The six values of one node's part of a vector, starting at the 1-based `first`: the
// problem's degrees of freedom in order, nothing for the others; round-off shown as 0 against
// the magnitudes of the components, as the report shows it.
std::array<std::optional<double>, 6> NodeColumns(const Analysis& analysis, const class Vector& v,
                                                 long first, const std::vector<double>& magnitudes);

class ResultBar : public QDockWidget
{
    Q_OBJECT
public:
    // 428 displacements, 430 reactions, 429 internal forces.
    enum Kind { Displacements = 428, Reactions = 430, Efforts = 429 };

    ResultBar(Kind kind, QWidget* parent = nullptr);

    Kind BarKind() const { return m_kind; }
    // Writes the element's values: a node for the displacements and reactions, a beam for the
    // internal forces. False (nothing written) for an element of another kind or without
    // results.
    bool Fill(const Analysis& analysis, const VelmorObject& element);
    // The box of a control id (351 ... 365).
    QLineEdit* Box(int controlId) const;

private:
    void WriteColumns(const std::array<std::optional<double>, 6>& values, int firstBox);

    Kind m_kind;
};

} // namespace velmor
