// Window 411: a small modeless window of the matrix view that shows one matrix or vector of the
// element being processed (local or global stiffness, transformation, load vectors) as a grid
// of cells, green where the entry is not zero and magenta in the block the user has chosen.
#pragma once

#include "numeric/MatBase.h"
#include "tutor/core/MatrixGrid.h"

#include <QDialog>

class QGroupBox;
class QLabel;

namespace velmor {

class ElementPopup : public QDialog
{
    Q_OBJECT
public:
    explicit ElementPopup(QWidget* parent = nullptr);

    // Shows a copy of `contents` (a 2g x 2g matrix for the matrix kinds, a vector of g or 2g
    // entries otherwise) with the label and title of its kind for the element between nodes
    // na and nb (node for a nodal load). No block is chosen afterwards.
    void ShowContents(PopupKind kind, const MatBase& contents, int dofPerNode, int na, int nb,
                      int node);

    PopupKind Kind() const { return m_kind; }
    const MatBase& Contents() const;
    int DofPerNode() const { return m_dof; }
    QString LabelText() const;
    // The block drawn in magenta (-1: none).
    void SetChosenBlock(int block);
    int ChosenBlock() const { return m_chosen; }

    // The picture widget and its cells, in its own coordinates.
    QWidget* Picture() const { return m_picture; }
    PopupGrid Layout() const;

signals:
    // A left click on block k of the picture.
    void BlockClicked(int block);

protected:
    // A right click anywhere in the window opens the matrix or vector viewer on its contents.
    void mousePressEvent(QMouseEvent* event) override;

private:
    friend class PopupPicture;
    void OpenViewer();
    void PaintPicture(QWidget* on);
    void PictureClicked(const QPoint& at, Qt::MouseButton button);

    PopupKind m_kind = PopupKind::LocalStiffness;
    Mat m_matrix;
    Vector m_vector;
    int m_dof = 1;
    int m_chosen = -1;
    QGroupBox* m_box = nullptr;
    QWidget* m_picture = nullptr;
    QLabel* m_label = nullptr;
};

} // namespace velmor
