#pragma once
// Routines that work on the grid's HTML dialect without drawing it: stripping,
// search-match marking, entity escaping, embedded CONTROL tags and colour names.
// The renderer itself lives in SgHTMLE.
#include "framework/Types.h"

#include <QString>

// Colours of the HI tag; the grid's highlight colour setters keep them in step.
void SetHtmlHighlightColors(fw::TColor background, fw::TColor text);
fw::TColor HtmlHighlightBackground();
fw::TColor HtmlHighlightTextColor();

// Visual-style capable desktop (always true here: the widget style draws themed parts).
bool IsWindowsXPOrLater();

// Plain text: <BR> and <HR> become CR LF, every complete tag is removed.
QString StripHtmlTags(const QString& html);

// Wraps every occurrence of `search` in the visible text with <tag> ... </tag>.
QString WrapMatchesInTag(const QString& html, const QString& search, const QString& tag, bool caseSensitive);

// Undoes WrapMatchesInTag for `tag` and unescapes &lt; and &gt;.
QString RemoveTagPairs(const QString& html, const QString& tag);

// Entity decoding and encoding. Both work in one pass, so "&amp;quot;" decodes
// to "&quot;" and encoding never touches text it produced itself. With
// `extended` the accented Latin-1 letters and a few symbols take part too.
QString HtmlEntitiesToText(const QString& text, bool extended);
QString TextToHtmlEntities(const QString& text, bool extended);

QString SpacesToNbsp(const QString& text);
QString PasswordMask(const QString& text);

// Attributes of one CONTROL tag.
struct THtmlControlAttrs {
    QString Type;     // upper-cased
    QString ID;
    QString Value;    // entities decoded
    QString Width;
    QString Height;
    QString Prop;     // entities decoded
    QString MaxLen;
};

// Parses the text of a CONTROL tag (the part after "<", up to its ">").
THtmlControlAttrs ParseHtmlControlTag(const QString& tagText);
bool HasHtmlControl(const QString& text);
// ID of the first editable control (not BUTTON, CHECK or RADIO) after the one
// with `id`; the first editable control when `id` is empty; empty when none.
QString NextEditableControlId(const QString& text, const QString& id);
QString ClearRadioControls(const QString& text);
// False when no control has that ID.
bool HtmlControlValue(const QString& text, const QString& id, QString& value);
QString HtmlControlProp(const QString& text, const QString& id);
int HtmlControlMaxLen(const QString& text, const QString& id);
// Rewrites the control with `id` carrying `value`; false and `text` unchanged when none.
bool SetHtmlControlValue(QString& text, const QString& id, const QString& value);

// Colour names as the dialect writes them ("clred", lower case); unknown names give black.
fw::TColor HtmlColorFromName(const QString& lowerName);
// "#RRGGBB"; a missing or short pair gives 0 for that component.
fw::TColor HtmlColorFromHex(const QString& text);

// Small helpers of the renderer.
// 1-based position of `sub` in `s`, ASCII letters compared in any case; 0 when absent.
int HtmlPosNoCase(const QString& sub, const QString& s, int from = 1);
// The integer at the start of the text ("12px" gives 12), decimal or hexadecimal
// after "$" or "0x"; 0 when there is none.
int HtmlLeadingInt(const QString& text);
// Removes the "<" of every "<#" with the first ">" after it; with `convertLineBreaks`
// every CR becomes "<BR>", otherwise it is dropped; LF is always dropped.
QString RemoveHtmlMarkers(const QString& text, bool convertLineBreaks);
// Replaces the first occurrence of `from` (any case) by `to`; true when it did.
bool ReplaceFirstNoCase(QString& text, const QString& from, const QString& to);
bool HtmlFolderExists(const QString& path);

// ---- drawing helpers of the renderer ---------------------------------------------------------

namespace fw {
class TCanvas;
class TBitmap;
struct TFont;
}

// Text direction of a control.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// Right-to-left reading order of DrawText.
constexpr unsigned DT_RTLREADING = 0x20000;
// True when the user interface runs right to left.
bool IsRightToLeftLocale();
// On a right-to-left desktop: mirrors the horizontal alignment for bdRightToLeft
// (right removed when set, else right added unless centred) and adds right-to-left
// reading for every mode but left-to-right. Unchanged elsewhere.
unsigned AdjustHtmlBiDiFlags(unsigned flags, TBiDiMode mode);

// Copies the bitmap stretched into `r` (no smoothing, pixels replace what was there).
void StretchBitmapToRect(fw::TCanvas& canvas, const fw::TRect& r, const fw::TBitmap& bitmap);

// Draws the desktop icon for `name` ("SSYS:" / "LSYS:" pictures): a number picks a
// standard icon (0 computer, 1 desktop, 2 trash, 3 network, 4 drive, 5 folder, 6 file),
// otherwise the icon of that file or folder (by its kind when it does not exist).
// Returns the icon size (16 or 32, `large`); draws only with `draw`; when printing,
// the icon is stretched by `scale`.
int DrawSystemIcon(fw::TCanvas& canvas, int x, int y, double scale, bool print, bool draw, bool large,
                   const QString& name);

// Selects a copy of the canvas font rotated by `angle` degrees; returns the font to
// restore with RestoreCanvasFont.
fw::TFont SelectRotatedFont(fw::TCanvas& canvas, int angle);
void RestoreCanvasFont(fw::TCanvas& canvas, const fw::TFont& previous);
