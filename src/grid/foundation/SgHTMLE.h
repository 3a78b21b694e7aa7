#pragma once
// The grid's HTML-like text engine: lays out, draws, measures or hit-tests a
// text of the cell/hint dialect (fonts and colours by tag, wrapping, alignment,
// lists, anchors with hover and focus, pictures, embedded CONTROL tags).
#include "framework/Types.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QString>

class QWidget;
class THTMLPictureCache;
class TPictureContainer;
namespace fw {
class TCanvas;
class TImageList;
}

// Every line is laid out twice: measured, then drawn (or hit-tested with
// `checkOnly`); `measureOnly` skips the second pass and counts every line.
// Outputs that describe the hit (anchor, hoverRect) are only written on a hit.
// True when the mouse is over a picture inside an anchor or over a CONTROL, or,
// with `checkOnly`, over anchor text.
bool RenderHtmlText(fw::TCanvas& canvas, const QString& text, const fw::TRect& rect,
                    const fw::TImageList* images, int mouseX, int mouseY, int focusLink, int hoverLink,
                    int shadowOffset, bool checkOnly, bool measureOnly, bool print, bool selected,
                    bool blinkOn, bool hoverStyling, bool wordWrap, bool mouseDown, double scaleFactor,
                    fw::TColor urlColor, fw::TColor hoverColor, fw::TColor hoverTextColor,
                    fw::TColor shadowColor, QString& anchor, QString& strippedText, QString& focusAnchor,
                    QString& anchorTitle, int& width, int& height, int& linkCount, int& mouseLink,
                    fw::TRect& hoverRect, fw::TRect& controlRect, QString& controlID,
                    QString& controlValue, QString& controlType, THTMLPictureCache* pictureCache,
                    TPictureContainer* pictureContainer, QWidget* window, TBiDiMode bidiMode);
