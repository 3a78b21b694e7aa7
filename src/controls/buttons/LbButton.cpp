#include "controls/buttons/LbButton.h"

#include "controls/buttons/LbButtonFace.h"
#include "controls/buttons/LbGlyphs.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/Timer.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

using fw::TColor;

namespace {

struct KindEntry {
    const char* resource;
    const char* caption;
    fw::TModalResult modalResult;
};

// Indexed by TLbButtonKind; bkCustom has no entry of its own.
const KindEntry kKinds[] = {
    {"", "", fw::mrNone},
    {"LBOK", "OK", fw::mrOk},
    {"LBCANCEL", "Abbrechen", fw::mrCancel},
    {"LBHELP", "Hilfe", fw::mrNone},
    {"LBYES", "Ja", fw::mrYes},
    {"LBNO", "Nein", fw::mrNo},
    {"LBCLOSE", "Schlie\u00DFen", fw::mrNone},
    {"LBABORT", "Abbrechen", fw::mrAbort},
    {"LBRETRY", "Wiederholen", fw::mrRetry},
    {"LBIGNORE", "Ignorieren", fw::mrIgnore},
    {"LBALL", "Alle", fw::mrAll},
};

struct Preset {
    TColor color, light, shadow, down, hot;
    bool modern, quicken, flat;
    TColor font;
};

// Indexed by TLbColorStyle; lcsCustom applies nothing.
const Preset kPresets[] = {
    {},
    {0x00C0C0, 0x00FFFF, 0x008080, fw::clNone, 0x00DFDF, true, false, false, 0x000000},
    {0xC0C0C0, 0xFFFFFF, 0x808080, fw::clNone, fw::clNone, true, false, false, 0x000000},
    {0xFF8000, 0xFFFF00, 0xFF0000, fw::clNone, fw::clNone, true, false, false, 0x000000},
    {0x0000FF, 0xC0C0FF, 0x0000C0, fw::clNone, fw::clNone, true, false, false, 0x000000},
    {fw::clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, false, false, true, 0x000000},
    {fw::clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, false, false, true, 0x000000},
    {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, false, false, true, 0x000000},
    {0xECCE94, 0xFCE6D4, 0x000000, fw::clNone, fw::clNone, true, false, false, 0x000000},
    {fw::clBtnFace, 0xFFFFFF, 0x808080, fw::clNone, fw::clNone, false, false, false, 0x000000},
    {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, true, false, 0xFFFFFF},
};

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
bool isPushKey(int key) { return isEnter(key) || key == Qt::Key_Space; }

// The first window of the parent chain that is one of the program's forms.
fw::TForm* owningForm(QWidget* w)
{
    for (QWidget* p = w; p; p = p->parentWidget())
        if (auto* form = qobject_cast<fw::TForm*>(p))
            return form;
    return nullptr;
}

// A focused control that is a push button of any kind (not a radio button)
// keeps Enter for itself.
bool isButtonClass(const QWidget* w)
{
    const QString name = QString::fromLatin1(w->metaObject()->className()).toUpper();
    return name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON"));
}

// The character after the caption's single "&" ("&&" is a literal "&").
QChar acceleratorOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

bool seeThroughStyle(TLbButtonStyle s) { return s == bsModern || s == bsShape || s == bsQuicken; }

} // namespace

struct TLbButton::Impl {
    fw::TAlignment alignment = fw::taCenter;
    bool cancel = false;
    QString caption;
    TColor color = fw::clBtnFace;
    TColor colorWhenDown = fw::clNone;
    bool isDefault = false;
    bool flat = false;
    fw::TBitmap glyph;
    TColor hotTrackColor = fw::clNone;
    fw::TFont hotTrackFont;
    TLbButtonKind kind = bkCustom;
    TLbButtonLayout layout = blGlyphLeft;
    TColor lightColor = 0xFFFFFF;
    fw::TModalResult modalResult = fw::mrNone;
    int numGlyphs = 0;
    TColor shadowColor = 0x808080;
    bool slowDecease = false;
    TLbButtonStyle style = bsNormal;
    bool useHotTrackFont = false;
    bool wordWrap = false;
    fw::TFont font;
    QPointer<QMenu> popupMenu;

    bool pressed = false;
    bool mouseHeld = false;   // the left mouse button went down on this button
    bool inside = false;
    int step = 0;
    std::unique_ptr<fw::TTimer> fade;
    bool destroying = false;
    int shortcutId = 0;
    QChar accelerator;   // of the caption, upper case; null when none

    void createFade(TLbButton* button)
    {
        if (fade)
            return;
        fade = std::make_unique<fw::TTimer>();
        fade->SetEnabled(false);
        fade->SetInterval(FadeInterval);
        fade->SetOnTimer([button] { button->FadeTick(); });
    }
};

TLbButton::TLbButton(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>())
{
    setFocusPolicy(Qt::StrongFocus);
    resize(100, 23);
    d->hotTrackFont = d->font;
    // The fade timer exists from the start, stopped; SetSlowDecease(false)
    // removes it and SetSlowDecease(true) brings it back.
    d->createFade(this);
}

TLbButton::~TLbButton()
{
    d->destroying = true;
    d->fade.reset();
}

// ---------------------------------------------------------------- properties

fw::TAlignment TLbButton::Alignment() const { return d->alignment; }
void TLbButton::SetAlignment(fw::TAlignment value)
{
    d->alignment = value;
    RepaintNow();
}

bool TLbButton::Cancel() const { return d->cancel; }
void TLbButton::SetCancel(bool value) { d->cancel = value; }

QString TLbButton::Caption() const { return d->caption; }
void TLbButton::SetCaption(const QString& value)
{
    d->caption = value;
    UpdateAccelerator();
    update();
}

TColor TLbButton::Color() const { return d->color; }
void TLbButton::SetColor(TColor value)
{
    if (value == d->color)
        return;
    d->color = value;
    update();
}

TLbColorStyle TLbButton::ColorStyle() const { return lcsCustom; }
void TLbButton::SetColorStyle(TLbColorStyle value)
{
    if (value <= lcsCustom || value > lcsQuicken)
        return;
    const Preset& p = kPresets[value];
    d->lightColor = p.light;
    d->shadowColor = p.shadow;
    d->colorWhenDown = p.down;
    d->hotTrackColor = p.hot;
    d->flat = p.flat;
    SetColor(p.color);
    d->font.Color = p.font;
    d->style = bsNormal;
    if (p.modern)
        d->style = bsModern;
    if (p.quicken)
        d->style = bsQuicken;
    RepaintNow();
}

TColor TLbButton::ColorWhenDown() const { return d->colorWhenDown; }
void TLbButton::SetColorWhenDown(TColor value) { d->colorWhenDown = value; }

bool TLbButton::Default() const { return d->isDefault; }
void TLbButton::SetDefault(bool value) { d->isDefault = value; }

bool TLbButton::Flat() const { return d->flat; }
void TLbButton::SetFlat(bool value)
{
    d->flat = value;
    RepaintNow();
}

const fw::TBitmap& TLbButton::Glyph() const { return d->glyph; }
void TLbButton::SetGlyph(const fw::TBitmap* value)
{
    if (value && !value->Empty())
        d->glyph.Assign(*value);
    else
        d->glyph.Clear();
    d->numGlyphs = d->glyph.Height() > 0 ? d->glyph.Width() / d->glyph.Height() : 0;
    d->kind = bkCustom;
    update();
}

TColor TLbButton::HotTrackColor() const { return d->hotTrackColor; }
void TLbButton::SetHotTrackColor(TColor value) { d->hotTrackColor = value; }

const fw::TFont& TLbButton::HotTrackFont() const { return d->hotTrackFont; }
void TLbButton::SetHotTrackFont(const fw::TFont& value) { d->hotTrackFont = value; }

TLbButtonKind TLbButton::Kind() const { return d->kind; }
void TLbButton::SetKind(TLbButtonKind value)
{
    if (value > bkCustom && value <= bkAll) {
        const KindEntry& k = kKinds[value];
        SetNumGlyphs(2);
        SetModalResult(k.modalResult);
        LoadLbGlyph(QString::fromLatin1(k.resource), d->glyph);
        SetCaption(QString::fromUtf8(k.caption));
    }
    // After SetModalResult, which makes the kind bkCustom.
    d->kind = value;
    update();
}

TLbButtonLayout TLbButton::Layout() const { return d->layout; }
void TLbButton::SetLayout(TLbButtonLayout value)
{
    d->layout = value;
    RepaintNow();
}

TColor TLbButton::LightColor() const { return d->lightColor; }
void TLbButton::SetLightColor(TColor value)
{
    d->lightColor = value;
    RepaintNow();
}

fw::TModalResult TLbButton::ModalResult() const { return d->modalResult; }
void TLbButton::SetModalResult(fw::TModalResult value)
{
    d->modalResult = value;
    d->kind = bkCustom;
}

int TLbButton::NumGlyphs() const { return d->numGlyphs; }
void TLbButton::SetNumGlyphs(int value)
{
    d->numGlyphs = value;
    update();
}

TColor TLbButton::ShadowColor() const { return d->shadowColor; }
void TLbButton::SetShadowColor(TColor value)
{
    d->shadowColor = value;
    RepaintNow();
}

bool TLbButton::SlowDecease() const { return d->slowDecease; }
void TLbButton::SetSlowDecease(bool value)
{
    d->slowDecease = value;
    if (value) {
        d->createFade(this);
    } else {
        d->step = 0;
        d->fade.reset();
    }
    update();
}

TLbButtonStyle TLbButton::Style() const { return d->style; }
void TLbButton::SetStyle(TLbButtonStyle value)
{
    d->style = value;
    update();
}

bool TLbButton::UseHotTrackFont() const { return d->useHotTrackFont; }
void TLbButton::SetUseHotTrackFont(bool value) { d->useHotTrackFont = value; }

bool TLbButton::WordWrap() const { return d->wordWrap; }
void TLbButton::SetWordWrap(bool value)
{
    d->wordWrap = value;
    RepaintNow();
}

const fw::TFont& TLbButton::Font() const { return d->font; }
void TLbButton::SetFont(const fw::TFont& value)
{
    d->font = value;
    update();
}

QString TLbButton::Hint() const { return toolTip(); }
void TLbButton::SetHint(const QString& value) { setToolTip(value); }

QMenu* TLbButton::PopupMenu() const { return d->popupMenu; }
void TLbButton::SetPopupMenu(QMenu* menu)
{
    d->popupMenu = menu;
    update();
}

bool TLbButton::Pressed() const { return d->pressed; }
bool TLbButton::MouseInside() const { return d->inside; }
int TLbButton::HotTrackStep() const { return d->step; }

// ---------------------------------------------------------------- clicking

bool TLbButton::Usable() const
{
    return !isHidden() && isEnabled();
}

bool TLbButton::Reachable() const
{
    return Usable() && parentWidget() && parentWidget()->isVisible();
}

void TLbButton::Click()
{
    d->pressed = true;
    ClickAction();
}

void TLbButton::ClickAction()
{
    if (!Usable() || !d->pressed) {
        // A hidden or disabled button must not come back drawn as pressed.
        d->pressed = false;
        return;
    }
    d->pressed = false;
    QPointer<TLbButton> self(this);
    if (OnClick)
        OnClick(this);
    if (!self)
        return;
    if (d->modalResult != fw::mrNone)
        if (fw::TForm* form = qobject_cast<fw::TForm*>(window()))
            form->SetModalResult(d->modalResult);
    if (self && d->popupMenu)
        d->popupMenu->popup(mapToGlobal(QPoint(0, height())));
}

bool TLbButton::IsDefault() const { return d->isDefault; }
bool TLbButton::IsCancel() const { return d->cancel; }

bool TLbButton::ClickFromKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    bool taken = false;
    if (isEnter(qtKey))
        taken = d->isDefault;
    else if (qtKey == Qt::Key_Escape)
        taken = d->cancel && fw::ShiftStateFromQt(modifiers & ~Qt::KeypadModifier).Empty() && Usable();
    if (!taken)
        return false;
    // A focused push button answers Enter itself. Esc is not passed on: no
    // button does anything with it, so the window would never be cancelled.
    if (isEnter(qtKey)) {
        if (fw::TForm* form = owningForm(this)) {
            const QWidget* active = form->ActiveControl();
            if (active && isButtonClass(active))
                return false;
        }
    }
    Click();
    return true;
}

void TLbButton::UpdateAccelerator()
{
    if (d->shortcutId != 0) {
        releaseShortcut(d->shortcutId);
        d->shortcutId = 0;
    }
    d->accelerator = acceleratorOf(d->caption);
    const QKeySequence accel = QKeySequence::mnemonic(d->caption);
    if (!accel.isEmpty())
        d->shortcutId = grabShortcut(accel);
}

bool TLbButton::TakeAccelerator()
{
    if (!Reachable())
        return false;
    Click();
    return true;
}

bool TLbButton::event(QEvent* event)
{
    // A window closed while the pointer rests on one of its buttons sends that
    // button no leave: without this the button shows its hot face the next
    // time the window opens, wherever the pointer is then.
    if (event->type() == QEvent::Hide && (d->inside || d->step > 0)) {
        d->inside = false;
        d->step = 0;
        if (d->fade)
            d->fade->SetEnabled(false);
    }
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == d->shortcutId
        && TakeAccelerator())
        return true;
    return QWidget::event(event);
}

// A button takes no typed characters, so while one has the focus a plain
// letter is the accelerator of a button of its window, as with Alt.
bool TLbButton::AcceleratorFromTypedChar(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isPrint())
        return false;
    const QChar typed = text[0].toUpper();
    const QList<TLbButton*> buttons = window()->findChildren<TLbButton*>();
    for (TLbButton* b : buttons)
        if (b->d->accelerator == typed && b->TakeAccelerator())
            return true;
    return false;
}

// ---------------------------------------------------------------- mouse and keys

void TLbButton::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled()) {
        d->pressed = true;
        d->mouseHeld = true;
        setFocus(Qt::MouseFocusReason);
        RepaintNow();
    }
    event->accept();
}

// While the mouse button is held the face shows down only over the button, so
// the user sees that letting go out there will not click.
void TLbButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (!d->mouseHeld || !isEnabled())
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over != d->pressed) {
        d->pressed = over;
        RepaintNow();
    }
}

void TLbButton::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    event->accept();
    // A press dragged off the button and let go elsewhere is the user's way
    // of changing their mind: only a release over the button clicks, and only
    // after a mouse press on it.
    const bool click = d->mouseHeld && d->pressed && rect().contains(event->position().toPoint());
    d->mouseHeld = false;
    QPointer<TLbButton> self(this);
    if (click)
        Click();
    if (!self)
        return;
    d->pressed = false;
    RepaintNow();
}

void TLbButton::keyPressEvent(QKeyEvent* event)
{
    if (!isPushKey(event->key())) {
        if (AcceleratorFromTypedChar(*event))
            event->accept();
        else
            QWidget::keyPressEvent(event);
        return;
    }
    if (isEnabled()) {
        d->pressed = true;
        RepaintNow();
    }
    event->accept();
}

void TLbButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat() || !isPushKey(event->key())) {
        QWidget::keyReleaseEvent(event);
        RepaintNow();
        return;
    }
    event->accept();
    QPointer<TLbButton> self(this);
    // Only a key pressed on this button clicks it: the release of a key
    // whose press closed another window must not click what gets the focus.
    if (d->pressed)
        Click();
    if (self)
        RepaintNow();
}

// ---------------------------------------------------------------- hover and fade

void TLbButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (!Reachable())
        return;
    d->inside = true;
    d->step = LbHotTrackSteps;
    RepaintNow();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLbButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    d->inside = false;
    if (d->slowDecease) {
        if (d->fade && !d->fade->Enabled())
            d->fade->SetEnabled(true);
    } else {
        d->step = 0;
        RepaintNow();
    }
    if (Reachable() && OnMouseExit)
        OnMouseExit(this);
}

void TLbButton::FadeTick()
{
    if (d->destroying)
        return;
    --d->step;
    if (d->step <= 0) {
        if (d->fade)
            d->fade->SetEnabled(false);
        d->step = 0;
    }
    RepaintNow();
}

bool TLbButton::FadeRunning() const { return d->fade && d->fade->Enabled(); }
bool TLbButton::HasFadeTimer() const { return d->fade != nullptr; }

// ---------------------------------------------------------------- focus, state

void TLbButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    RepaintNow();
}

void TLbButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    RepaintNow();
}

void TLbButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        d->pressed = false;
        d->mouseHeld = false;
        RepaintNow();
    }
}

// ---------------------------------------------------------------- painting

void TLbButton::RepaintNow()
{
    if (!d->destroying)
        repaint();
}

void TLbButton::paintEvent(QPaintEvent*)
{
    if (d->destroying)
        return;
    QPainter painter(this);
    fw::TCanvas canvas(&painter);
    PaintTo(canvas);
}

void TLbButton::PaintTo(fw::TCanvas& canvas)
{
    const int W = width();
    const int H = height();
    if (W <= 0 || H <= 0)
        return;
    const bool focused = hasFocus();

    TLbFace f;
    f.Width = W;
    f.Height = H;
    f.HotTrackStep = d->step;
    f.NumGlyphs = d->numGlyphs;
    f.Glyph = &d->glyph;
    f.Pressed = d->pressed;
    f.Hot = d->inside || focused;
    f.Enabled = isEnabled();
    f.Flat = d->flat;
    f.WordWrap = d->wordWrap;
    f.HasPopupMenu = d->popupMenu != nullptr;
    f.Style = d->style;
    f.Color = d->color;
    f.ColorWhenDown = d->colorWhenDown;
    f.HotTrackColor = d->hotTrackColor;
    f.LightColor = d->lightColor;
    f.ShadowColor = d->shadowColor;
    f.Font = f.Hot && d->useHotTrackFont ? d->hotTrackFont : d->font;
    f.Layout = d->layout;
    f.Caption = d->caption;
    f.Alignment = d->alignment;

    fw::TBitmap bitmap(W, H);
    fw::TCanvas& bc = bitmap.Canvas();
    const bool seeThrough = seeThroughStyle(d->style);
    // A bsShape face fills its whole background itself.
    if (seeThrough && d->style != bsShape) {
        bc.Brush().Style = fw::bsSolid;
        bc.Brush().Color = LbSeeThroughColor;
        bc.FillRect(fw::TRect(0, 0, W, H));
    }
    if (d->style == bsOld && focused) {
        // The focused old-style face sits one pixel in, inside a black frame.
        f.Width = W - 2;
        f.Height = H - 2;
        if (d->pressed)
            f.LightColor = d->shadowColor;
        DrawLbButtonFace(bc, f);
        bc.Release();
        const QImage face = bitmap.ToImage();
        bc.DrawImage(fw::TRect(1, 1, W + 1, H + 1), face, fw::TRect(0, 0, W, H));
        bc.Pen().Style = fw::psSolid;
        bc.Pen().Color = fw::clBlack;
        bc.Brush().Style = fw::bsClear;
        bc.Rectangle(0, 0, W, H);
    } else {
        DrawLbButtonFace(bc, f);
    }
    bc.Release();
    if (seeThrough) {
        bitmap.SetTransparentColor(LbSeeThroughColor);
        bitmap.SetTransparent(true);
    }
    canvas.Draw(0, 0, bitmap);
    if (focused && isEnabled() && d->style != bsShape)
        canvas.DrawFocusRect(fw::TRect(4, 4, W - 4, H - 4));
}
