#include "print/cuiPrintDialog.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

bool cuiPrintDialog::HasSystemPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString cuiPrintDialog::DefaultPdfFile()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return QDir(dir).filePath(QStringLiteral("Quorvex.pdf"));
}

bool cuiPrintDialog::Setup(QPrinter& printer, QWidget* owner)
{
    if (!HasSystemPrinter() && printer.outputFileName().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(DefaultPdfFile());
    }
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}
