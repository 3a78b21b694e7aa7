#include "editors/can/USNMP_Trap_Access.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{1900, 1901, 1902, 1903, 1910, 1911, {}, {}};
    t.Buttons = {
        {"Btn_Delete_Row", 1904, 1912},
        {"Btn_Insert_Row", 1905, 1913},
        {"Btn_Copy_Row", 1906, 1914},
        {"Btn_Paste_Row", 1907, 1915}
    };
    t.Pages = {1908, 1909};
    t.Client_Width = 900;
    t.Client_Height = 560;
    return t;
}

} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access"));
}
