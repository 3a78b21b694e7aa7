// Pictures and embedded controls of the HTML text engine.
#include "grid/foundation/FxXPVS.h"
#include "grid/foundation/PictureContainer.h"
#include "grid/foundation/SgHTMLE_p.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace sghtml {

TPictureRef FindHtmlPicture(TRenderCall& call, const QString& upperSrc, const QString& originalSrc, bool withLists)
{
    TPictureRef ref;
    if (upperSrc.isEmpty())
        return ref;
    if (withLists && upperSrc.startsWith(QLatin1StringView("IDX:"))) {
        bool ok = false;
        const int index = upperSrc.mid(4).trimmed().toInt(&ok);
        if (ok && call.images && index >= 0 && index < call.images->Count()) {
            ref.kind = TPictureRef::ImageList;
            ref.index = index;
            ref.width = call.images->Width();
            ref.height = call.images->Height();
        }
        return ref;
    }
    if (withLists && (upperSrc.startsWith(QLatin1StringView("SSYS:")) || upperSrc.startsWith(QLatin1StringView("LSYS:")))) {
        ref.kind = TPictureRef::Shell;
        ref.large = upperSrc.startsWith(u'L');
        // File names keep their case: the file system here tells them apart.
        ref.shellName = originalSrc.size() == upperSrc.size() ? originalSrc.mid(5) : upperSrc.mid(5);
        ref.width = ref.height = DrawSystemIcon(call.canvas, 0, 0, call.scale, call.print, false, ref.large,
                                                ref.shellName);
        return ref;
    }
    THTMLPicture* picture = nullptr;
    if (upperSrc.contains(QLatin1StringView("://"))) {
        if (!call.cache)
            return ref;
        picture = call.cache->FindPicture(upperSrc);
        if (!picture) {
            // Found again by the upper-cased text; loaded from the text as written,
            // since file paths here are case-sensitive.
            picture = call.cache->AddPicture();
            picture->SetAsynchronous(false);
            picture->LoadFromURL(originalSrc.size() == upperSrc.size() ? originalSrc : upperSrc);
            picture->SetID(upperSrc);
        }
    } else if (!upperSrc.contains(u':')) {
        if (!call.container)
            return ref;
        picture = call.container->FindPicture(upperSrc);
    }
    if (!picture || picture->Empty())
        return ref;
    ref.kind = TPictureRef::Picture;
    ref.picture = picture;
    ref.width = picture->MaxWidth();
    ref.height = picture->MaxHeight();
    return ref;
}

void DrawHtmlPicture(TRenderCall& call, const TPictureRef& ref, const fw::TRect& box, bool stretched)
{
    fw::TCanvas& c = call.canvas;
    switch (ref.kind) {
    case TPictureRef::None:
        return;
    case TPictureRef::ImageList:
        if (call.print) {
            fw::TBitmap bmp;
            if (call.images->GetBitmap(ref.index, bmp)) {
                const fw::TRect r(box.Left, box.Top, box.Left + int(std::lround(box.Width() * call.scale)),
                                  box.Top + int(std::lround(box.Height() * call.scale)));
                StretchBitmapToRect(c, r, bmp);
            }
        } else {
            call.images->Draw(c, box.Left, box.Top, ref.index);
        }
        return;
    case TPictureRef::Shell:
        DrawSystemIcon(c, box.Left, box.Top, call.scale, call.print, true, ref.large, ref.shellName);
        return;
    case TPictureRef::Picture: {
        const QImage img = ref.picture->ToImage();
        if (img.isNull())
            return;
        const fw::TRect src(0, 0, img.width(), img.height());
        if (stretched) {
            c.DrawImage(box, img, src);
            return;
        }
        if (ref.picture->FrameCount() > 1) {
            const fw::TBrush saved = c.Brush();
            c.Brush().Color = call.brushAtEntry;
            c.Brush().Style = fw::bsSolid;
            c.FillRect(fw::Bounds(box.Left, box.Top, ref.picture->MaxWidth(), ref.picture->MaxHeight()));
            c.Brush() = saved;
        }
        c.DrawImage(fw::Bounds(box.Left + ref.picture->FrameLeft(), box.Top + ref.picture->FrameTop(), img.width(),
                               img.height()),
                    img, src);
        return;
    }
    }
}

TControlBox MeasureHtmlControl(fw::TCanvas& canvas, const QString& tag, int ghHeight)
{
    const THtmlControlAttrs a = ParseHtmlControlTag(tag);
    TControlBox box;
    box.type = a.Type;
    box.id = a.ID;
    box.value = a.Value;
    bool ok = false;
    const int height = a.Height.trimmed().toInt(&ok);
    if (ok)
        box.height = ClampBox(height);
    const bool checkLike = box.type == u"CHECK" || box.type == u"RADIO";
    const int width = a.Width.trimmed().toInt(&ok);
    if (ok)
        box.width = ClampBox(width);
    else   // no width given: room for the value
        box.width = checkLike ? 16 : canvas.TextWidth(box.value) + (box.type == u"COMBO" ? 26 : 8);
    if (checkLike) {
        box.boxWidth = box.boxHeight = 16;
        box.lineHeight = 16;
    } else {
        box.boxWidth = box.width;
        box.boxHeight = (box.type == u"BUTTON" || box.type == u"COMBO") ? 25 : ghHeight + 10;
        box.lineHeight = 23;
    }
    if (box.height > 25)
        box.lineHeight = box.height - 2;
    return box;
}

namespace {

void drawThemed(TRenderCall& call, const char* themeClass, int part, int state, const fw::TRect& r)
{
    DrawThemePart(call.window, QString::fromLatin1(themeClass), call.canvas, part, state, r);
}

void drawValue(fw::TCanvas& c, const QString& value, fw::TRect r, unsigned align)
{
    c.SetBkMode(fw::bkTransparent);
    c.DrawText(value, r, align | fw::DT_VCENTER | fw::DT_SINGLELINE | fw::DT_NOPREFIX);
}

} // namespace

void DrawHtmlControl(TRenderCall& call, const TControlBox& box, int x, int bottom, bool hot)
{
    fw::TCanvas& c = call.canvas;
    const fw::TPen savedPen = c.Pen();
    const fw::TBrush savedBrush = c.Brush();
    c.Pen().Color = call.themed ? 0xB99D7F : 0x808080;
    c.Pen().Width = 1;
    c.Pen().Style = fw::psSolid;
    const int lh = box.lineHeight;
    const QString& t = box.type;
    const bool checked = box.value.compare(QLatin1StringView("TRUE"), Qt::CaseInsensitive) == 0;
    if (t == u"EDIT" || t == u"PASSWORD" || t == u"MASK" || t == u"COMBO") {
        c.Brush().Color = fw::clWhite;
        c.Brush().Style = fw::bsSolid;
        c.Rectangle(x, bottom - lh + 4, x + box.width, bottom + 2);
        if (t == u"COMBO") {
            drawValue(c, box.value, fw::TRect(x + 4, bottom - lh + 4, x + box.width - 18, bottom), fw::DT_LEFT);
            fw::TRect button(x + box.width - 18, bottom - lh + 5, x + box.width - 1, bottom + 1);
            if (call.themed)
                drawThemed(call, "combobox", xpvs::CP_DROPDOWNBUTTON, hot ? xpvs::CBXS_HOT : xpvs::CBXS_NORMAL,
                           button);
            else
                c.DrawFrameControl(button, fw::DFC_SCROLL, fw::DFCS_SCROLLCOMBOBOX);
        } else {
            const QString shown = t == u"PASSWORD" ? PasswordMask(box.value) : box.value;
            drawValue(c, shown, fw::TRect(x + 2, bottom - lh + 4, x + box.width, bottom), fw::DT_LEFT);
        }
    } else if (t == u"CHECK") {
        fw::TRect r(x + 2, bottom - 15, x + 15, bottom);
        if (call.themed)
            drawThemed(call, "button", xpvs::BP_CHECKBOX, checked ? 5 : 1, r);
        else
            c.DrawFrameControl(r, fw::DFC_BUTTON,
                               fw::DFCS_BUTTONCHECK | fw::DFCS_FLAT | (checked ? fw::DFCS_CHECKED : 0));
    } else if (t == u"RADIO") {
        fw::TRect r(x + 2, bottom - 14, x + 14, bottom);
        if (call.themed)
            drawThemed(call, "button", xpvs::BP_RADIOBUTTON, checked ? 5 : 1, r);
        else
            c.DrawFrameControl(r, fw::DFC_BUTTON,
                               fw::DFCS_BUTTONRADIO | fw::DFCS_FLAT | (checked ? fw::DFCS_CHECKED : 0));
    } else if (t == u"BUTTON") {
        fw::TRect r(x + 2, bottom - box.height, x + box.width - 2, bottom);
        if (call.themed) {
            const int state = hot && call.mouseDown ? xpvs::PBS_PRESSED : hot ? xpvs::PBS_HOT : xpvs::PBS_NORMAL;
            drawThemed(call, "button", xpvs::BP_PUSHBUTTON, state, r);
        } else {
            fw::TRect face = r;
            c.DrawFrameControl(face, fw::DFC_BUTTON,
                               fw::DFCS_BUTTONPUSH | (hot && call.mouseDown ? fw::DFCS_PUSHED : 0));
        }
        drawValue(c, box.value, fw::TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), fw::DT_CENTER);
    }
    c.Pen() = savedPen;
    c.Brush() = savedBrush;
}

} // namespace sghtml
