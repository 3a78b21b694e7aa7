#pragma once
// How the grid's HTML export looks (TFxStringGrid::HTMLSettings).
#include "grid/foundation/FxObj.h"

#include <QString>

class THTMLSettings {
public:
    THTMLSettings() : FColWidths(0, 0) {}
    THTMLSettings(const THTMLSettings&) = delete;
    THTMLSettings& operator=(const THTMLSettings&) = delete;

    // Copies every setting but ExportImages and ColWidths.
    void Assign(const THTMLSettings& source);

    bool AutoPreview = false;        // open the written file with the desktop's program for it
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool ConvertSpecialChars = false;   // named entities for the accented letters too
    bool ExportImages = true;        // kept; this export writes no image files
    QString FooterFile;              // lines written after the table
    QString HeaderFile;              // lines written before the table
    bool NonBreakingText = false;    // blanks of body cells as &nbsp;
    QString PrefixTag;               // text before the style block
    bool SaveColor = true;
    bool SaveFonts = true;           // kept and copied; fonts are always written
    QString SuffixTag;               // a line after the table
    QString Summary;
    QString TableStyle;              // free text inside the TABLE tag
    int Width = 100;                 // percent
    bool XHTML = false;              // XHTML prolog, lower-case well-formed markup

    TIntList& ColWidths() { return FColWidths; }

private:
    TIntList FColWidths;
};
