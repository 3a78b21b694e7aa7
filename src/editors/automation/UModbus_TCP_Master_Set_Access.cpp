#include "editors/automation/UModbus_TCP_Master_Set_Access.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{1100, 1101, 1102, 1103, -1, -1, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 1104, -1},
        {"Btn_Insert_Row", 1105, -1}
    };
    t.Pages = {1106, 1107};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
}
