#pragma once
// A small printing seam: a document of pages drawn with a QPainter, sent to
// the chosen printer, to a PDF file, or shown in a preview window.
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace fw {

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // A PDF file instead of a printer; empty for the printer again.
    void SetOutputFile(const QString& path);
    void SetPageSize(QPageSize::PageSizeId size);
    void SetOrientation(QPageLayout::Orientation orientation);
    void SetTitle(const QString& title);

    // BeginDoc opens the document and its first page; false when the
    // printer cannot start. Painter() is valid until EndDoc or Abort.
    bool BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const;
    int PageNumber() const;   // 1 for the first page, 0 when not printing
    QPainter* Painter();

    // The printable area in device pixels.
    int PageWidth() const;
    int PageHeight() const;

    QPrinter& Device();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Shows a preview of the pages that paint draws (it calls BeginDoc/EndDoc
// itself on the printer it is given); true when the user printed from it.
// Tests replace the preview window with SetPrintPreviewHandler.
using PrintPaint = std::function<void(TPrinter&)>;
bool PrintPreview(TPrinter& printer, const PrintPaint& paint);
using PrintPreviewHandler = std::function<bool(TPrinter&, const PrintPaint&)>;
// Installs a handler (empty restores the preview window); returns the previous one.
PrintPreviewHandler SetPrintPreviewHandler(PrintPreviewHandler handler);

} // namespace fw
