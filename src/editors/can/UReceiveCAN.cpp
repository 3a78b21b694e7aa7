#include "editors/can/UReceiveCAN.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{2000, 2001, 2002, 2003, 2023, 2024, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 2004, 2025},
        {"Btn_Insert_Row", 2005, 2026},
        {"Btn_Copy_Row", 2006, 2027},
        {"Btn_Paste_Row", 2007, 2028}
    };
    t.Pages = {};
    t.Client_Width = 900;
    t.Client_Height = 520;
    return t;
}

} // namespace

TFReceiveCAN::TFReceiveCAN(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FReceiveCAN"));
}
