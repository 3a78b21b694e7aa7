#include "editors/automation/UImportEDEFile.h"

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{1600, 1601, 1602, 1603, -1, -1, {}, {}};
    t.Buttons = {
        {"Btn_Select_All", 1618, -1},
        {"Btn_Unselect_All", 1619, -1}
    };
    t.Pages = {};
    t.Client_Width = 800;
    t.Client_Height = 520;
    return t;
}

} // namespace

TFImportEDEFile::TFImportEDEFile(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FImportEDEFile"));
}
