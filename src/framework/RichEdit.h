#pragma once
// A rich edit over QTextEdit that reads and writes its document as RTF of
// the subset TRichText knows (bold, italic, underline, strike-out, super- and
// subscript, colours, font sizes, paragraphs), one character per byte with
// the other characters as \uN escapes, and sets or reads the vertical offset
// of the selected characters. It also tells the size its text asks for
// whenever that changes, as a rich edit's resize request does.
#include "framework/Graphics.h"
#include "framework/RichText.h"

#include <QTextEdit>

#include <functional>

namespace fw {

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    // The vertical offsets of the selection's characters, in twips.
    static constexpr int kSuperscriptOffset = 40;
    static constexpr int kSubscriptOffset = -40;

    explicit TRichEdit(QWidget* parent = nullptr);
    ~TRichEdit() override;

    // Replaces the document by an RTF document or, for a text that is none,
    // by that plain text; an empty text clears it.
    void LoadRtf(const QString& rtf);
    void LoadDocument(const TRichText& doc);
    // The document as RTF.
    QString Rtf() const;
    TRichText Document() const;
    // The characters, paragraphs joined by CR LF.
    QString Text() const;

    // Vertical offset of the selected characters: 0, -40 (subscript) or +40
    // (superscript). The query answers for the selection's first character
    // (the character before the caret when nothing is selected).
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    int SelOffset() const;
    bool IsSelNormal() const { return SelOffset() == 0; }
    bool IsSelSubscript() const { return SelOffset() == kSubscriptOffset; }
    bool IsSelSuperscript() const { return SelOffset() == kSuperscriptOffset; }

    // The base font of the text that carries no size or style of its own.
    void SetBaseFont(const TFont& font);
    // Without a border the edit draws no frame and keeps no margin.
    void SetBorder(bool value);

    // The size the text asks for (the document's size plus the frame).
    TSize RequiredSize() const;
    // Told the required size whenever it changes.
    std::function<void(QObject* Sender, const TRect& Requested)> OnRequestResize;

private:
    void SetSelOffset(int offset);
    void RequestResize();

    TSize FLastRequest{-1, -1};
};

} // namespace fw
