#pragma once
// Internals of the HTML text engine shared by its sources.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "grid/foundation/SgHTMLE.h"

#include <QString>

class THTMLPicture;

namespace sghtml {

// Sizes from tags are kept within these bounds so that no text can ask for a
// font or picture large enough to exhaust memory or overflow coordinates.
constexpr int MaxFontPoints = 400;
constexpr int MaxBoxPixels = 16384;

constexpr int ListIndent = 12;

enum TLineAlign { laLeft, laRight, laCenter };
enum TPassMode { pmMeasure, pmDraw, pmCheck };

// Style state one pass carries from line to line.
struct TPassState {
    fw::TFont font;
    fw::TColor background = fw::clNone;   // text background, clNone: transparent
    fw::TColor fontBgBefore = fw::clNone;
    fw::TColor hiColorBefore = fw::clBlack;
    fw::TColor hiBgBefore = fw::clNone;
    fw::TColor paraBgBefore = fw::clNone;
    fw::TColor paraBackground = fw::clNone;
    bool paraBg = false;
    bool rotated = false;
    fw::TFont unrotated;
    bool sub = false, sup = false, shadow = false, hidden = false, errorMark = false;
    TLineAlign align = laLeft;
    int indent = 0;
    // anchor
    bool inAnchor = false;
    bool anchorStyled = false;
    bool anchorHit = false;
    int anchorNumber = 0;
    QString href, title;
    int anchorStartX = 0;
    int anchorTop = 0;
    fw::TColor anchorBgBefore = fw::clNone;
    bool inFocusAnchor = false;
    int focusLeft = 0;
};

// Arguments and shared state of one RenderHtmlText call.
struct TRenderCall {
    fw::TCanvas& canvas;
    fw::TRect rect;
    const fw::TImageList* images = nullptr;
    int mouseX = -1, mouseY = -1, focusLink = -1, hoverLink = 0, shadowOffset = 0;
    bool checkOnly = false, print = false, selected = false, blinkOn = false, hoverStyling = false,
         wordWrap = false, mouseDown = false;
    double scale = 1.0;
    fw::TColor urlColor = fw::clBlue, hoverColor = fw::clNone, hoverTextColor = fw::clNone,
               shadowColor = fw::clGray;
    THTMLPictureCache* cache = nullptr;
    TPictureContainer* container = nullptr;
    QWidget* window = nullptr;
    bool themed = false;
    unsigned format = 0;
    fw::TFont baseFont;
    fw::TColor brushAtEntry = fw::clWhite;

    // outputs
    QString& anchor;
    QString& stripped;
    QString& focusAnchor;
    QString& anchorTitle;
    int& mouseLink;
    fw::TRect& hoverRect;
    fw::TRect& controlRect;
    QString& controlID;
    QString& controlValue;
    QString& controlType;

    // counters shared by the passes
    int linkCount = 0;
    int listLevel = 0;
    int pictureCount = 0;
    int controlCount = 0;
    int hoverPicture = -1;   // number of the picture under the mouse
};

struct TLineResult {
    qsizetype end = 0;       // index after the line's text
    int width = 0;
    int height = 0;
    int ghHeight = 0;        // height of "gh" in the font at the line's start
    int subExtra = 0;
    int supExtra = 0;
    int imageOffset = 0;
    TLineAlign align = laLeft;
    int indent = 0;
    bool dropRest = false;   // the text after this line is not shown
    bool anchorTextHit = false;
    bool objectHit = false;
};

// Lays out (and with pmDraw draws) the text from `from`; a measuring pass stops
// where the line breaks, the other passes take the text up to `to` as measured.
TLineResult RenderHtmlLine(TRenderCall& call, TPassState& st, TPassMode mode, const QString& text, qsizetype from,
                           qsizetype to, const fw::TRect& lineRect, const TLineResult* measured);

// ---- helpers shared by the sources

// Value of an attribute written NAME="value"; empty when the quotes are missing.
QString TagAttr(const QString& tag, const QString& name);
// An attribute whose whole value is a whole number; `unquoted` also takes
// NAME=123. `found` tells whether there was one.
int TagNumber(const QString& tag, const QString& name, bool* found = nullptr, bool unquoted = false);
fw::TColor TagColor(const QString& value);
int ClampBox(int v);

// A picture the IMG tag refers to.
struct TPictureRef {
    enum Kind { None, ImageList, Shell, Picture } kind = None;
    int index = 0;
    bool large = false;
    QString shellName;
    THTMLPicture* picture = nullptr;
    int width = 0, height = 0;   // natural size
};

// Looks up an IMG source; `withLists` allows "IDX:", "SSYS:" and "LSYS:".
TPictureRef FindHtmlPicture(TRenderCall& call, const QString& upperSrc, const QString& originalSrc, bool withLists);
void DrawHtmlPicture(TRenderCall& call, const TPictureRef& ref, const fw::TRect& box, bool stretched);

// CONTROL tag: its box, line height and drawing.
struct TControlBox {
    QString type, id, value;
    int width = 0, height = 25;
    int boxWidth = 0, boxHeight = 0;
    int lineHeight = 23;
};
TControlBox MeasureHtmlControl(fw::TCanvas& canvas, const QString& tag, int ghHeight);
void DrawHtmlControl(TRenderCall& call, const TControlBox& box, int x, int bottom, bool hot);

} // namespace sghtml
