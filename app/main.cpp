// Program entry: the application window. The full shell (modes, menus, documents) is built on
// top of this window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quelmo");
    QApplication::setApplicationName("Velmor");

    QMainWindow window;
    window.setWindowTitle("Velmor");
    auto* label = new QLabel(QObject::tr("Velmor — calcul des structures"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1024, 768);
    window.showMaximized();
    return app.exec();
}
