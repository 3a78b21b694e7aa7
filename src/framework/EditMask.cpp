#include "framework/EditMask.h"

#include "framework/Input.h"
#include "framework/SysUtils.h"

#include <QRegularExpression>

#include <algorithm>

namespace fw {

// ---- mask ------------------------------------------------------------------------------

TEditMask::TEditMask(const QString& mask)
    : TEditMask(mask, FormatSettings().DateSeparator, FormatSettings().TimeSeparator)
{
}

TEditMask::TEditMask(const QString& mask, QChar dateSeparator, QChar timeSeparator) : FSource(mask)
{
    // Fields are split at the last two ";" so that a literal ";" needs no escape.
    QString body = mask;
    const int last = mask.lastIndexOf(QLatin1Char(';'));
    if (last >= 0) {
        const int previous = last > 0 ? mask.lastIndexOf(QLatin1Char(';'), last - 1) : -1;
        if (previous >= 0) {
            body = mask.left(previous);
            const QString save = mask.mid(previous + 1, last - previous - 1);
            FSaveLiterals = save != QLatin1String("0");
            const QString blank = mask.mid(last + 1);
            if (!blank.isEmpty())
                FBlank = blank.at(0);
        } else {
            body = mask.left(last);
            FSaveLiterals = mask.mid(last + 1) != QLatin1String("0");
        }
    }
    TCase current = TCase::None;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        TSlot slot;
        switch (c.unicode()) {
        case '!':
            continue;
        case '>':
            current = TCase::Upper;
            continue;
        case '<':
            if (i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
                current = TCase::None;
                ++i;
            } else {
                current = TCase::Lower;
            }
            continue;
        case '\\':
            if (i + 1 < body.size())
                slot.Literal = body.at(++i);
            else
                continue;
            break;
        case ':': slot.Literal = timeSeparator; break;
        case '/': slot.Literal = dateSeparator; break;
        case '_': slot.Literal = QLatin1Char(' '); break;
        case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
            slot.Kind = char(c.unicode());
            slot.Case = current;
            break;
        default: slot.Literal = c; break;
        }
        FSlots.push_back(slot);
    }
}

bool TEditMask::IsLiteral(int pos) const
{
    return pos >= 0 && pos < Length() && FSlots[std::size_t(pos)].Kind == 0;
}

bool TEditMask::IsRequiredKind(char kind) { return kind == 'L' || kind == 'A' || kind == 'C' || kind == '0'; }

QChar TEditMask::Accept(int pos, QChar ch) const
{
    if (pos < 0 || pos >= Length() || ch.isNull())
        return {};
    const TSlot& slot = FSlots[std::size_t(pos)];
    bool ok = false;
    switch (slot.Kind) {
    case 'L': case 'l': ok = ch.isLetter(); break;
    case 'A': case 'a': ok = ch.isLetterOrNumber(); break;
    case 'C': case 'c': ok = ch.unicode() >= 32; break;
    case '0': case '9': ok = ch.unicode() >= '0' && ch.unicode() <= '9'; break;
    case '#': ok = (ch.unicode() >= '0' && ch.unicode() <= '9') || ch == QLatin1Char('+') || ch == QLatin1Char('-'); break;
    default: ok = false; break;
    }
    if (!ok)
        return {};
    if (slot.Case == TCase::Upper)
        return ch.toUpper();
    if (slot.Case == TCase::Lower)
        return ch.toLower();
    return ch;
}

int TEditMask::NextEditable(int from) const
{
    for (int i = std::max(from, 0); i < Length(); ++i)
        if (!IsLiteral(i))
            return i;
    return Length();
}

int TEditMask::PrevEditable(int before) const
{
    for (int i = std::min(before, Length()) - 1; i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

QString TEditMask::EmptyText() const
{
    QString s;
    s.reserve(Length());
    for (const TSlot& slot : FSlots)
        s += slot.Kind == 0 ? slot.Literal : FBlank;
    return s;
}

QString TEditMask::EditTextFor(const QString& text) const
{
    QString out = EmptyText();
    int t = 0;
    for (int pos = 0; pos < Length() && t < text.size(); ++pos) {
        const TSlot& slot = FSlots[std::size_t(pos)];
        if (slot.Kind == 0) {
            // A saved literal stands in the text at its place.
            if (FSaveLiterals && text.at(t) == slot.Literal)
                ++t;
            continue;
        }
        const QChar c = Accept(pos, text.at(t));
        if (!c.isNull())
            out[pos] = c;
        ++t;
    }
    return out;
}

QString TEditMask::TextOf(const QString& editText) const
{
    QString out;
    for (int pos = 0; pos < Length(); ++pos) {
        const TSlot& slot = FSlots[std::size_t(pos)];
        if (slot.Kind == 0) {
            if (FSaveLiterals)
                out += slot.Literal;
            continue;
        }
        const QChar c = pos < editText.size() ? editText.at(pos) : FBlank;
        out += c == FBlank ? QLatin1Char(' ') : c;
    }
    return out;
}

int TEditMask::FirstMissing(const QString& editText) const
{
    for (int pos = 0; pos < Length(); ++pos) {
        const TSlot& slot = FSlots[std::size_t(pos)];
        if (!IsRequiredKind(slot.Kind))
            continue;
        if (pos >= editText.size() || editText.at(pos) == FBlank || editText.at(pos) == QLatin1Char(' '))
            return pos;
    }
    return -1;
}

// ---- buffer ----------------------------------------------------------------------------

void TEditBuffer::SetSel(int start, int end)
{
    const int n = int(Text.size());
    Anchor = std::clamp(start, 0, n);
    Caret = std::clamp(end, 0, n);
}

void TEditBuffer::MoveCaret(int pos, bool extend)
{
    Caret = std::clamp(pos, 0, int(Text.size()));
    if (!extend)
        Anchor = Caret;
}

void TEditBuffer::BlankRange(int start, int end)
{
    for (int i = start; i < end && i < int(Text.size()); ++i)
        if (!Mask->IsLiteral(i))
            Text[i] = Mask->BlankChar();
}

bool TEditBuffer::DeleteSelection()
{
    if (!HasSelection())
        return false;
    const int s = SelStart();
    if (Masked())
        BlankRange(s, SelEnd());
    else
        Text.remove(s, SelLength());
    Anchor = Caret = s;
    return true;
}

bool TEditBuffer::InsertChar(QChar ch)
{
    if (Masked()) {
        const int from = HasSelection() ? SelStart() : Caret;
        const int pos = Mask->NextEditable(from);
        const QChar c = Mask->Accept(pos, ch);
        if (c.isNull())
            return false;
        DeleteSelection();
        Text[pos] = c;
        Anchor = Caret = std::min(Mask->NextEditable(pos + 1), Mask->Length());
        return true;
    }
    if (MaxLength > 0 && Text.size() - SelLength() + 1 > MaxLength)
        return false;
    const int s = SelStart();
    Text.replace(s, SelLength(), ch);
    Anchor = Caret = s + 1;
    return true;
}

bool TEditBuffer::InsertText(const QString& text)
{
    QString line = text;
    const int lineEnd = int(line.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    if (lineEnd >= 0)
        line.truncate(lineEnd);
    if (Masked()) {
        TEditBuffer trial = *this;
        trial.DeleteSelection();
        bool any = false;
        for (const QChar ch : line) {
            if (trial.Mask->IsLiteral(trial.Caret) && trial.Text.at(trial.Caret) == ch) {
                trial.Anchor = ++trial.Caret;
                continue;
            }
            any = trial.InsertChar(ch) || any;
        }
        if (!any && !HasSelection())
            return false;
        *this = trial;
        return true;
    }
    if (MaxLength > 0) {
        const qsizetype room = MaxLength - (Text.size() - SelLength());
        if (room <= 0 && !HasSelection())
            return false;
        line.truncate(std::max<qsizetype>(room, 0));
    }
    if (line.isEmpty() && !HasSelection())
        return false;
    const int s = SelStart();
    Text.replace(s, SelLength(), line);
    Anchor = Caret = s + int(line.size());
    return true;
}

bool TEditBuffer::Backspace()
{
    if (HasSelection())
        return DeleteSelection();
    if (Masked()) {
        const int p = Mask->PrevEditable(Caret);
        if (p < 0)
            return false;
        Text[p] = Mask->BlankChar();
        Anchor = Caret = p;
        return true;
    }
    if (Caret <= 0)
        return false;
    Text.remove(Caret - 1, 1);
    Anchor = --Caret;
    return true;
}

bool TEditBuffer::DeleteForward()
{
    if (HasSelection())
        return DeleteSelection();
    if (Masked()) {
        const int p = Mask->NextEditable(Caret);
        if (p >= Mask->Length())
            return false;
        Text[p] = Mask->BlankChar();
        return true;
    }
    if (Caret >= int(Text.size()))
        return false;
    Text.remove(Caret, 1);
    return true;
}

bool TEditBuffer::MoveByKey(int vk, bool extend, bool byWord)
{
    switch (vk) {
    case VK_LEFT:
        // Without Shift a selection collapses to its start.
        if (HasSelection() && !extend)
            MoveCaret(byWord ? WordLeft(Caret) : SelStart(), false);
        else
            MoveCaret(byWord ? WordLeft(Caret) : Caret - 1, extend);
        return true;
    case VK_RIGHT:
        if (HasSelection() && !extend)
            MoveCaret(byWord ? WordRight(Caret) : SelEnd(), false);
        else
            MoveCaret(byWord ? WordRight(Caret) : Caret + 1, extend);
        return true;
    case VK_HOME: MoveCaret(0, extend); return true;
    case VK_END: MoveCaret(int(Text.size()), extend); return true;
    default: return false;
    }
}

int TEditBuffer::WordLeft(int pos) const
{
    int i = std::min(pos, int(Text.size()));
    while (i > 0 && Text.at(i - 1).isSpace())
        --i;
    while (i > 0 && !Text.at(i - 1).isSpace())
        --i;
    return i;
}

int TEditBuffer::WordRight(int pos) const
{
    const int n = int(Text.size());
    int i = std::max(pos, 0);
    while (i < n && !Text.at(i).isSpace())
        ++i;
    while (i < n && Text.at(i).isSpace())
        ++i;
    return i;
}

} // namespace fw
