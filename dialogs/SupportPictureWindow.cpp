#include "SupportPictureWindow.h"

#include "DialogPictures.h"
#include "resources/StringTable.h"
#include "views/core/DialogRules.h"

#include <QMouseEvent>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 434;
constexpr int kTitleId = 61290;
constexpr int kSettlementButton = 198;

} // namespace

SupportPictureWindow::SupportPictureWindow(int supportType, int nodeNumber, QWidget* parent)
    : QDialog(parent), m_type(supportType), m_node(nodeNumber)
{
    setObjectName(QString::number(kResourceId));
    setModal(false);
    setWindowTitle(QString::fromUtf8(LoadString(kTitleId)) + QStringLiteral(" %1").arg(nodeNumber));

    m_picture = new QToolButton(this);
    const int id = supportType == SUPPORT_SETTLEMENT ? kSettlementButton : SupportButtonId(supportType);
    m_picture->setObjectName(QString::number(id));
    m_picture->setIcon(SupportTypeIcon(supportType));
    m_picture->setIconSize(kSupportPictureSize);
    m_picture->setCheckable(true);
    m_picture->setChecked(true);
    m_picture->setFocusPolicy(Qt::NoFocus);
    // The picture only shows: its clicks are the window's.
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->setVisible(id != 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture, 0, Qt::AlignCenter);
}

void SupportPictureWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        move(x() - frameGeometry().width(), y());
    }
}

void SupportPictureWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit RightClicked(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace velmor
