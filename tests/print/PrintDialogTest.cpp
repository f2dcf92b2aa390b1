#include <QApplication>
#include <QPrinter>
#include <QTimer>

#include "PrintFixture.h"
#include "print/cuiPrintDialog.h"

// On a machine without a printer the print dialog opens with PDF output into a file in the
// documents folder, instead of refusing to print.
TEST(PrintDialog, WithoutAPrinterOffersAPdfFile)
{
    PrintApp();
    if (cuiPrintDialog::HasSystemPrinter())
        GTEST_SKIP() << "this machine has a printer";
    QPrinter printer(QPrinter::HighResolution);
    cuiPrintDialog dialog;
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            shown = true;
            w->close();
        }
    });
    EXPECT_FALSE(dialog.Setup(printer, nullptr));  // closed: cancelled
    EXPECT_TRUE(shown);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), cuiPrintDialog::DefaultPdfFile());
    EXPECT_TRUE(printer.outputFileName().endsWith(QStringLiteral(".pdf")));
}
