// modellocu-gui: the desktop program of Modello CU.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Modello CU 2025"));
    QApplication::setApplicationVersion(QStringLiteral(MODELLOCU_VERSION));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("CU 2025"));
    window.resize(1024, 720);
    window.show();
    return app.exec();
}
