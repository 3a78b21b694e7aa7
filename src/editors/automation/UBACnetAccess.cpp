#include "editors/automation/UBACnetAccess.h"

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{1400, 1401, 1402, 1403, -1, -1, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 1404, -1},
        {"Btn_Insert_Row", 1405, -1}
    };
    t.Pages = {1406, 1407};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFBACnetAccess::TFBACnetAccess(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FBACnetAccess"));
}
