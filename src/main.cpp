// The program reads no command line and no environment: everything it keeps
// lives beside the program file.
#include "app/Application.h"
#include "controls/dropdown/FxGridDropDownEditors.h"
#include "framework/Forms.h"

#include <QCoreApplication>

int main(int, char** argv)
{
    // Qt would read options from the command line; it gets the program name only.
    int qtArgc = 1;
    fw::TApplicationCore app(qtArgc, argv);
    // The grid's drop-down editors are built a layer above it.
    FxGridDropDown::RegisterEditorKinds();
    Create_Main_Window(QCoreApplication::applicationDirPath());
    Create_Other_Windows_After_First_Paint();
    const int code = Run_Application();
    Free_Application_Windows();
    return code;
}
