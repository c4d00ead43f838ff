// Window 434 "Appui": a small modeless window that shows the picture of a support's type while
// the step-by-step solution imposes it, titled "Appui en un noeud <node>". Its owner (the
// matrix view) handles a right click in it.
#pragma once

#include <QDialog>

class QToolButton;

namespace velmor {

class SupportPictureWindow : public QDialog
{
    Q_OBJECT
public:
    // A window for support type 1 to 11 at node `nodeNumber` (another type shows no picture).
    // On its first showing it stands one window width to the left of where it would open.
    SupportPictureWindow(int supportType, int nodeNumber, QWidget* parent = nullptr);

    int SupportType() const { return m_type; }
    int NodeNumber() const { return m_node; }

signals:
    // A right click in the window, at `globalPos` on the screen.
    void RightClicked(const QPoint& globalPos);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_type;
    int m_node;
    bool m_placed = false;
    QToolButton* m_picture = nullptr;
};

} // namespace velmor
