// The grid's date and time editor: keys, the part advance while digits are
// typed, and the frame in the window colour.
#include "grid/interact/FxGridDatePicker.h"

#include "framework/Canvas.h"
#include "framework/DateTime.h"
#include "framework/Guard.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QKeyEvent>
#include <QPointer>

#include <cmath>

using namespace fw;

namespace {

unsigned ShiftFocusMessage()
{
    static const unsigned msg = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    return msg;
}

} // namespace

TGridDatePicker::TGridDatePicker(TFxStringGrid* grid) : TSgDateTimePicker(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    OnDropDown = [this](QObject*) { FOldDropped = true; };
    OnCloseUp = [this](QObject*) { FOldDropped = false; };
}

TDateTime TGridDatePicker::CellValue(TFxStringGrid& grid, TDateTimeKind kind, const QString& text, bool& ok)
{
    TDateTime v = Now();
    ok = false;
    const QString t = text.trimmed();
    if (kind == dtkTime) {
        ok = !t.isEmpty() && TryStrToTime(t, v);
        return ok ? v : Now();
    }
    if (const auto& e = grid.Events().OnCustomStrToDate) {
        e(&grid, text, v);
        ok = true;
        return v;
    }
    // A date cell may carry a time as well: both are read, as a variant
    // conversion would, so that nothing of the value is lost.
    ok = !t.isEmpty() && (TryStrToDateTime(t, v) || TryStrToDate(t, v) || TryStrToTime(t, v));
    return ok ? v : Now();
}

void TGridDatePicker::SetPickerText(const QString& text)
{
    const QDateTime dt = dateTimeFromText(text);
    if (dt.isValid())
        setDateTime(dt);
    else {
        bool ok = false;
        const TDateTime v = CellValue(*FGrid, Kind(), text, ok);
        if (ok)
            SetDateTime(v);
    }
}

bool TGridDatePicker::KeyDown(int& key, TShiftState shift)
{
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && key != VK_PRIOR && key != VK_NEXT &&
        key != VK_END)
        return true;
    QPointer<TFxStringGrid> g = FGrid;
    QPointer<TGridDatePicker> self(this);
    TFxGridInteractState& s = TFxGridEditorAccess::State(*g);
    if (key == VK_ESCAPE) {
        // The whole value the edit began with comes back, date and time: the
        // picker shows it and the cell keeps its text as it was.
        bool ok = false;
        SetDateTime(CellValue(*g, Kind(), g->OriginalCellValue(), ok));
        TFxGridEditorsState::Of(*g).RestoreOnHide = true;
    }
    if (key == VK_RETURN) {
        // The part being typed is committed first.
        interpretText();
        g->SetCurrentCell(text());
        const bool valid = g->ValidateCell(text());
        if (!self || !g)
            return false;
        if (!valid) {
            SetPickerText(s.NewCellText);
            update();
            key = 0;
            s.NoAutoAdvance = true;
            return false;
        }
        SetPickerText(g->CurrentCell());
    }
    if (key == VK_TAB && g->HasCellValidation()) {
        g->SetCurrentCell(text());
        const bool valid = g->ValidateCell(text());
        if (!self || !g)
            return false;
        if (!valid) {
            SetPickerText(s.NewCellText);
            update();
            key = 0;
            return false;
        }
        if (FxGridSpecial::TabOn(*g, shift))
            return false;
    }
    if (!FOldDropped && !DroppedDown())
        g->DoneInplaceEdit(key, shift);
    return false;
}

bool TGridDatePicker::event(QEvent* e)
{
    if (e->type() == TMessageEvent::EventType() &&
        static_cast<TMessageEvent*>(e)->Message.Msg == ShiftFocusMessage()) {
        fw::RunGuarded([this] { ShiftFocus(); });
        return true;
    }
    if (FxGridSpecial::TabIsEditors(e, FGrid->HasCellValidation())) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TSgDateTimePicker::event(e);
}

void TGridDatePicker::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        if (!FxGridSpecial::PassKeyDown(*this, *e))
            return;
        QPointer<TGridDatePicker> self(this);
        QChar ch = CharCodeFromEvent(*e);
        const bool replayed = !ch.isNull() && FxIsReplayedChar(*FGrid, *e, ch);
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            const QDateTime v = dateTime();
            Fy = v.date().year();
            Fm = v.date().month();
            Fd = v.date().day();
            Fth = v.time().hour();
            Ftm = v.time().minute();
            Fts = v.time().second();
            Ftms = v.time().msec();
            FTypedSection = currentSectionIndex();
            TSgDateTimePicker::keyPressEvent(e);
            if (self)
                fw::PostMessage(this, ShiftFocusMessage());
        } else {
            TSgDateTimePicker::keyPressEvent(e);
        }
        if (!self || ch.isNull())
            return;
        TFxStringGrid* g = FGrid;
        if (g->OnKeyPress && !replayed)
            g->OnKeyPress(g, ch);
    });
}

void TGridDatePicker::ShiftFocus()
{
    const QDateTime v = dateTime();
    const bool dayChanged = v.date().day() != Fd;
    const bool monthChanged = v.date().month() != Fm;
    const bool yearChanged = v.date().year() != Fy;
    bool advance = false;
    bool changed = false;
    if (Kind() == dtkTime) {
        changed = v.time().hour() != Fth || v.time().minute() != Ftm || v.time().second() != Fts;
        advance = changed;
    } else if (!Format().isEmpty()) {
        const QChar c = Format().back().toLower();
        changed = dayChanged || monthChanged || yearChanged;
        // The part that changed is the format's last: there is nothing to move on to.
        advance = changed && !(dayChanged && c == QLatin1Char('d')) && !(monthChanged && c == QLatin1Char('m')) &&
                  !(yearChanged && c == QLatin1Char('y'));
    } else {
        changed = dayChanged || monthChanged || yearChanged;
        advance = dayChanged || monthChanged;
    }
    if (!changed || FTypedSection < 0)
        return;
    // The picker may have moved on by itself once a part was complete; the
    // part that was typed decides where the caret goes.
    const int target = advance ? FTypedSection + 1 : FTypedSection;
    if (target < sectionCount() && currentSectionIndex() != target)
        SelectSection(target);
}

void TGridDatePicker::SelectSection(int index)
{
    if (index < 0 || index >= sectionCount())
        return;
    setCurrentSectionIndex(index);
    setSelectedSection(sectionAt(index));
}

void TGridDatePicker::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        // The calendar popping up takes the focus for a moment: the edit goes on.
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e, DroppedDown());
        TSgDateTimePicker::focusOutEvent(e);
    });
}

void TGridDatePicker::paintEvent(QPaintEvent* e)
{
    TSgDateTimePicker::paintEvent(e);
    fw::RunGuarded([&] {
        TCanvas c(this);
        c.Brush().Style = bsSolid;
        c.Brush().Color = clWindow;
        const TRect r(0, 0, width(), height());
        c.FrameRect(r);
        c.FrameRect(r.Inflated(-1, -1));
    });
}
