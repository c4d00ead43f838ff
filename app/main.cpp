// Program entry: the application with its main window. No file named on the command line is
// opened; the program starts with no document.
#include "VelmorApp.h"
#include "platform/qt/shell/QtMessageService.h"
#include "platform/qt/shell/Translations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Quelmo");
    QApplication::setApplicationName("Velmor");
    velmor::InstallFrenchTranslations(qt);
    velmor::QtMessageService messages;
    velmor::SetMessageService(&messages);
    velmor::VelmorApp app;
    app.Start(true);
    const int status = QApplication::exec();
    velmor::SetMessageService(nullptr);
    return status;
}
