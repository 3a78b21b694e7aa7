#include "controls/dropdown/FxCalculatorDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxThemeBinder.h"
#include "framework/Canvas.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"

#include <QApplication>
#include <QMouseEvent>

using namespace fw;

// ---- keys --------------------------------------------------------------------------------

void TButtonItem::Assign(const TButtonItem& source)
{
    FCaption = source.FCaption;
    FCaptionColor = source.FCaptionColor;
    FTag = source.FTag;
    FImageIndex = source.FImageIndex;
    FEnabled = source.FEnabled;
    FName = source.FName;
}

TButtonAppearance::TButtonAppearance()
    : FColorCheckedTo(FxDropDown::AdjustColorChannels(0xF9D2B2, 90, 90, 100)),
      FColorDisabled(FxDropDown::AdjustColorChannels(0xFFFFFF, 95, 95, 95)),
      FColorDisabledTo(FxDropDown::AdjustColorChannels(0xFFFFFF, 95, 95, 95)),
      FColorChecked(FxDropDown::AdjustColorChannels(0xF5F0E1, 90, 90, 100))
{
    FFont.Size = 10;
    FFont.Style = TFontStyles{fsBold};
    FFont.Color = clBlack;
}

void TButtonAppearance::SetColor(TColor& field, TColor value)
{
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange();
}

void TButtonAppearance::SetFont(const TFont& value)
{
    FFont = value;
    if (OnChange)
        OnChange();
}

void TButtonAppearance::Assign(const TButtonAppearance& s)
{
    SetBorderColor(s.FBorderColor);
    SetBorderColorHot(s.FBorderColorHot);
    SetBorderColorDown(s.FBorderColorDown);
    SetBorderColorChecked(s.FBorderColorChecked);
    SetColor(s.FColor);
    SetColorTo(s.FColorTo);
    SetColorDown(s.FColorDown);
    SetColorDownTo(s.FColorDownTo);
    SetColorHot(s.FColorHot);
    SetColorHotTo(s.FColorHotTo);
    SetColorChecked(s.FColorChecked);
    SetColorCheckedTo(s.FColorCheckedTo);
    SetColorDisabled(s.FColorDisabled);
    SetColorDisabledTo(s.FColorDisabledTo);
    FShineColor = s.FShineColor;
    FGlowColorHot = s.FGlowColorHot;
    FGlowColorDown = s.FGlowColorDown;
    FFont = s.FFont;
    SetTextColor(s.FTextColor);
    SetSpecialTextColor(s.FSpecialTextColor);
}

// ---- keypad layout -----------------------------------------------------------------------

namespace {

struct TKeyDef {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
    int Row; // 1-based; the top row (0-3) is placed apart
    int Col;
};

constexpr TKeyDef kKeys[FxCalculator::KeyCount] = {
    {"", "BTN_ON", 30, false, 1, 1},        {"Back", "BTN_BACK", 31, true, 1, 0},
    {"CE", "BTN_CE", 32, true, 1, 0},       {"C", "BTN_C", 16, true, 1, 0},
    {"MC", "BTN_MC", 33, true, 2, 1},       {"MR", "BTN_MR", 34, true, 3, 1},
    {"MS", "BTN_MS", 35, true, 4, 1},       {"M+", "BTN_M+", 36, true, 5, 1},
    {"0", "BTN_0", 0, false, 5, 2},         {"1", "BTN_1", 1, false, 4, 2},
    {"4", "BTN_4", 4, false, 3, 2},         {"7", "BTN_7", 7, false, 2, 2},
    {"8", "BTN_8", 8, false, 2, 3},         {"5", "BTN_5", 5, false, 3, 3},
    {"2", "BTN_2", 2, false, 4, 3},         {"+/-", "BTN_+/-", 14, false, 5, 3},
    {".", "BTN_.", 15, false, 5, 4},        {"3", "BTN_3", 3, false, 4, 4},
    {"6", "BTN_6", 6, false, 3, 4},         {"9", "BTN_9", 9, false, 2, 4},
    {"/", "BTN_/", 13, true, 2, 5},         {"*", "BTN_*", 12, true, 3, 5},
    {"-", "BTN_-", 11, true, 4, 5},         {"+", "BTN_+", 10, true, 5, 5},
    {"=", "BTN_=", 17, true, 5, 6},         {"1/x", "BTN_1/x", 38, false, 4, 6},
    {"%", "BTN_%", 18, false, 3, 6},        {"sqrt", "BTN_sqrt", 37, true, 2, 6},
};

} // namespace

std::array<TRect, FxCalculator::KeyCount> FxCalculator::ArrangeKeys(const TRect& r)
{
    constexpr int G = 4;
    const int w = (r.Width() - 2 * G) / 6;
    const int h = (r.Height() - G) / 5;
    // Keys of one group share their border pixel.
    int x[7] = {};
    x[1] = r.Left;
    x[2] = x[1] + w + G;
    x[3] = x[2] + w - 1;
    x[4] = x[3] + w - 1;
    x[5] = x[4] + w + G;
    x[6] = x[5] + w - 1;
    int y[6] = {};
    y[1] = r.Top;
    y[2] = y[1] + h + G;
    y[3] = y[2] + h - 1;
    y[4] = y[3] + h - 1;
    y[5] = y[4] + h - 1;
    std::array<TRect, KeyCount> out;
    for (int i = 4; i < KeyCount; ++i)
        out[i] = TRect(x[kKeys[i].Col], y[kKeys[i].Row], x[kKeys[i].Col] + w, y[kKeys[i].Row] + h);
    out[0] = TRect(x[1], y[1], x[1] + w, y[1] + h);
    // The top row ends flush with the last column.
    const int e = x[6] + w;
    const int left = x[1] + w + G;
    const int w3 = (e - left - 2 * G) / 3;
    out[1] = TRect(left, y[1], left + w3, y[1] + h);
    out[2] = TRect(left + w3 + G, y[1], left + 2 * w3 + G, y[1] + h);
    out[3] = TRect(left + 2 * (w3 + G), y[1], e, y[1] + h);
    return out;
}

// ---- keypad ------------------------------------------------------------------------------

TCustomButtonPanel::TCustomButtonPanel(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FButtons.OnChange = [this] {
        if (!FxDropDown)
            update();
    };
    FButtonAppearance.OnChange = [this] {
        if (!FxDropDown)
            update();
    };
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    update();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType value)
{
    if (FButtonPanelType == value)
        return;
    FButtonPanelType = value;
    ArrangeButtons();
}

TRect TCustomButtonPanel::ButtonsRect() const
{
    return TRect(FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY);
}

void TCustomButtonPanel::CreateDefaultButtons()
{
    if (FButtons.Count() > 0)
        return;
    if (FButtonPanelType == plCalculator)
        for (const TKeyDef& k : kKeys) {
            TButtonItem* b = FButtons.Add();
            b->SetCaption(QString::fromLatin1(k.Caption));
            b->SetName(QString::fromLatin1(k.Name));
            b->SetTag(k.Tag);
            if (k.Special) {
                b->SetCaptionColor(0x000080);
                b->SetSpecial(true);
            }
        }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    // The layout addresses the 28 calculator keys by index.
    if (FButtonPanelType != plCalculator || FButtons.Count() < FxCalculator::KeyCount)
        return;
    const auto rects = FxCalculator::ArrangeKeys(ButtonsRect());
    for (int i = 0; i < FxCalculator::KeyCount; ++i)
        FButtons.Items(i)->SetRect(rects[i]);
    update();
}

int TCustomButtonPanel::ButtonAtPos(const QPoint& p) const
{
    for (int i = 0; i < FButtons.Count(); ++i)
        if (FButtons.Items(i)->Rect().Contains(TPoint(p.x(), p.y())))
            return i;
    return -1;
}

bool TCustomButtonPanel::Usable(int index) const
{
    const TButtonItem* b = FButtons.Items(index);
    return b && b->Enabled();
}

void TCustomButtonPanel::SetHotButton(int index)
{
    if (index == FButtonHot || (index >= 0 && !Usable(index)))
        return;
    FButtonHot = index;
    update();
}

void TCustomButtonPanel::SetDownButton(int index)
{
    if (index == FButtonDown || (index >= 0 && !Usable(index)))
        return;
    FButtonDown = index;
    update();
}

void TCustomButtonPanel::ButtonClick(int index)
{
    if (OnButtonClick)
        OnButtonClick(this, index);
}

void TCustomButtonPanel::DrawButton(int index, TCanvas& canvas)
{
    const TButtonItem* b = FButtons.Items(index);
    if (!b || (b->Rect().Left < 0 && b->Rect().Right < 0))
        return;
    const TRect r = b->Rect();
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(r);
    const int state = !isEnabled() ? 4 : index == FButtonDown ? 3 : index == FButtonHot ? 2 : 1;
    if (HTHEME theme = OpenThemeData(this, QStringLiteral("button"))) {
        DrawThemeBackground(theme, canvas, 1, state, r);
        CloseThemeData(theme);
    } else {
        canvas.Pen().Color = clBtnShadow;
        canvas.Brush().Color = state == 3 ? clBtnShadow : clBtnFace;
        canvas.Rectangle(r);
    }
    TRect content = r;
    content.Left += FButtonOffSetX;
    content.Right -= FButtonOffSetX;
    content.Top += FButtonOffSetY;
    content.Bottom -= FButtonOffSetY;
    canvas.Font() = FButtonAppearance.Font();
    canvas.Font().Color = b->Special() ? FButtonAppearance.SpecialTextColor() : FButtonAppearance.TextColor();
    canvas.Brush().Style = bsClear;
    canvas.DrawText(b->Caption(), content, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TCustomButtonPanel::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    canvas.Brush().Color = FColor;
    canvas.FillRect(TRect(0, 0, width(), height()));
    if (!FxDropDown) {
        canvas.Brush().Color = clBlack;
        canvas.FrameRect(TRect(0, 0, width(), height()));
    }
    for (int i = 0; i < FButtons.Count(); ++i)
        if (i != FButtonHot)
            DrawButton(i, canvas);
    // The hot key last: its glow may reach over its neighbours.
    if (FButtonHot >= 0)
        DrawButton(FButtonHot, canvas);
}

void TCustomButtonPanel::mousePressEvent(QMouseEvent* e)
{
    QWidget::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        SetDownButton(ButtonAtPos(e->position().toPoint()));
}

void TCustomButtonPanel::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    const int i = ButtonAtPos(e->position().toPoint());
    if (i < 0 || !Usable(i))
        FButtonHot = -1, update();
    else
        SetHotButton(i);
}

void TCustomButtonPanel::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    const int down = FButtonDown;
    if (down < 0)
        return;
    const bool counted = ButtonAtPos(e->position().toPoint()) == down;
    SetDownButton(-1);
    if (counted)
        ButtonClick(down);
}

void TCustomButtonPanel::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    SetHotButton(-1);
}

void TCustomButtonPanel::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

// ---- the drop-down -----------------------------------------------------------------------

TFxCalculatorDropdown::TFxCalculatorDropdown(QWidget* parent)
    : TFxCustomDropDown(parent), FEngine(Value(), [this](const QString& s) { SetTextUnformatted(s); })
{
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    SetModified(false);
    CreateDropDownForm();
    SetComponentStyle(ComponentStyle());
}

TFxCalculatorDropdown::~TFxCalculatorDropdown() = default;

void TFxCalculatorDropdown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FFxButtonPanel)
        return;
    FFxButtonPanel = new TCustomButtonPanel(DropDownForm());
    FFxButtonPanel->SetCalculator(this);
    FFxButtonPanel->resize(DropDownWidth() - 2, 150);
    FFxButtonPanel->CreateDefaultButtons();
    SetControl(FFxButtonPanel);
    FFxButtonPanel->OnButtonClick = [this](QObject* sender, int index) { CalcButtonClick(sender, index); };
}

void TFxCalculatorDropdown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FDropText = Text();
    if (FFxButtonPanel) {
        FFxButtonPanel->SetButtonAppearance(FCalcButtonAppearance);
        FFxButtonPanel->SetColor(DropDownColor());
        FFxButtonPanel->ArrangeButtons();
    }
    FEngine.StartEntry();
    FCalcClosed = false;
}

void TFxCalculatorDropdown::DoHideDropDown(bool cancel)
{
    const bool open = DroppedDown() || (DropDownForm() && DropDownForm()->isVisible());
    TFxCustomDropDown::DoHideDropDown(cancel);
    // The base restores the last text set; the calculator sets one per key.
    if (open && cancel)
        SetTextUnformatted(FDropText);
}

bool TFxCalculatorDropdown::PopupClosed() const
{
    return FCalcClosed || (DropDownForm() && !DropDownForm()->isVisible());
}

double TFxCalculatorDropdown::NumberValue()
{
    if (Text().isEmpty())
        SetText(QStringLiteral("0"));
    double v = 0;
    return FEngine.ParseDisplay(v) ? v : 0;
}

void TFxCalculatorDropdown::SetNumberValue(double value)
{
    SetText(Format(QStringLiteral("%g"), {value}));
}

void TFxCalculatorDropdown::CalcResult() { FEngine.CalcEquals(); }

void TFxCalculatorDropdown::SetShowThousandSeparator(bool value)
{
    if (FShowThousandSeparator == value)
        return;
    FShowThousandSeparator = value;
    // The value survives the change of type (a grouped text is no float text).
    const double v = GetFloatValue();
    const bool modified = Modified();
    SetEditType(value ? etMoney : etFloat);
    SetText(Format(QStringLiteral("%.15g"), {v}));
    SetModified(modified);
}

void TFxCalculatorDropdown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    const TFxButtonAppearance& b = ButtonAppearance();
    TButtonAppearance& c = FCalcButtonAppearance;
    c.SetBorderColor(b.BorderColor());
    c.SetBorderColorHot(b.BorderColorHot());
    c.SetBorderColorDown(b.BorderColorDown());
    c.SetColor(b.Color());
    c.SetColorTo(b.ColorTo());
    c.SetColorDown(b.ColorDown());
    c.SetColorDownTo(b.ColorDownTo());
    c.SetColorHot(b.ColorHot());
    c.SetColorHotTo(b.ColorHotTo());
    c.SetBorderColorChecked(b.BorderColorDisabled());
    c.SetColorChecked(b.ColorDisabledTo());
    c.SetColorDisabledTo(b.ColorDisabledTo());
    c.SetColorCheckedTo(b.ColorHotTo());
    c.SetColorDisabled(b.ColorDisabled());
    if (style == tsOffice2010Blue || style == tsOffice2010Silver || style == tsOffice2010Black) {
        c.SetGlowColorHot(b.ColorHot());
        c.SetGlowColorDown(b.ColorHot());
    } else {
        c.SetGlowColorDown(0xD5C244);
        c.SetGlowColorHot(b.ColorDownTo());
    }
}

void TFxCalculatorDropdown::CalcButtonClick(QObject*, int index)
{
    if (!FFxButtonPanel || index < 0 || index >= FFxButtonPanel->Buttons().Count())
        return;
    BeforeCalcInput();
    if (!FEngine.Key(FFxButtonPanel->Buttons().Items(index)->Tag(), MaxLength()))
        return;
    SetModified(true);
}

void TFxCalculatorDropdown::ZeroIfBlankOrError()
{
    if (Text().isEmpty() || Text() == u"Error")
        SetText(QStringLiteral("0"));
}

void TFxCalculatorDropdown::CaretAfterFirst()
{
    const int p = int(Value().Prefix().size()) + 1;
    SetSel(p, p);
}

void TFxCalculatorDropdown::KeyPress(QChar& key)
{
    const QChar k = key;
    if (PopupClosed()) {
        switch (k.unicode()) {
        case '\r':
        case '=': FEngine.CalcEquals(); break;
        case '%': FEngine.CalcPercent(); break;
        case '*': FEngine.CalcMultiply(); break;
        case '+': FEngine.CalcAdd(); break;
        case '-': FEngine.CalcSubtract(); break;
        case '/': FEngine.CalcDivide(); break;
        case 'C':
        case 'c': FEngine.ClearEntryKeepAccumulator(); break;
        default: break;
        }
    }
    const bool number = k.isNumber();
    if (!number && k != LocaleDecimalSeparator() && k != u'\b' && k != u'-') {
        key = QChar();
        return;
    }
    if (number && (Text() == u"0" || FEngine.NewValue())) {
        SetText(QString(k));
        CaretAfterFirst();
        FEngine.SetNewValue(false);
        key = QChar();
        return;
    }
    if (k == u'\b' && Text().size() == 1) {
        SetText(QStringLiteral("0"));
        CaretAfterFirst();
        key = QChar();
        return;
    }
    if (k == LocaleDecimalSeparator() && Text().contains(LocaleDecimalSeparator())) {
        key = QChar();
        return;
    }
    TFxCustomDropDown::KeyPress(key);
}

void TFxCalculatorDropdown::KeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    TFxCustomDropDown::KeyDown(key, shift);
    if (pressed == VK_DELETE)
        ZeroIfBlankOrError();
}

void TFxCalculatorDropdown::focusInEvent(QFocusEvent* e)
{
    if (AutoSelect() && !(QApplication::mouseButtons() & Qt::LeftButton))
        Value().SelectAll();
    TFxCustomDropDown::focusInEvent(e);
}

void TFxCalculatorDropdown::FormKeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    TFxCustomDropDown::FormKeyDown(key, shift);
    if (pressed == VK_TAB || pressed == VK_F4) {
        if (DropDownForm() && DropDownForm()->isVisible())
            DoHideDropDown(false);
    } else if (pressed == VK_BACK) {
        QString d = Text();
        d.chop(1);
        SetTextUnformatted(d);
        ZeroIfBlankOrError();
    }
}

void TFxCalculatorDropdown::FormKeyPress(QChar& key)
{
    // The key-down step removed the character already.
    if (key == u'\b') {
        key = QChar();
        return;
    }
    const QChar k = key;
    TFxCustomDropDown::FormKeyPress(key);
    CalcKeyPress(k);
}

void TFxCalculatorDropdown::CalcKeyPress(QChar key)
{
    BeforeCalcInput();
    const QChar sep = LocaleDecimalSeparator();
    if (key == sep && !Text().contains(sep))
        SetTextUnformatted(Text() + sep);
    if (key.isNumber() && MaxLength() > 0 && Text().size() == MaxLength())
        return;
    switch (key.unicode()) {
    case '\r':
        FEngine.CalcEquals();
        DoHideDropDown(false);
        return;
    case 0x1B: DoHideDropDown(true); return;
    case '%': FEngine.CalcPercent(); return;
    case '*': FEngine.CalcMultiply(); return;
    case '+': FEngine.CalcAdd(); return;
    case '-': FEngine.CalcSubtract(); return;
    case '/': FEngine.CalcDivide(); return;
    case '=': FEngine.CalcEquals(); return;
    case 'C':
    case 'c': FEngine.ClearAll(); return;
    default: break;
    }
    if (key >= u'0' && key <= u'9' && (Text() == u"0" || FEngine.NewValue()))
        FEngine.SetNewValue(false);
}
