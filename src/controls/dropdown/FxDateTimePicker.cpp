#include "controls/dropdown/FxDateTimePicker.h"

#include "framework/Canvas.h"
#include "framework/DateTime.h"
#include "framework/Guard.h"
#include "framework/Input.h"
#include "framework/SysUtils.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QTimer>

#include <cmath>

using namespace fw;

namespace {

// A time of day without its milliseconds.
TDateTime wholeSeconds(TDateTime t)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(t, h, m, s, ms);
    return EncodeTime(h, m, s, 0);
}

TDateTime timeOf(TDateTime dt) { return std::fabs(dt - std::trunc(dt)); }

constexpr int kCheckWidth = 18;

} // namespace

TPoint FxDateTimePicker::LabelOrigin(TLabelPosition position, int left, int top, int width, int height, int margin,
                                     int textWidth, int labelWidth, int labelHeight)
{
    const int vCentre = labelHeight > height ? top - (labelHeight - height) / 2 : top + (height - labelHeight) / 2;
    const int hCentre = labelWidth > width ? left - (labelWidth - width) / 2 : left + (width - labelWidth) / 2;
    switch (position) {
    case lpLeftTop: return {left - textWidth - margin, top};
    case lpLeftCenter: return {left - textWidth - margin, vCentre};
    case lpLeftBottom: return {left - textWidth - margin, top + height - labelHeight};
    case lpTopLeft: return {left, top - labelHeight - margin};
    case lpBottomLeft: return {left, top + height + margin};
    case lpLeftTopLeft: return {left - margin, top};
    case lpLeftCenterLeft: return {left - margin, vCentre};
    case lpLeftBottomLeft: return {left - margin, top + height - labelHeight};
    case lpTopCenter: return {hCentre, top - labelHeight - margin};
    case lpBottomCenter: return {hCentre, top + height + margin};
    case lpRightTop: return {left + width + margin, top};
    case lpRightCenter: return {left + width + margin, vCentre};
    case lpRighBottom: return {left + width + margin, top + height - labelHeight};
    }
    return {left, top};
}

// ---- TCustomDateTimePicker ---------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(QWidget* parent) : TSgDateTimePicker(parent)
{
    // A digit typed into another part starts that part afresh.
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (currentSectionIndex() != FDigitSection) {
            FDigits = 0;
            FDigitSection = currentSectionIndex();
        }
    });
}

TCustomDateTimePicker::~TCustomDateTimePicker() = default;

void TCustomDateTimePicker::SetShowCheckbox(bool value)
{
    if (value == FShowCheckbox)
        return;
    FShowCheckbox = value;
    ApplyCheckMargin();
    update();
}

void TCustomDateTimePicker::SetChecked(bool value)
{
    if (value == FChecked)
        return;
    FChecked = value;
    update();
    if (OnCheckChange)
        OnCheckChange(this);
}

void TCustomDateTimePicker::ApplyCheckMargin()
{
    if (QLineEdit* e = lineEdit())
        e->setTextMargins(FShowCheckbox ? kCheckWidth : 0, 0, 0, 0);
}

TRect TCustomDateTimePicker::CheckboxRect() const
{
    if (!FShowCheckbox)
        return TRect();
    const int s = 13;
    const int top = (height() - s) / 2;
    return TRect(4, top, 4 + s, top + s);
}

void TCustomDateTimePicker::KeyDown(int& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

bool TCustomDateTimePicker::SectionComplete(int digits) const
{
    const Section s = currentSection();
    const QString text = sectionText(s);
    int width = 2;
    if (s == YearSection)
        width = displayFormat().count(QLatin1Char('y')) >= 4 ? 4 : 2;
    else if (s == MSecSection)
        width = 3;
    if (digits >= width)
        return true;
    // A part that cannot take another digit is complete too (a day of 4).
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return false;
    int max = 99;
    switch (s) {
    case DaySection: max = 31; break;
    case MonthSection: max = 12; break;
    case HourSection: max = 23; break;
    case MinuteSection:
    case SecondSection: max = 59; break;
    default: return false;
    }
    return value * 10 > max;
}

void TCustomDateTimePicker::AutoTabNext()
{
    // The next part selected, so that the next digit replaces it.
    if (currentSectionIndex() + 1 < sectionCount()) {
        setCurrentSectionIndex(currentSectionIndex() + 1);
        setSelectedSection(currentSection());
    }
}

bool TCustomDateTimePicker::event(QEvent* e)
{
    // Tab is the owner's key first (a grid cell editor moves on with it).
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            int key = VK_TAB;
            KeyDown(key, ShiftStateFromEvent(*k));
            if (key == 0)
                return true;
        }
    }
    return TSgDateTimePicker::event(e);
}

void TCustomDateTimePicker::keyPressEvent(QKeyEvent* e)
{
    int key = VirtualKeyFromEvent(*e);
    if (key != VK_TAB) {
        KeyDown(key, ShiftStateFromEvent(*e));
        if (key == 0) {
            e->accept();
            return;
        }
    }
    const QString text = e->text();
    const bool digit = text.size() == 1 && text[0].isDigit();
    if (digit && FDigitSection != currentSectionIndex()) {
        FDigits = 0;
        FDigitSection = currentSectionIndex();
    }
    const QPointer<TCustomDateTimePicker> self(this);
    const QString before = this->text();
    const int section = currentSectionIndex();
    TSgDateTimePicker::keyPressEvent(e);
    // A digit the part refused, or one the picker moved on with, counts not.
    if (!self || !digit || !FAutoTab || this->text() == before || currentSectionIndex() != section)
        return;
    ++FDigits;
    if (!SectionComplete(FDigits))
        return;
    FDigits = 0;
    // Moved on after the picker has taken the digit in.
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->AutoTabNext();
        if (self)
            self->FDigitSection = self->currentSectionIndex();
    });
}

void TCustomDateTimePicker::focusInEvent(QFocusEvent* e)
{
    FDigits = 0;
    FDigitSection = currentSectionIndex();
    TSgDateTimePicker::focusInEvent(e);
}

void TCustomDateTimePicker::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const TRect r = CheckboxRect();
    if (FShowCheckbox && e->button() == Qt::LeftButton && r.Contains(TPoint(p.x(), p.y()))) {
        SetChecked(!FChecked);
        e->accept();
        return;
    }
    TSgDateTimePicker::mousePressEvent(e);
}

void TCustomDateTimePicker::paintEvent(QPaintEvent* e)
{
    TSgDateTimePicker::paintEvent(e);
    if (!FShowCheckbox)
        return;
    QPainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    const TRect r = CheckboxRect();
    opt.rect = QRect(r.Left, r.Top, r.Width(), r.Height());
    opt.state |= FChecked ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, this);
}

// ---- TFxDateTimePicker -------------------------------------------------------------------

TFxDateTimePicker::TFxDateTimePicker(QWidget* parent) : TCustomDateTimePicker(parent)
{
    TCustomDateTimePicker::SetBorderStyle(bsSingle);
    SetCtl3D(true);
    // The check box switches the time part with the value.
    OnCheckChange = [this](QObject*) { UpdateTimePicker(); };
    FKind = dkDate;
    SetKind(dkDateTime);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!FTimePicker || FTimePicker->date() == date())
            return;
        // A picker that shows only the time keeps its date inside one day:
        // moving it to another day clamps the time to that day's first or
        // last moment on the way. The time of day survives the date change.
        const QTime time = FTimePicker->time();
        {
            const QSignalBlocker quiet(FTimePicker.data());
            FTimePicker->setDate(date());
        }
        FTimePicker->setTime(time);
    });
}

TFxDateTimePicker::~TFxDateTimePicker()
{
    // The label's own teardown sends it events (hiding it, among others);
    // they must not reach this filter, which would take the half-destroyed
    // widget for the label.
    if (QLabel* label = FLabel.data()) {
        label->removeEventFilter(this);
        delete label;
    }
}

QString TFxDateTimePicker::Version() const
{
    const std::uint32_t v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TFxDateTimePicker::SetKind(TFxDateTimeKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    TSgDateTimePicker::SetKind(value == dkTime ? dtkTime : dtkDate);
    if (value == dkTime && !FTimeFormat.isEmpty())
        SetFormat(FTimeFormat);
    if (value == dkDateTime)
        CreateTimePicker();
    UpdateTimePicker();
}

void TFxDateTimePicker::CreateTimePicker()
{
    if (FKind != dkDateTime || FTimePicker)
        return;
    auto* t = new TCustomDateTimePicker(this);
    FTimePicker = t;
    t->resize(90, 17);
    t->hide();
    t->SetKind(dtkTime);
    t->SetCtl3D(false);
    t->SetAutoTab(AutoTab());
    t->setDateTime(dateTime());
    t->OnChange = [this](QObject*) {
        if (OnChange)
            OnChange(this);
        if (OnTimeChange)
            OnTimeChange(this);
    };
    // Keys in the time part are the control's keys first.
    t->OnKeyDown = [this](QObject*, int& key, TShiftState shift) { KeyDown(key, shift); };
    t->installEventFilter(this);
}

void TFxDateTimePicker::UpdateTimePicker()
{
    TCustomDateTimePicker* t = FTimePicker;
    if (!t)
        return;
    if (FKind != dkDateTime) {
        FTimePicker = nullptr;
        t->deleteLater();
        t->hide();
        return;
    }
    t->SetColor(Color());
    t->setEnabled(isEnabled() && (Checked() || !ShowCheckbox()));
    t->SetFormat(FTimeFormat);
    t->setFont(font());
    const QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(t->text().left(255)) + 31;
    // Left of the drop button, inside the frame.
    t->setGeometry(width() - w - 34, 1, w, std::max(1, height() - 2));
    t->show();
    t->raise();
}

TDateTime TFxDateTimePicker::DateTime() const
{
    const TDateTime dt = TSgDateTimePicker::DateTime();
    if (FTimePicker)
        return std::trunc(dt) + FTimePicker->Time();
    return dt;
}

void TFxDateTimePicker::SetDateTime(TDateTime value)
{
    const TDateTime v = std::trunc(value) + wholeSeconds(timeOf(value));
    TSgDateTimePicker::SetDateTime(v);
    if (FKind == dkDateTime) {
        CreateTimePicker();
        FTimePicker->SetDateTime(v);
        UpdateTimePicker();
    }
}

TDateTime TFxDateTimePicker::Date() const { return std::trunc(TSgDateTimePicker::DateTime()); }

void TFxDateTimePicker::SetDate(TDateTime value) { SetDateTime(std::trunc(value) + wholeSeconds(Time())); }

TDateTime TFxDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker)
        return FTimePicker->Time();
    return TSgDateTimePicker::Time();
}

void TFxDateTimePicker::SetTime(TDateTime value)
{
    TSgDateTimePicker::SetTime(value);
    if (FTimePicker)
        FTimePicker->SetTime(value);
    UpdateTimePicker();
}

void TFxDateTimePicker::SetTimeFormat(const QString& value)
{
    FTimeFormat = value;
    if (FKind == dkTime)
        SetFormat(value);
    UpdateTimePicker();
}

void TFxDateTimePicker::SetAutoTab(bool value)
{
    TCustomDateTimePicker::SetAutoTab(value);
    if (FTimePicker)
        FTimePicker->SetAutoTab(value);
}

void TFxDateTimePicker::SetBorderStyle(TBorderStyle value)
{
    TCustomDateTimePicker::SetBorderStyle(value);
    UpdateTimePicker();
}

QString TFxDateTimePicker::DisplayText() const
{
    if (FTimePicker)
        return text() + QLatin1Char(' ') + FTimePicker->text();
    return text();
}

void TFxDateTimePicker::AutoTabNext()
{
    if (FKind == dkTime || currentSectionIndex() + 1 < sectionCount()) {
        TCustomDateTimePicker::AutoTabNext();
        return;
    }
    // The last date part is complete: on to the time.
    if (FTimePicker && FTimePicker->isVisible() && FTimePicker->isEnabled()) {
        FTimePicker->setFocus(Qt::TabFocusReason);
        FTimePicker->setCurrentSectionIndex(0);
        FTimePicker->setSelectedSection(FTimePicker->currentSection());
    }
}

bool TFxDateTimePicker::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FTimePicker.data() && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut))
        UpdateLabelState();
    // The calendar key in the time part opens the date's calendar.
    if (watched == FTimePicker.data() && e->type() == QEvent::KeyPress &&
        IsCalendarKey(*static_cast<QKeyEvent*>(e)) && calendarPopup()) {
        setFocus(Qt::OtherFocusReason);
        DropDown();
        return true;
    }
    // Only a click is looked at: the label may be in its own teardown (its
    // owner deleted it) when other events come, and is no label any more.
    const bool click = e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::MouseButtonDblClick;
    if (click && FLabel && watched == FLabel.data()) {
        if (e->type() == QEvent::MouseButtonRelease && OnLabelClick)
            OnLabelClick(this);
        else if (e->type() == QEvent::MouseButtonDblClick && OnLabelDblClick)
            OnLabelDblClick(this);
    }
    return TCustomDateTimePicker::eventFilter(watched, e);
}

void TFxDateTimePicker::resizeEvent(QResizeEvent* e)
{
    TCustomDateTimePicker::resizeEvent(e);
    UpdateTimePicker();
    UpdateLabel();
}

void TFxDateTimePicker::moveEvent(QMoveEvent* e)
{
    TCustomDateTimePicker::moveEvent(e);
    UpdateLabel();
}

void TFxDateTimePicker::changeEvent(QEvent* e)
{
    TCustomDateTimePicker::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        UpdateTimePicker();
        UpdateLabelState();
    } else if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange) {
        UpdateTimePicker();
    } else if (e->type() == QEvent::ParentChange && FLabel) {
        FLabel->setParent(parentWidget());
        UpdateLabel();
    }
}

void TFxDateTimePicker::showEvent(QShowEvent* e)
{
    TCustomDateTimePicker::showEvent(e);
    UpdateTimePicker();
    if (FLabel) {
        UpdateLabel();
        FLabel->show();
    }
}

void TFxDateTimePicker::hideEvent(QHideEvent* e)
{
    TCustomDateTimePicker::hideEvent(e);
    if (FLabel)
        FLabel->hide();
}

void TFxDateTimePicker::focusInEvent(QFocusEvent* e)
{
    TCustomDateTimePicker::focusInEvent(e);
    UpdateLabelState();
}

void TFxDateTimePicker::focusOutEvent(QFocusEvent* e)
{
    TCustomDateTimePicker::focusOutEvent(e);
    UpdateLabelState();
}

// ---- label -------------------------------------------------------------------------------

void TFxDateTimePicker::CreateLabel()
{
    if (FLabel)
        return;
    FLabel = new QLabel(parentWidget());
    FLabel->setBuddy(this);
    FLabel->installEventFilter(this);
    FLabel->setFont(font());
}

QString TFxDateTimePicker::LabelCaption() const { return FLabel ? FLabel->text() : QString(); }

void TFxDateTimePicker::SetLabelCaption(const QString& value)
{
    CreateLabel();
    FLabel->setText(value);
    UpdateLabel();
}

void TFxDateTimePicker::SetLabelPosition(FxDateTimePicker::TLabelPosition value)
{
    FLabelPosition = value;
    UpdateLabel();
}

void TFxDateTimePicker::SetLabelMargin(int value)
{
    FLabelMargin = value;
    UpdateLabel();
}

void TFxDateTimePicker::SetLabelTransparent(bool value)
{
    FLabelTransparent = value;
    UpdateLabel();
}

void TFxDateTimePicker::SetLabelAlwaysEnabled(bool value)
{
    FLabelAlwaysEnabled = value;
    if (value && FLabel)
        FLabel->setEnabled(true);
}

void TFxDateTimePicker::SetLabelFont(const TFont& value)
{
    FLabelFont = value;
    if (FLabel)
        FLabel->setFont(value.ToQFont());
    UpdateLabel();
}

void TFxDateTimePicker::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    FLabel->adjustSize();
    const int tw = QFontMetrics(FLabel->font()).horizontalAdvance(FLabel->text());
    const TPoint at = FxDateTimePicker::LabelOrigin(FLabelPosition, x(), y(), width(), height(), FLabelMargin, tw,
                                                    FLabel->width(), FLabel->height());
    FLabel->move(at.X, at.Y);
    FLabel->setVisible(isVisible());
    UpdateLabelState();
}

void TFxDateTimePicker::UpdateLabelState()
{
    if (!FLabel)
        return;
    if (!FLabelAlwaysEnabled)
        FLabel->setEnabled(isEnabled());
    if (FFocusLabel) {
        QFont f = FLabel->font();
        const QWidget* focus = QApplication::focusWidget();
        f.setBold(focus == this || (focus && focus == FTimePicker.data()));
        FLabel->setFont(f);
    }
}
