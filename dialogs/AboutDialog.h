// About box 400: the program's icon, name and version.
#pragma once

#include <QDialog>

namespace velmor {

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace velmor
