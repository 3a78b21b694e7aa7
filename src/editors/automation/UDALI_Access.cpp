#include "editors/automation/UDALI_Access.h"

TFDALI_Access* FDALI_Access = nullptr;

namespace {

TEditorTexts texts()
{
    TEditorTexts t{600, 601, 602, 603, 606, 607, {}, {}};
    t.Buttons = {
        {"Btn_Select_All", 604, 608},
        {"Btn_Clear_All", 605, 609},
        {"Btn_DALI_Maps", 753, 754}
    };
    t.Pages = {2555, 2556, 2557};
    t.Client_Width = 900;
    t.Client_Height = 600;
    return t;
}

} // namespace

TFDALI_Access::TFDALI_Access(QWidget* owner) : TEditorWindow(texts(), owner)
{
    setObjectName(QStringLiteral("FDALI_Access"));
}
