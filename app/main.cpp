// Program entry: the application with its main window. A file named on the command line (as a
// double-click on a structure file gives it) opens in the library editor; otherwise the program
// starts with no document.
#include "VelmorApp.h"
#include "platform/qt/shell/QtMessageService.h"
#include "platform/qt/shell/Translations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Quelmo");
    QApplication::setApplicationName("Velmor");
    velmor::InstallFrenchTranslations(qt);
    velmor::QtMessageService messages;
    velmor::SetMessageService(&messages);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmor.svg")));
    velmor::VelmorApp app;
    app.Start(true);
    if (QApplication::arguments().size() > 1)
        app.OpenFromCommandLine(QApplication::arguments().at(1));
    const int status = QApplication::exec();
    velmor::SetMessageService(nullptr);
    return status;
}
