#include "framework/Printing.h"

#include "framework/Canvas.h"
#include "framework/SysUtils.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(Printing, PagesGoToAPdfFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    TPrinter printer;
    printer.SetOutputFile(path);
    printer.SetPageSize(QPageSize::A4);
    printer.SetOrientation(QPageLayout::Landscape);
    EXPECT_EQ(printer.PageNumber(), 0);
    ASSERT_TRUE(printer.BeginDoc());
    EXPECT_FALSE(printer.BeginDoc());   // one document at a time
    EXPECT_GT(printer.PageWidth(), printer.PageHeight());
    printer.Painter()->drawText(100, 100, QStringLiteral("page 1"));
    printer.NewPage();
    printer.Painter()->drawText(100, 100, QStringLiteral("page 2"));
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Painter(), nullptr);

    const QByteArray pdf = testsupport::readFile(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 2"));
}

TEST(Printing, MetricPagesComeOutUprightWhereTheyArePlaced)
{
    if (testsupport::pdftotextProgram().isEmpty() || testsupport::pdftoppmProgram().isEmpty())
        GTEST_SKIP() << "pdftotext / pdftoppm (poppler-utils) not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("metric.pdf"));
    TPrinter printer;
    printer.SetOutputFile(path);
    printer.SetPageSize(QPageSize::A4);
    printer.SetOrientation(QPageLayout::Portrait);
    const QRectF paper = printer.Device().pageLayout().paintRect(QPageLayout::Millimeter);
    ASSERT_TRUE(printer.BeginDoc());
    TCanvas& canvas = printer.Canvas();
    EXPECT_EQ(canvas.PixelsPerInchX(), printer.PixelsPerInchX());
    canvas.SetMapMode(mmLoMetric);
    // The printable area in 0.1 mm, y downward being negative.
    const TRect page = canvas.ClipRect();
    EXPECT_EQ(page.Left, 0);
    EXPECT_EQ(page.Top, 0);
    EXPECT_NEAR(page.Right, paper.width() * 10, 2);
    EXPECT_NEAR(page.Bottom, -paper.height() * 10, 2);

    canvas.Brush().Color = clBlack;
    canvas.FillRect(TRect(100, -200, 300, -250));   // 10..30 mm across, 20..25 mm down
    canvas.Brush().Style = bsClear;
    canvas.Font().Name = QStringLiteral("DejaVu Sans");
    canvas.Font().Color = clBlack;
    canvas.Font().SetHeight(-50);                   // 5 mm letters
    canvas.TextOut(100, -400, QStringLiteral("Upright text"));
    printer.NewPage();
    canvas.TextOut(100, -100, QStringLiteral("Second page"));
    printer.EndDoc();

    QString error;
    const QStringList pages = testsupport::pdfPageTexts(path, false, &error);
    ASSERT_EQ(pages.size(), 2) << error.toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Upright text"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Second page"))) << pages[1].toStdString();

    // At 254 dpi a pixel of the rendered page is 0.1 mm.
    const QImage image = testsupport::pdfPageImage(path, 1, 254, {}, &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    const int x0 = int(paper.left() * 10 + 0.5), y0 = int(paper.top() * 10 + 0.5);
    const QRect box = testsupport::pixelBox(image, testsupport::rgbIs(0x000000), QRect(x0, y0, 400, 300));
    EXPECT_NEAR(box.left(), x0 + 100, 2);
    EXPECT_NEAR(box.right() + 1, x0 + 300, 2);
    EXPECT_NEAR(box.top(), y0 + 200, 2);
    EXPECT_NEAR(box.bottom() + 1, y0 + 250, 2);
    // The letters hang below the point they were placed at, capitals on top.
    const QRect text = testsupport::pixelBox(image, [](QRgb c) { return qGray(c) < 128; },
                                             QRect(x0, y0 + 300, 1200, 300));
    EXPECT_GE(text.top(), y0 + 400);
    EXPECT_LE(text.bottom(), y0 + 460);
    EXPECT_GE(text.width(), 300);
}

TEST(Printing, PreviewCanBeReplaced)
{
    QTemporaryDir dir;
    int pagesPainted = 0;
    const PrintPreviewHandler previous = SetPrintPreviewHandler([&](TPrinter& p, const PrintPaint& paint) {
        p.SetOutputFile(dir.filePath(QStringLiteral("preview.pdf")));
        paint(p);
        return true;
    });
    TPrinter printer;
    EXPECT_TRUE(PrintPreview(printer, [&](TPrinter& p) {
        if (p.BeginDoc()) {
            pagesPainted = p.PageNumber();
            p.EndDoc();
        }
    }));
    EXPECT_EQ(pagesPainted, 1);
    SetPrintPreviewHandler(previous);
}

TEST(Printing, PreviewWindowShowsThePagesThePaintPrints)
{
    TPrinter printer;
    printer.SetPageSize(QPageSize::A5);
    int previewPages = -1;
    bool closed = false;
    // The preview window is modal: look at it from inside its loop, then close it.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* view = dialog->findChild<QPrintPreviewWidget*>())
            previewPages = view->pageCount();
        testsupport::keepShot(dialog, "print-preview-window");
        dialog->reject();
        closed = true;
    });
    QTimer::singleShot(5000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    const bool printed = PrintPreview(printer, [](TPrinter& p) {
        if (!p.BeginDoc())
            return;
        TCanvas& c = p.Canvas();
        c.SetMapMode(mmLoMetric);
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                p.NewPage();
            c.Font().SetHeight(-100);
            c.TextOut(200, -200, QStringLiteral("Page %1").arg(page));
        }
        p.EndDoc();
    });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(printed);
    EXPECT_EQ(previewPages, 3);
    EXPECT_FALSE(printer.Printing());
}

TEST(Printing, PreviewPagesShowWhatIsDrawnBeforeTheirFirstClip)
{
    // Page 1 ends with text clipped to a small box in its corner; page 2
    // starts with text drawn without a clip, far from that box. The preview
    // must show it (its recording of a new page once kept the old clip).
    TPrinter printer;
    printer.SetPageSize(QPageSize::A5);
    QPrintPreviewWidget view(&printer.Device());
    QObject::connect(&view, &QPrintPreviewWidget::paintRequested, [&](QPrinter*) {
        ASSERT_TRUE(printer.BeginDoc());
        TCanvas& c = printer.Canvas();
        c.SetMapMode(mmLoMetric);
        c.Font().SetHeight(-100);
        TRect corner(1000, -1600, 1200, -1700);
        c.DrawText(QStringLiteral("clipped corner text"), corner, DT_SINGLELINE);
        printer.NewPage();
        c.Brush().Style = bsSolid;
        c.Brush().Color = clBlack;
        c.FillRect(TRect(100, -100, 700, -700));
        printer.EndDoc();
    });
    view.resize(500, 700);
    view.show();
    view.fitInView();
    view.setCurrentPage(2);
    QApplication::processEvents();
    ASSERT_EQ(view.pageCount(), 2);
    const QImage shown = view.grab().toImage();
    // The black square covers a good part of the page's top left.
    EXPECT_GT(testsupport::countPixels(shown, [](QRgb p) { return qGray(p) < 30; }), 10000);
}

TEST(Printing, AnErrorWhileDrawingThePreviewReachesTheCaller)
{
    TPrinter printer;
    QTimer::singleShot(5000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    EXPECT_THROW(PrintPreview(printer,
                              [](TPrinter& p) {
                                  if (p.BeginDoc())
                                      throw Exception(QStringLiteral("broken page"));
                              }),
                 Exception);
    EXPECT_FALSE(printer.Printing());
}

} // namespace
