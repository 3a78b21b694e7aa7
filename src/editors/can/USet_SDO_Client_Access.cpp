#include "editors/can/USet_SDO_Client_Access.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{2300, 2301, 2302, 2303, 2308, 2309, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 2304, 2310},
        {"Btn_Insert_Row", 2305, 2311},
        {"Btn_Copy_Row", 2306, 2312},
        {"Btn_Paste_Row", 2307, 2313}
    };
    t.Pages = {2314, 2315};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FSet_SDO_Client_Access"));
}
