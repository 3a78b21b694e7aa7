#pragma once
// A small printing seam: a document of pages drawn with a QPainter or a
// TCanvas, sent to any printer Qt offers, to a PDF file, or shown in a
// preview window that draws the same pages.
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace fw {

class TCanvas;

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The printers Qt offers (none on a machine without a print system) and
    // the system's default among them (empty when there is none).
    static QStringList PrinterNames();
    static QString DefaultPrinterName();
    // Prints to that printer from now on instead of a file.
    void SetPrinterName(const QString& name);
    QString PrinterName() const;
    // A PDF file instead of a printer; empty for the printer again.
    void SetOutputFile(const QString& path);
    QString OutputFile() const;
    void SetPageSize(QPageSize::PageSizeId size);
    void SetOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation Orientation() const;
    // The job's title.
    void SetTitle(const QString& title);
    QString Title() const;

    // BeginDoc opens the document and its first page; false when the
    // printer cannot start. Painter() and Canvas() are valid until EndDoc or
    // Abort.
    bool BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const;
    int PageNumber() const;   // 1 for the first page, 0 when not printing
    QPainter* Painter();
    // The page canvas over Painter(), in mmText and device pixels at first.
    // Only while printing.
    TCanvas& Canvas();

    // The printable area in device pixels, and the device's resolution.
    int PageWidth() const;
    int PageHeight() const;
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    // How far landscape pages are turned, in degrees, as a printer driver
    // reports it (90 or 270). Qt turns landscape pages itself, the same way
    // for every printer: text drawn upright needs no correction, which is
    // what a driver reporting 270 means.
    int LandscapeRotation() const;

    QPrinter& Device();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The process's printer: grids print to it.
TPrinter& Printer();

// Shows a preview of the document that paint prints on the printer it is
// given; paint begins and ends the document itself (BeginDoc ... EndDoc)
// exactly as when printing, so the preview and the printout are the same
// pages. True when the user printed from it. Tests replace the preview
// window with SetPrintPreviewHandler.
using PrintPaint = std::function<void(TPrinter&)>;
bool PrintPreview(TPrinter& printer, const PrintPaint& paint);
using PrintPreviewHandler = std::function<bool(TPrinter&, const PrintPaint&)>;
// Installs a handler (empty restores the preview window); returns the previous one.
PrintPreviewHandler SetPrintPreviewHandler(PrintPreviewHandler handler);

} // namespace fw
