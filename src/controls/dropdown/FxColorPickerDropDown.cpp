#include "controls/dropdown/FxColorPickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"

#include <QPainter>

using namespace fw;

void TColorItem::SetCaption(const QString& value) { SetAndNotify(FCaption, value); }

void TColorItem::SetColor(TColor value) { SetAndNotify(FColor, value); }

void TColorItem::Assign(const TColorItem& source)
{
    SetCaption(source.FCaption);
    SetColor(source.FColor);
    FHint = source.FHint;
}

QString WebColorName(TColor color)
{
    // RGB (red first, as web colours are written) and name.
    static const std::pair<std::uint32_t, const char*> names[] = {
        {0x000000, "black"},       {0x800000, "maroon"},     {0x008000, "green"},     {0x808000, "olive"},
        {0x000080, "navy"},        {0x800080, "purple"},     {0x008080, "teal"},      {0x808080, "gray"},
        {0xC0C0C0, "silver"},      {0xFF0000, "red"},        {0x00FF00, "lime"},      {0xFFFF00, "yellow"},
        {0x0000FF, "blue"},        {0xFF00FF, "fuchsia"},    {0x00FFFF, "aqua"},      {0xFFFFFF, "white"},
        {0xFFA500, "orange"},      {0xFFC0CB, "pink"},       {0xA52A2A, "brown"},     {0xFFD700, "gold"},
        {0xEE82EE, "violet"},      {0x4B0082, "indigo"},     {0xF0E68C, "khaki"},     {0xF5F5DC, "beige"},
        {0x40E0D0, "turquoise"},   {0xFF7F50, "coral"},      {0xFA8072, "salmon"},    {0xDC143C, "crimson"},
        {0xD2691E, "chocolate"},   {0x87CEEB, "skyblue"},    {0xADD8E6, "lightblue"}, {0x90EE90, "lightgreen"},
        {0xD3D3D3, "lightgrey"},   {0xA9A9A9, "darkgray"},   {0x006400, "darkgreen"}, {0x8B0000, "darkred"},
        {0x00008B, "darkblue"},    {0xFFFFE0, "lightyellow"}, {0xE6E6FA, "lavender"}, {0xDDA0DD, "plum"},
        {0x708090, "slategray"},   {0x2E8B57, "seagreen"},   {0x4682B4, "steelblue"}, {0xFF6347, "tomato"},
    };
    const TColor c = ColorToRGB(color);
    const std::uint32_t rgb = std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    for (const auto& [value, name] : names)
        if (value == rgb)
            return QString::fromLatin1(name);
    return QStringLiteral("#") + IntToHex(rgb, 6);
}

// ---- picker -----------------------------------------------------------------------------

TFxColorPickerDropDown::TFxColorPickerDropDown(QWidget* parent)
    : TFxCustomDropDown(parent), FPicker([this] { PrepareSelector(); })
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(200);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    setCursor(Qt::ArrowCursor);
    SetComponentStyle(ComponentStyle());
}

TFxColorPickerDropDown::~TFxColorPickerDropDown() = default;

void TFxColorPickerDropDown::AddDefaultColors()
{
    static const std::pair<const char*, TColor> defaults[] = {
        {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},   {"Olive", 0x008080},
        {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},    {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},    {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
    };
    for (const auto& [caption, color] : defaults) {
        TColorItem* item = FColors.Add();
        item->SetCaption(QString::fromLatin1(caption));
        item->SetColor(color);
    }
}

QWidget* TFxColorPickerDropDown::StyleControl()
{
    TDropDownForm* form = DropDownForm();
    if (!form)
        return nullptr;
    QWidget* control = nullptr;
    switch (FColorSelectionStyle) {
    case csList:
        if (!FItemSelector) {
            FItemSelector = new TFxCustomItemSelector(form);
            FItemSelector->SetSelectorType(stColor);
            FItemSelector->resize(FItemSelector->width(), 150);
            FItemSelector->UpdateSelectorPanel();
            FPicker.SetList(FItemSelector);
        }
        FItemSelector->SetColor(DropDownColor());
        control = FItemSelector;
        break;
    case csDiscrete:
        if (!FColorSelector) {
            FColorSelector = new TCustomColorSelector(form);
            FColorSelector->SetDefaultColors();
        }
        FColorSelector->SetColor(DropDownColor());
        FColorSelector->UpdateItems();
        control = FColorSelector;
        break;
    case csColorCube:
        if (!FColorCubePanel)
            FColorCubePanel = new TFxColorCubePanel(form);
        FColorCubePanel->SetColor(DropDownColor());
        control = FColorCubePanel;
        break;
    case csSpectrum:
        if (!FSpectrumPanel)
            FSpectrumPanel = new TFxColorSpectrumPanel(form);
        FSpectrumPanel->SetColor(DropDownColor());
        control = FSpectrumPanel;
        break;
    }
    control->move(0, 0);
    SetControl(control);
    return control;
}

void TFxColorPickerDropDown::HideOtherControls(QWidget* keep)
{
    for (QWidget* w : std::initializer_list<QWidget*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
        if (w && w != keep)
            w->hide();
    if (keep)
        keep->show();
}

void TFxColorPickerDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    HideOtherControls(StyleControl());
}

void TFxColorPickerDropDown::PrepareSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    TSelectorItems& list = FItemSelector->Items();
    list.Clear();
    for (int i = 0; i < FColors.Count(); ++i) {
        const TColorItem* c = FColors.Items(i);
        TSelectorItem* s = list.Add();
        s->SetCaption(c->Caption());
        s->SetColor(c->Color());
        s->SetHint(c->Hint());
    }
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
    FItemSelector->SetItemAppearance(FItemAppearance);
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](QObject*) { ListSelected(); };
    // Without a drawing of its own the list draws box and caption itself.
    if (OnDrawColor)
        FItemSelector->OnDrawItem = [this](QObject*, TCanvas& canvas, const TRect& r, int index) {
            if (OnDrawColor)
                OnDrawColor(this, canvas, r, index);
        };
    else
        FItemSelector->OnDrawItem = nullptr;
    FOldItemIndex = FItemIndex;
}

void TFxColorPickerDropDown::PrepareStyleControl()
{
    switch (FColorSelectionStyle) {
    case csList: PrepareSelector(); break;
    case csDiscrete:
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateItems();
        FColorSelector->OnItemSelect = [this](QObject*) { PaletteSelected(); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        break;
    case csColorCube:
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCells();
        FColorCubePanel->ResetHot();
        FColorCubePanel->OnSelect = [this](QObject*) { PanelSelected(FColorCubePanel->SelectedColor()); };
        break;
    case csSpectrum:
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->UpdateLayout();
        FSpectrumPanel->OnSelect = [this](QObject*) { PanelSelected(FSpectrumPanel->SelectedColor()); };
        break;
    }
}

void TFxColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle value)
{
    if (value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = value;
    QWidget* control = StyleControl();
    HideOtherControls(control);
    PrepareStyleControl();
    FOldSelectedColor = FSelectedColor;
    if (DropDownForm()) {
        UpdateDropDownSize();
        DropDownForm()->SetControlAligned(true);
        DropDownForm()->update();
    }
}

void TFxColorPickerDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    HideOtherControls(StyleControl());
    PrepareStyleControl();
    FOldSelectedColor = FSelectedColor;
}

void TFxColorPickerDropDown::PlaceDropDownControl()
{
    TFxCustomDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && DropDownForm())
        DropDownForm()->SetSizeable(false);
}

void TFxColorPickerDropDown::SizeAroundPanel()
{
    TDropDownForm* form = DropDownForm();
    QWidget* control = Control();
    const int b = DropDownBorderWidth();
    const bool shown = control && !(control->isHidden() && control->testAttribute(Qt::WA_WState_ExplicitShowHide));
    const int w = shown ? control->width() + 2 * b : width();
    int h = 2 * b;
    if (DropDownHeader().Visible())
        h += DropDownHeader().Height;
    if (DropDownFooter().Visible())
        h += DropDownFooter().Height;
    if (shown)
        h += control->height();
    form->resize(w, h);
}

void TFxColorPickerDropDown::DoShowDropDown()
{
    TFxCustomDropDown::DoShowDropDown();
    // Now that the list has its size, the selected item comes into view.
    if (FItemSelector && DroppedDown() && Control() == FItemSelector)
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
}

void TFxColorPickerDropDown::UpdateDropDownSize()
{
    TDropDownForm* form = DropDownForm();
    if (!form)
        return;
    form->SetControlAligned(false);
    if (FColorSelectionStyle != csList) {
        SizeAroundPanel();
        return;
    }
    if (FItemSelector) {
        const TSize panel = FItemSelector->GetPanelSize();
        FItemSelector->resize(DropDownWidth() < 1 ? panel.cx : FItemSelector->width(),
                              DropDownHeight() < 1 ? panel.cy : FItemSelector->height());
    }
    TFxCustomDropDown::UpdateDropDownSize();
    // The list fills the popup inside its frame: a popup as wide as the
    // panel alone would cut it and scroll it sideways.
    int extra = DropDownWidth() < 1 ? 2 * DropDownBorderWidth() : 0;
    if (FItemSelector && FItemSelector->VertScrollBarVisible())
        extra += GetSystemMetrics(SM_CXVSCROLL);
    form->resize(form->width() + extra, form->height());
}

void TFxColorPickerDropDown::DropDownFormDestroyed()
{
    TFxCustomDropDown::DropDownFormDestroyed();
    if (Destroying())
        return;
    FItemSelector = nullptr;
    FColorSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

void TFxColorPickerDropDown::DoHideDropDown(bool cancel)
{
    const bool wasShown = DropDownForm() && DropDownForm()->isVisible();
    TFxCustomDropDown::DoHideDropDown(cancel);
    if (!wasShown || !cancel)
        return;
    if (FColorSelectionStyle == csList && FItemSelector)
        SetItemIndex(FOldItemIndex);
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        FColorSelector->SetSelectedColor(FOldSelectedColor);
}

// ---- choosing ---------------------------------------------------------------------------

void TFxColorPickerDropDown::SetItemIndex(int value)
{
    if (value >= FColors.Count())
        return;
    FItemIndex = value;
    if (value >= 0)
        FSelectedColor = FColors.Items(value)->Color();
    update();
    if (OnSelect)
        OnSelect(this);
}

void TFxColorPickerDropDown::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor)
        return;
    FSelectedColor = value;
    for (int i = 0; i < FColors.Count(); ++i)
        if (FColors.Items(i)->Color() == value) {
            SetItemIndex(i);
            break;
        }
    update();
}

void TFxColorPickerDropDown::SetShowText(bool value)
{
    if (value == FShowText)
        return;
    FShowText = value;
    update();
}

void TFxColorPickerDropDown::SetColorValueText(TColorValueText value)
{
    FColorValueText = value;
    update();
}

void TFxColorPickerDropDown::ListSelected()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FPicker.InternalCall())
        DoHideDropDown(false);
}

void TFxColorPickerDropDown::PaletteSelected()
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FPicker.InternalCall())
        DoHideDropDown(false);
}

void TFxColorPickerDropDown::PanelSelected(TColor color)
{
    SetSelectedColor(color);
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TFxColorPickerDropDown::Step(TPickStep step)
{
    const int target = PickIndex(step, FItemIndex, FColors.Count());
    if (target >= 0)
        SetItemIndex(target);
}

void TFxColorPickerDropDown::SelectFirst() { Step(TPickStep::First); }
void TFxColorPickerDropDown::SelectLast() { Step(TPickStep::Last); }
void TFxColorPickerDropDown::SelectNext() { Step(TPickStep::Next); }
void TFxColorPickerDropDown::SelectPrevious() { Step(TPickStep::Previous); }

QString TFxColorPickerDropDown::SelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors.Count())
        return FColors.Items(FItemIndex)->Caption();
    const TColor c = FSelectedColor;
    const TColor rgb = ColorToRGB(c);
    switch (FColorValueText) {
    case cvtNone: return QString();
    case cvtHex: return IntToHex(c, 6);
    case cvtWebName: return WebColorName(c);
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(GetRValue(rgb)).arg(GetGValue(rgb)).arg(GetBValue(rgb));
    case cvtHTML:
        return QStringLiteral("#") + IntToHex(GetRValue(rgb), 2) + IntToHex(GetGValue(rgb), 2) +
               IntToHex(GetBValue(rgb), 2);
    }
    return QString();
}

void TFxColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TFxCustomDropDown::SetSelectionColorStyle(value);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(value);
}

void TFxColorPickerDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(&FItemAppearance, style);
}

// ---- keys and wheel ---------------------------------------------------------------------

void TFxColorPickerDropDown::KeyDown(int& key, TShiftState shift)
{
    const int original = key;
    const bool open = DroppedDown();
    if (key == VK_RETURN && isEnabled() && open) {
        // Enter chooses the item under the mouse and closes.
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            key = 0;
            return;
        }
        if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            key = 0;
            return;
        }
    }
    TFxCustomDropDown::KeyDown(key, shift);
    if (!isEnabled() || shift.Contains(ssAlt))
        return;
    if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        // The colour follows the palette without closing.
        FPicker.Internally([&] { FColorSelector->HandleKey(original, EditorEnabled(), open); });
    } else if (FColorSelectionStyle == csList) {
        TSelectorPicker::TKeyRules rules;
        rules.RowStep = FColumns;
        FPicker.HandleKey(original, shift, open, EditorEnabled(), FColors.Count(), rules,
                          [this](TPickStep step) { Step(step); });
    } else {
        return;
    }
    if (original == VK_RETURN && OnSelect)
        OnSelect(this);
}

void TFxColorPickerDropDown::SelectNextItem()
{
    TFxCustomDropDown::SelectNextItem();
    if (!isEnabled() || ReadOnly())
        return;
    if (FColorSelectionStyle == csList)
        FPicker.Wheel(true, DroppedDown(), FColors.Count());
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        DroppedDown() ? FColorSelector->HotNext() : FPicker.Internally([&] { FColorSelector->SelectNext(); });
}

void TFxColorPickerDropDown::SelectPrevItem()
{
    TFxCustomDropDown::SelectPrevItem();
    if (!isEnabled() || ReadOnly())
        return;
    if (FColorSelectionStyle == csList)
        FPicker.Wheel(false, DroppedDown(), FColors.Count());
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        DroppedDown() ? FColorSelector->HotPrevious()
                      : FPicker.Internally([&] { FColorSelector->SelectPrevious(); });
}

// ---- edit area --------------------------------------------------------------------------

void TFxColorPickerDropDown::DrawSelectedColor(TCanvas& canvas)
{
    const TRect r(1, 1, width() - 2 - DropDownButtonWidth(), height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, canvas, r);
        return;
    }
    if (FSelectedColor == clNone)
        return;
    const int top = (height() - FColorBoxHeight) / 2 + r.Top;
    const TRect box(r.Left + 4, top, r.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
    canvas.Pen().Color = clBlack;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    canvas.Brush().Color = FSelectedColor;
    canvas.Brush().Style = bsSolid;
    canvas.Rectangle(box);
    if (!FShowText)
        return;
    const bool focused = hasFocus();
    canvas.Font() = TFont();
    canvas.Font().Name = font().family();
    canvas.Font().SetHeight(-QFontInfo(font()).pixelSize());
    canvas.Font().Color = !EditorEnabled() && focused ? clHighlightText : clWindowText;
    TRect text(box.Right + 4, r.Top, r.Right, r.Bottom);
    canvas.Brush().Color = focused ? clHighlight : FromQColor(palette().color(QPalette::Base));
    canvas.Brush().Style = bsSolid;
    canvas.SetBkMode(bkOpaque);
    canvas.DrawText(SelectedColorText(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void TFxColorPickerDropDown::paintEvent(QPaintEvent* e)
{
    TFxCustomDropDown::paintEvent(e);
    QPainter painter(this);
    TCanvas canvas(&painter);
    DrawSelectedColor(canvas);
}
