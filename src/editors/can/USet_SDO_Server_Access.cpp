#include "editors/can/USet_SDO_Server_Access.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{2400, 2401, 2402, 2403, 2408, 2409, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 2404, 2410},
        {"Btn_Insert_Row", 2405, 2411},
        {"Btn_Copy_Row", 2406, 2412},
        {"Btn_Paste_Row", 2407, 2413}
    };
    t.Pages = {2414, 2415};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FSet_SDO_Server_Access"));
}
