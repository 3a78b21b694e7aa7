#include "framework/RichEdit.h"

#include "framework/Guard.h"
#include "framework/SysColors.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace fw {

namespace {

QTextCharFormat FormatOf(const TRichRun& run)
{
    QTextCharFormat f;
    f.setFontWeight(run.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.Style.Contains(fsItalic));
    f.setFontUnderline(run.Style.Contains(fsUnderline));
    f.setFontStrikeOut(run.Style.Contains(fsStrikeOut));
    f.setVerticalAlignment(run.VOffset > 0   ? QTextCharFormat::AlignSuperScript
                           : run.VOffset < 0 ? QTextCharFormat::AlignSubScript
                                             : QTextCharFormat::AlignNormal);
    if (run.Color != clNone)
        f.setForeground(ToQColor(run.Color));
    if (run.HalfPoints > 0)
        f.setFontPointSize(run.HalfPoints / 2.0);
    return f;
}

TRichRun RunOf(const QTextCharFormat& f)
{
    TRichRun r;
    if (f.fontWeight() >= QFont::Bold)
        r.Style.Include(fsBold);
    if (f.fontItalic())
        r.Style.Include(fsItalic);
    if (f.fontUnderline())
        r.Style.Include(fsUnderline);
    if (f.fontStrikeOut())
        r.Style.Include(fsStrikeOut);
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        r.VOffset = 1;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        r.VOffset = -1;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        r.Color = FromQColor(f.foreground().color());
    if (f.hasProperty(QTextFormat::FontPointSize))
        r.HalfPoints = int(std::lround(f.fontPointSize() * 2));
    return r;
}

void Append(std::vector<TRichRun>& runs, TRichRun run)
{
    if (run.Text.isEmpty())
        return;
    if (!runs.empty()) {
        TRichRun& last = runs.back();
        if (last.Style == run.Style && last.VOffset == run.VOffset && last.Color == run.Color &&
            last.HalfPoints == run.HalfPoints) {
            last.Text += run.Text;
            return;
        }
    }
    runs.push_back(std::move(run));
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this](const QSizeF&) { fw::RunGuarded([this] { RequestResize(); }); });
}

TRichEdit::~TRichEdit() = default;

void TRichEdit::LoadRtf(const QString& rtf)
{
    if (rtf.isEmpty()) {
        clear();
        return;
    }
    LoadDocument(TRichText::FromRtf(rtf));
}

void TRichEdit::LoadDocument(const TRichText& doc)
{
    clear();
    QTextCursor c(document());
    c.beginEditBlock();
    bool first = true;
    for (const auto& paragraph : doc.Paragraphs()) {
        if (!first)
            c.insertBlock();
        first = false;
        // A paragraph's mark takes the plain format, so text typed after it does too.
        c.setCharFormat(FormatOf(TRichRun{}));
        for (const TRichRun& run : paragraph)
            c.insertText(run.Text, FormatOf(run));
    }
    c.endEditBlock();
    document()->setModified(false);
    QTextCursor start(document());
    setTextCursor(start);
}

TRichText TRichEdit::Document() const
{
    std::vector<std::vector<TRichRun>> paragraphs;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        paragraphs.emplace_back();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const TRichRun format = RunOf(frag.charFormat());
            // A line break inside a paragraph starts a new one, as \line does when read.
            const QStringList lines = frag.text().split(QChar::LineSeparator);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    paragraphs.emplace_back();
                TRichRun run = format;
                run.Text = lines[i];
                Append(paragraphs.back(), std::move(run));
            }
        }
    }
    return TRichText::FromParagraphs(std::move(paragraphs));
}

QString TRichEdit::Rtf() const
{
    return Document().ToRtf();
}

QString TRichEdit::Text() const
{
    return Document().PlainText();
}

void TRichEdit::SetSelOffset(int offset)
{
    QTextCharFormat f;
    f.setVerticalAlignment(offset > 0   ? QTextCharFormat::AlignSuperScript
                           : offset < 0 ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignNormal);
    mergeCurrentCharFormat(f);
}

void TRichEdit::SelNormal() { SetSelOffset(0); }
void TRichEdit::SelSubscript() { SetSelOffset(kSubscriptOffset); }
void TRichEdit::SelSuperscript() { SetSelOffset(kSuperscriptOffset); }

int TRichEdit::SelOffset() const
{
    const QTextCursor cur = textCursor();
    QTextCharFormat f = cur.charFormat();
    if (cur.hasSelection()) {
        QTextCursor first(document());
        first.setPosition(cur.selectionStart());
        first.setPosition(cur.selectionStart() + 1, QTextCursor::KeepAnchor);
        f = first.charFormat();
    }
    switch (f.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: return kSuperscriptOffset;
    case QTextCharFormat::AlignSubScript: return kSubscriptOffset;
    default: return 0;
    }
}

void TRichEdit::SetBaseFont(const TFont& font)
{
    document()->setDefaultFont(font.ToQFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ToQColor(font.Color));
    setPalette(pal);
}

void TRichEdit::SetBorder(bool value)
{
    setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
    if (!value) {
        document()->setDocumentMargin(0);
        setViewportMargins(0, 0, 0, 0);
    }
}

TSize TRichEdit::RequiredSize() const
{
    const QSizeF doc = document()->size();
    const int frame = 2 * frameWidth();
    return TSize(int(std::ceil(doc.width())) + frame, int(std::ceil(doc.height())) + frame);
}

void TRichEdit::RequestResize()
{
    const TSize s = RequiredSize();
    if (s.cx == FLastRequest.cx && s.cy == FLastRequest.cy)
        return;
    FLastRequest = s;
    if (OnRequestResize)
        OnRequestResize(this, TRect(0, 0, s.cx, s.cy));
}

} // namespace fw
