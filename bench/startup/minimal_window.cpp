// The baseline of the start-up measurement: the least a Qt program does to
// show an empty window of the main window's size. With "--with-text" the
// window also holds a label and a line edit, the first of which make Qt
// start its text, accessibility and input-method services: the share of
// the start-up that any window showing text pays.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(694, 396);
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
        auto* label = new QLabel(QStringLiteral("Step 1"), &window);
        label->setGeometry(16, 128, 60, 16);
        auto* edit = new QLineEdit(&window);
        edit->setGeometry(80, 128, 170, 22);
    }
    window.show();
    return app.exec();
}
