#include "app/UDMXDefVal.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UWindowParts.h"
#include "controls/buttons/LbButton.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

TFDMXDefVal* FDMXDefVal = nullptr;

namespace {
constexpr int kWidth = 475;
constexpr int kHeight = 337;
constexpr int kColumnWidths[3] = {100, 100, 250};
} // namespace

TFDMXDefVal::TFDMXDefVal(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FDMXDefVal"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;
    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };

    // PLACEHOLDER for the column grid ACG_DMX_Def_Val (channel, default value,
    // mnemonic): the area it fills and its header row, no table logic.
    ACG_DMX_Def_Val = new QFrame(this);
    ACG_DMX_Def_Val->setObjectName(QStringLiteral("ACG_DMX_Def_Val"));
    ACG_DMX_Def_Val->setFrameShape(QFrame::StyledPanel);
    ACG_DMX_Def_Val->setFrameShadow(QFrame::Sunken);
    int left = 1;
    for (int i = 0; i < 3; ++i) {
        Header[i] = new fw::TLabel(ACG_DMX_Def_Val);
        Header[i]->setObjectName(QStringLiteral("Header_%1").arg(i));
        Header[i]->setGeometry(left, 1, kColumnWidths[i], 22);
        Header[i]->setFrameShape(QFrame::Panel);
        Header[i]->setFrameShadow(QFrame::Raised);
        Header[i]->setAlignment(Qt::AlignCenter);
        left += kColumnWidths[i];
    }
    Place_Controls();
}

void TFDMXDefVal::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight, fw::TFormBorderStyle::bsSizeable);
    Set_Lang();
}

void TFDMXDefVal::Set_Lang()
{
    SetCaption(Lang_Text(1300));
    L_SW_Desc->setText(Lang_Text(1301));
    Btn_OK->SetCaption(Lang_Text(1302));
    Btn_Cancel->SetCaption(Lang_Text(1303));
    for (int i = 0; i < 3; ++i)
        Header[i]->setText(Lang_Text(1304 + i));
}

void TFDMXDefVal::resizeEvent(QResizeEvent* event)
{
    fw::TForm::resizeEvent(event);
    Place_Controls();
}

void TFDMXDefVal::Place_Controls()
{
    // The panels are docked at the top and bottom; the grid fills the rest.
    const int w = width();
    const int h = height();
    L_SW_Code->parentWidget()->setGeometry(0, 0, w, 69);
    Btn_OK->parentWidget()->setGeometry(0, h - 40, w, 40);
    ACG_DMX_Def_Val->setGeometry(0, 69, w, std::max(0, h - 69 - 40));
}

void TFDMXDefVal::Btn_OKClick()
{
    // Without the table there is nothing to check or save: the file stays
    // as it is.
    SetModalResult(fw::mrOk);
}
