#include "editors/automation/USetAccess.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{1700, 1701, 1702, 1703, -1, -1, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 1704, -1},
        {"Btn_Insert_Row", 1705, -1},
        {"Btn_Copy_Row", 1706, -1},
        {"Btn_Paste_Row", 1707, -1}
    };
    t.Pages = {1708, 1709};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFSetAccess::TFSetAccess(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FSetAccess"));
}
