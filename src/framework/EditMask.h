#pragma once
// The editing model of a single-line edit, free of widgets: the text with its
// caret and selection (TEditBuffer) and the optional edit mask that fixes
// which character may stand where (TEditMask). The masked edit applies every
// key and paste through these, so the rules can be tested as plain values.
#include <QChar>
#include <QString>

#include <vector>

namespace fw {

// A mask of the form "mask;save-literals;blank", e.g. "!90:00:00;1; ".
// Mask characters: 0 digit, 9 optional digit, # optional digit or sign,
// L letter, l optional letter, A letter or digit, a optional letter or digit,
// C any character, c optional any character; > upper-cases and < lower-cases
// what follows ("<>" stops both); \ takes the next character literally;
// ":" and "/" stand for the time and date separators, "_" for a blank; "!"
// keeps optional characters as leading blanks. Every other character is a
// literal. The second field "0" leaves literals out of Text; the third is the
// character shown in empty positions ("_" when not given).
class TEditMask {
public:
    TEditMask() = default;
    // The separators default to the process format settings.
    explicit TEditMask(const QString& mask);
    TEditMask(const QString& mask, QChar dateSeparator, QChar timeSeparator);

    bool IsEmpty() const { return FSlots.empty(); }
    const QString& Source() const { return FSource; }
    // Characters of the edit text.
    int Length() const { return int(FSlots.size()); }
    bool IsLiteral(int pos) const;
    bool SavesLiterals() const { return FSaveLiterals; }
    QChar BlankChar() const { return FBlank; }

    // `ch` as it may stand at editable position `pos` (case rules applied);
    // a null character when it may not.
    QChar Accept(int pos, QChar ch) const;
    // First editable position at or after `from`; Length() when none.
    int NextEditable(int from) const;
    // Last editable position before `before`; -1 when none.
    int PrevEditable(int before) const;

    // The edit text with every editable position blank.
    QString EmptyText() const;
    // The edit text showing `text` (given as Text returns it: with literals
    // when they are saved); characters that do not fit leave blanks.
    QString EditTextFor(const QString& text) const;
    // Text of an edit text: blanks become spaces, literals are left out
    // unless saved.
    QString TextOf(const QString& editText) const;
    // First required position still blank, -1 when the text is complete.
    int FirstMissing(const QString& editText) const;

private:
    enum class TCase { None, Upper, Lower };
    struct TSlot {
        char Kind = 0;   // 0 for a literal, else the mask character
        QChar Literal;
        TCase Case = TCase::None;
    };
    static bool IsRequiredKind(char kind);

    QString FSource;
    std::vector<TSlot> FSlots;
    bool FSaveLiterals = true;
    QChar FBlank = QLatin1Char('_');
};

// Text with a caret and an anchor (the selection runs between them) and the
// edits a user makes, under an optional mask and length limit. Positions
// count UTF-16 units from 0. Every edit returns false and changes nothing
// when the rules refuse it.
struct TEditBuffer {
    QString Text;
    int Anchor = 0;
    int Caret = 0;
    int MaxLength = 0;                  // 0: no limit
    const TEditMask* Mask = nullptr;    // null or empty: free text

    int SelStart() const { return Anchor < Caret ? Anchor : Caret; }
    int SelEnd() const { return Anchor < Caret ? Caret : Anchor; }
    int SelLength() const { return SelEnd() - SelStart(); }
    bool HasSelection() const { return Anchor != Caret; }
    QString SelText() const { return Text.mid(SelStart(), SelLength()); }
    // Selects start..end with the caret at `end` (positions are clamped).
    void SetSel(int start, int end);
    void MoveCaret(int pos, bool extend);

    bool InsertChar(QChar ch);
    // Pasted text: a single-line edit takes it up to the first line break;
    // without a mask it is cut to fit the length limit.
    bool InsertText(const QString& text);
    bool Backspace();
    bool DeleteForward();
    bool DeleteSelection();

    // Left, Right, Home and End (virtual-key codes): `extend` moves the caret
    // only, `byWord` moves Left and Right by words. False for another key.
    bool MoveByKey(int vk, bool extend, bool byWord);

    // Start of the word before / after `pos` (words are runs of non-blanks).
    int WordLeft(int pos) const;
    int WordRight(int pos) const;

private:
    bool Masked() const { return Mask && !Mask->IsEmpty(); }
    void BlankRange(int start, int end);
};

} // namespace fw
