#include "grid/foundation/SgEditBase.h"

#include "framework/SysColors.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

TSgEditBase::TSgEditBase(QWidget* parent) : QLineEdit(parent)
{
    // The border is drawn here, around the client area the layout works in.
    setFrame(false);
    setFocusPolicy(Qt::StrongFocus);
    SetColor(fw::clWindow);
}

TSgEditBase::~TSgEditBase() = default;

void TSgEditBase::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    ApplyMinimumHeight();
    LayoutControl();
    update();
}

void TSgEditBase::SetCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    LayoutControl();
    update();
}

void TSgEditBase::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TSgEditBase::SetColor(fw::TColor value)
{
    FColor = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, fw::ToQColor(value));
    setPalette(pal);
}

int TSgEditBase::BorderWidth() const
{
    if (FBorderStyle == bsNone)
        return 0;
    return FCtl3D ? 2 : 1;
}

void TSgEditBase::PlaceButton(QWidget* button, int buttonWidth)
{
    if (!button)
        return;
    const int b = BorderWidth();
    // Client coordinates as the layout rule gives them, moved inside the border.
    if (FCtl3D) {
        const int d = FBorderStyle == bsSingle ? 5 : 1;
        button->setGeometry(b + width() - buttonWidth - d, b, buttonWidth, std::max(0, height() - d));
    } else {
        button->setGeometry(b + width() - buttonWidth, b + 1, buttonWidth, std::max(0, height() - 3));
    }
}

void TSgEditBase::SetFormatRect(const fw::TRect& r)
{
    FFormatRect = r;
    const int b = BorderWidth();
    setTextMargins(b + r.Left, b + r.Top, std::max(0, width() - (b + r.Right)),
                   std::max(0, height() - (b + r.Bottom)));
}

void TSgEditBase::RestoreCaret(int pos) { setCursorPosition(std::clamp(pos, 0, int(text().size()))); }

int TSgEditBase::CaretPos() const { return hasSelectedText() ? int(selectionStart()) : int(cursorPosition()); }

bool TSgEditBase::ClipboardKeyAllowed(QKeyEvent* event) const
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste))
        return CanCutOrPaste();
    return true;
}

int TSgEditBase::FontHeight() const { return QFontMetrics(font()).height(); }

int TSgEditBase::SystemFontHeight() const { return QFontMetrics(QGuiApplication::font()).height(); }

void TSgEditBase::ApplyMinimumHeight() { setMinimumHeight(MinimumHeight()); }

bool TSgEditBase::SelectAllOnEnter() const
{
    return !(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

void TSgEditBase::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (FBorderStyle == bsNone)
        return;
    fw::TCanvas canvas(this);
    fw::TRect r(0, 0, width(), height());
    if (FCtl3D) {
        canvas.DrawEdge(r, fw::EDGE_SUNKEN, fw::BF_RECT);
    } else {
        canvas.Brush().Color = fw::clWindowFrame;
        canvas.FrameRect(r);
    }
}

void TSgEditBase::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    LayoutControl();
}

void TSgEditBase::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (FAutoSelect && SelectAllOnEnter())
        selectAll();
}

void TSgEditBase::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ApplyMinimumHeight();
        LayoutControl();
    }
}

void TSgEditBase::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (!CanCutOrPaste()) {
        const QList<QAction*> actions = menu->actions();
        for (QAction* a : actions) {
            const QString name = a->objectName();
            if (name == u"edit-cut" || name == u"edit-paste" || name == u"edit-delete")
                a->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
