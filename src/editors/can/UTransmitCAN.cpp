#include "editors/can/UTransmitCAN.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{2100, 2101, 2102, 2103, 2125, 2126, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 2104, 2127},
        {"Btn_Insert_Row", 2105, 2128},
        {"Btn_Copy_Row", 2106, 2129},
        {"Btn_Paste_Row", 2107, 2130}
    };
    t.Pages = {};
    t.Client_Width = 900;
    t.Client_Height = 520;
    return t;
}

} // namespace

TFTransmitCAN::TFTransmitCAN(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FTransmitCAN"));
}
