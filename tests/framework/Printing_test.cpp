#include "framework/Printing.h"

#include "support/TestSupport.h"

#include <QPainter>
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

TEST(Printing, PreviewCanBeReplaced)
{
    QTemporaryDir dir;
    int pagesPainted = 0;
    const PrintPreviewHandler previous = SetPrintPreviewHandler([&](TPrinter& p, const PrintPaint& paint) {
        p.SetOutputFile(dir.filePath(QStringLiteral("preview.pdf")));
        if (!p.BeginDoc())
            return false;
        paint(p);
        p.EndDoc();
        return true;
    });
    TPrinter printer;
    EXPECT_TRUE(PrintPreview(printer, [&](TPrinter& p) { pagesPainted = p.PageNumber(); }));
    EXPECT_EQ(pagesPainted, 1);
    SetPrintPreviewHandler(previous);
}

} // namespace
