#include "ResultBars.h"

#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "model/VelmorObject.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {
namespace {

QLineEdit* box(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(90);
    return edit;
}

// A group of three boxes x, y, z with their unit label.
QGroupBox* group(QWidget* parent, const QString& title, const QString& unit, int firstId)
{
    auto* g = new QGroupBox(title, parent);
    auto* form = new QFormLayout(g);
    const char* axes[3] = {"x", "y", "z"};
    for (int i = 0; i < 3; ++i)
        form->addRow(unit + " " + axes[i], box(g, firstId + i));
    return g;
}

} // namespace

std::array<std::optional<double>, 6> NodeColumns(const Analysis& analysis, const Vector& v, long first,
                                                 const std::vector<double>& magnitudes)
{
    std::array<std::optional<double>, 6> out;
    long next = first;
    size_t k = 0;
    for (int j = 0; j < 6; ++j)
        if (analysis.DofMask()[j] && next >= 1 && next <= long(v.Rows())) {
            const double m = k < magnitudes.size() ? magnitudes[k] : 0.0;
            out[size_t(j)] = ShownValue(v.At(next++), m);
            ++k;
        }
    return out;
}

ResultBar::ResultBar(Kind kind, QWidget* parent) : QDockWidget(parent), m_kind(kind)
{
    const int bar = kind == Displacements ? 61347 : kind == Reactions ? 61346 : 61348;
    setObjectName(QString::number(bar));
    setWindowTitle(kind == Displacements ? QString::fromUtf8("Déplacements")
                   : kind == Reactions   ? QString::fromUtf8("Réactions")
                                         : QString::fromUtf8("Efforts"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    body->setObjectName(QString::number(int(kind)));
    auto* layout = new QGridLayout(body);
    if (kind == Efforts) {
        auto* ids = new QFormLayout;
        ids->addRow("Poutre:", box(body, 365));
        ids->addRow("Noeud 1:", box(body, 363));
        ids->addRow("Noeud 2:", box(body, 364));
        layout->addLayout(ids, 0, 0, 2, 1);
        layout->addWidget(group(body, "Forces Noeud 1", "F [N]", 351), 0, 1);
        layout->addWidget(group(body, "Moments Noeud 1", "M [Nm]", 354), 0, 2);
        layout->addWidget(group(body, "Forces Noeud 2", "F [N]", 357), 1, 1);
        layout->addWidget(group(body, "Moments Noeud 2", "M [Nm]", 360), 1, 2);
    } else {
        auto* ids = new QFormLayout;
        ids->addRow("Noeud:", box(body, 363));
        layout->addLayout(ids, 0, 0);
        if (kind == Displacements) {
            layout->addWidget(group(body, QString::fromUtf8("Déplacements:"), "[m]", 351), 0, 1);
            layout->addWidget(group(body, "Rotations:", "0 [rad]", 354), 0, 2);
        } else {
            layout->addWidget(group(body, "Forces", "F [N]", 351), 0, 1);
            layout->addWidget(group(body, "Moments", "M [Nm]", 354), 0, 2);
        }
    }
    setWidget(body);
}

QLineEdit* ResultBar::Box(int controlId) const
{
    return findChild<QLineEdit*>(QString::number(controlId));
}

void ResultBar::WriteColumns(const std::array<std::optional<double>, 6>& values, int firstBox)
{
    for (int j = 0; j < 6; ++j)
        if (values[size_t(j)])
            Box(firstBox + j)->setText(QString::asprintf("%8.3g", *values[size_t(j)]));
}

bool ResultBar::Fill(const Analysis& analysis, const VelmorObject& element)
{
    const long c = analysis.DofPerNode();
    if (m_kind == Efforts) {
        if (element.Kind() != KIND_BEAM)
            return false;
        const Vector& q = analysis.BeamResult(element).q;
        if (q.Rows() != unsigned(2 * c))
            return false;
        Box(365)->setText(QString::asprintf("%d", element.Number()));
        Box(363)->setText(QString::asprintf("%d", element.GetNumber(1)));
        Box(364)->setText(QString::asprintf("%d", element.GetNumber(2)));
        const std::vector<double> magnitudes = ForceMagnitudes(analysis);
        WriteColumns(NodeColumns(analysis, q, 1, magnitudes), 351);
        WriteColumns(NodeColumns(analysis, q, c + 1, magnitudes), 357);
        return true;
    }
    if (element.Kind() != KIND_NODE)
        return false;
    const Vector& v = m_kind == Displacements ? analysis.Displacements() : analysis.Reactions();
    const long k = element.GetNumber(0);
    if (k < 1 || (k - 1) * c + 1 > long(v.Rows()))
        return false;
    Box(363)->setText(QString::asprintf("%d", int(k)));
    WriteColumns(NodeColumns(analysis, v, (k - 1) * c + 1,
                             m_kind == Displacements ? DisplacementMagnitudes(analysis)
                                                     : ForceMagnitudes(analysis)),
                 351);
    return true;
}

} // namespace velmor
