// Shared main of every test program: the widget tests need one QApplication,
// and pixel tests need the same platform, resolution and font on every machine.
#include "controls/dropdown/FxGridDropDownEditors.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; CI shells have none.
        const QByteArray dir = "/tmp/gc-test-runtime-" + QByteArray::number(getuid());
        ::mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    ::testing::InitGoogleTest(&argc, argv);
    // Errors escaping an event handler become error boxes, as in the program.
    fw::TApplicationCore app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    // The grid as the program has it: its drop-down editors come from the layer above.
    FxGridDropDown::RegisterEditorKinds();
    return RUN_ALL_TESTS();
}
