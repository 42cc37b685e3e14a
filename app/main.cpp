#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("vodarevivo"));
    window.setMinimumSize(768, 480);
    window.show();
    return app.exec();
}
