#include "framework/Printing.h"

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace fw {

struct TPrinter::Impl {
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<QPainter> painter;
    int page = 0;
};

TPrinter::TPrinter() : d(std::make_unique<Impl>()) {}

TPrinter::~TPrinter()
{
    if (Printing())
        Abort();
}

void TPrinter::SetOutputFile(const QString& path)
{
    d->printer.setOutputFormat(path.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    d->printer.setOutputFileName(path);
}

void TPrinter::SetPageSize(QPageSize::PageSizeId size) { d->printer.setPageSize(QPageSize(size)); }
void TPrinter::SetOrientation(QPageLayout::Orientation orientation) { d->printer.setPageOrientation(orientation); }
void TPrinter::SetTitle(const QString& title) { d->printer.setDocName(title); }

bool TPrinter::BeginDoc()
{
    if (Printing())
        return false;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&d->printer))
        return false;
    d->painter = std::move(painter);
    d->page = 1;
    return true;
}

void TPrinter::NewPage()
{
    if (Printing() && d->printer.newPage())
        ++d->page;
}

void TPrinter::EndDoc()
{
    if (!Printing())
        return;
    d->painter->end();
    d->painter.reset();
    d->page = 0;
}

void TPrinter::Abort()
{
    if (!Printing())
        return;
    d->printer.abort();
    d->painter->end();
    d->painter.reset();
    d->page = 0;
}

bool TPrinter::Printing() const { return d->painter != nullptr; }
int TPrinter::PageNumber() const { return d->page; }
QPainter* TPrinter::Painter() { return d->painter.get(); }

int TPrinter::PageWidth() const { return d->printer.pageLayout().paintRectPixels(d->printer.resolution()).width(); }
int TPrinter::PageHeight() const { return d->printer.pageLayout().paintRectPixels(d->printer.resolution()).height(); }

QPrinter& TPrinter::Device() { return d->printer; }

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
    // The preview hands over its own painting device each time; the pages
    // are drawn through the same TPrinter calls as when printing.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter*) {
        if (printer.BeginDoc()) {
            paint(printer);
            printer.EndDoc();
        }
    });
    return dialog.exec() == QDialog::Accepted;
}

} // namespace fw
