#pragma once
// A minimal rich-text document: reads the subset of RTF that cells and the
// rich-text editor exchange (plain text, bold, italic, underline, super- and
// subscript, colours of the colour table, font size, \uN, \'hh, \tab, \line
// and \par; every other control word and destination group is passed over),
// lays it out in a width and draws it on a canvas. Reading never throws and
// stops at a bounded input size and nesting depth.
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

#include <vector>

namespace fw {

class TCanvas;

// One run of equally formatted characters.
struct TRichRun {
    QString Text;
    TFontStyles Style;
    int VOffset = 0;            // 1 superscript, -1 subscript
    TColor Color = clNone;      // clNone: the drawing font's colour
    int HalfPoints = 0;         // font size in half points, 0: the drawing font's size
    friend bool operator==(const TRichRun&, const TRichRun&) = default;
};

class TRichText {
public:
    // Longest RTF text read and deepest group nesting followed; beyond them
    // the rest of the input is ignored.
    static constexpr int MaxInput = 4 * 1024 * 1024;
    static constexpr int MaxDepth = 64;

    TRichText() = default;
    // A text that does not start with "{\rtf" (after blanks) is taken as plain text.
    static TRichText FromRtf(const QString& rtf);
    static TRichText FromPlainText(const QString& text);
    // A document of the given paragraphs (none gives one empty paragraph).
    static TRichText FromParagraphs(std::vector<std::vector<TRichRun>> paragraphs);
    // RTF of the document, one character per byte (other characters as \uN).
    QString ToRtf() const;

    // Paragraphs, each a list of runs; a document always has at least one paragraph.
    const std::vector<std::vector<TRichRun>>& Paragraphs() const { return FParagraphs; }
    // The characters, paragraphs joined by CR LF.
    QString PlainText() const;
    bool IsEmpty() const;

    // Size of the text laid out with `font` as the base font, lines broken at
    // blanks to fit `width` when wordWrap is on (a word wider than the width
    // stands on its own line).
    TSize RequiredSize(const TFont& font, int width, bool wordWrap) const;
    // Draws the text from r's top-left, clipped to r; a textColor other than
    // clNone replaces every run's colour.
    void Draw(TCanvas& canvas, const TRect& r, TFont font, bool wordWrap, TColor textColor = clNone) const;

private:
    struct TPiece {
        TRichRun Run;
        int X = 0;
        int Width = 0;
    };
    struct TLine {
        std::vector<TPiece> Pieces;
        int Width = 0;
        int Height = 0;
        int Ascent = 0;
    };
    // The font is taken by value: callers often pass the canvas's own font.
    std::vector<TLine> Layout(TCanvas& canvas, TFont font, int width, bool wordWrap) const;

    std::vector<std::vector<TRichRun>> FParagraphs{{}};
};

} // namespace fw
