#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("DMX / Ethernet - Converter"));
    placeholder.show();
    return app.exec();
}
