#include "framework/Printing.h"

#include "framework/Canvas.h"
#include "framework/SysUtils.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>

namespace fw {

struct TPrinter::Impl {
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<TCanvas> canvas;
    int page = 0;

    void close()
    {
        canvas.reset();   // gives the painter its state back before it ends
        painter->end();
        painter.reset();
        page = 0;
    }
};

TPrinter::TPrinter() : d(std::make_unique<Impl>()) {}

TPrinter::~TPrinter()
{
    if (Printing())
        Abort();
}

QStringList TPrinter::PrinterNames() { return QPrinterInfo::availablePrinterNames(); }
QString TPrinter::DefaultPrinterName() { return QPrinterInfo::defaultPrinterName(); }

void TPrinter::SetPrinterName(const QString& name)
{
    d->printer.setOutputFileName(QString());
    d->printer.setOutputFormat(QPrinter::NativeFormat);
    d->printer.setPrinterName(name);
}

QString TPrinter::PrinterName() const { return d->printer.printerName(); }

void TPrinter::SetOutputFile(const QString& path)
{
    d->printer.setOutputFormat(path.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    d->printer.setOutputFileName(path);
}

QString TPrinter::OutputFile() const { return d->printer.outputFileName(); }
void TPrinter::SetPageSize(QPageSize::PageSizeId size) { d->printer.setPageSize(QPageSize(size)); }
void TPrinter::SetOrientation(QPageLayout::Orientation orientation) { d->printer.setPageOrientation(orientation); }
QPageLayout::Orientation TPrinter::Orientation() const { return d->printer.pageLayout().orientation(); }
void TPrinter::SetTitle(const QString& title) { d->printer.setDocName(title); }
QString TPrinter::Title() const { return d->printer.docName(); }

bool TPrinter::BeginDoc()
{
    if (Printing())
        return false;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&d->printer))
        return false;
    d->painter = std::move(painter);
    d->canvas = std::make_unique<TCanvas>(d->painter.get());
    d->page = 1;
    return true;
}

void TPrinter::NewPage()
{
    if (!Printing() || !d->printer.newPage())
        return;
    ++d->page;
    // The preview's recording starts each new page with the clip of the
    // last one drawn, while the painter still says it has none: anything
    // drawn before the next clip change would vanish outside the old clip
    // (a page's header, drawn first, after a last cell's clipped text).
    // The painter's own clip is sent again to the new page.
    QPainter* p = d->painter.get();
    if (p->hasClipping()) {
        p->setClipRegion(p->clipRegion());
    } else {
        p->setClipRect(QRect(0, 0, d->printer.width(), d->printer.height()));
        p->setClipping(false);
    }
}

void TPrinter::EndDoc()
{
    if (Printing())
        d->close();
}

void TPrinter::Abort()
{
    if (!Printing())
        return;
    d->printer.abort();
    d->close();
    // A PDF writer still closes the file with the pages begun: an aborted
    // print leaves no file behind.
    if (d->printer.outputFormat() == QPrinter::PdfFormat && !d->printer.outputFileName().isEmpty())
        QFile::remove(d->printer.outputFileName());
}

bool TPrinter::Printing() const { return d->painter != nullptr; }
int TPrinter::PageNumber() const { return d->page; }
QPainter* TPrinter::Painter() { return d->painter.get(); }

TCanvas& TPrinter::Canvas()
{
    if (!d->canvas)
        throw Exception(QStringLiteral("Printer is not printing"));
    return *d->canvas;
}

int TPrinter::PageWidth() const { return d->printer.pageLayout().paintRectPixels(d->printer.resolution()).width(); }
int TPrinter::PageHeight() const { return d->printer.pageLayout().paintRectPixels(d->printer.resolution()).height(); }
int TPrinter::PixelsPerInchX() const { return d->printer.logicalDpiX(); }
int TPrinter::PixelsPerInchY() const { return d->printer.logicalDpiY(); }
int TPrinter::LandscapeRotation() const { return 270; }

QPrinter& TPrinter::Device() { return d->printer; }

TPrinter& Printer()
{
    // Never destroyed: the print system may be gone by the time statics end.
    static TPrinter* printer = new TPrinter;
    return *printer;
}

namespace {

PrintPreviewHandler& previewHandler()
{
    static PrintPreviewHandler handler;
    return handler;
}

} // namespace

PrintPreviewHandler SetPrintPreviewHandler(PrintPreviewHandler handler)
{
    PrintPreviewHandler previous = std::move(previewHandler());
    previewHandler() = std::move(handler);
    return previous;
}

bool PrintPreview(TPrinter& printer, const PrintPaint& paint)
{
    if (previewHandler())
        return previewHandler()(printer, paint);
    QPrintPreviewDialog dialog(&printer.Device(), QApplication::activeWindow());
    // The preview hands over the printer it was made with, its pages going
    // to the preview (or, from its print button, to the printer): the
    // document is printed through the same TPrinter calls either way.
    // An error must not unwind through Qt: the preview closes and the
    // caller gets it.
    std::exception_ptr error;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter*) {
        if (error)
            return;
        try {
            paint(printer);
        } catch (...) {
            error = std::current_exception();
            printer.EndDoc();
            QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    const bool printed = dialog.exec() == QDialog::Accepted;
    if (error)
        std::rethrow_exception(error);
    return printed;
}

} // namespace fw
