#include "editors/can/USet_PDO_Access.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{2200, 2201, 2202, 2203, 2208, 2209, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 2204, 2210},
        {"Btn_Insert_Row", 2205, 2211},
        {"Btn_Copy_Row", 2206, 2212},
        {"Btn_Paste_Row", 2207, 2213}
    };
    t.Pages = {2214, 2215};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFSet_PDO_Access::TFSet_PDO_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FSet_PDO_Access"));
}
