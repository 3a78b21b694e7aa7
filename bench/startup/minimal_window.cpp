// The baseline of the start-up measurement: the least a Qt program does to
// show an empty window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(694, 396);
    window.show();
    return app.exec();
}
