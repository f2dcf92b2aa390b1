#pragma once
#include <QString>

#include "print/cuiPrintSetup.h"

// The toolkit's print dialog. With no system printer installed (the usual case on a fresh
// machine) it opens with PDF output chosen, into a file in the documents folder.
class cuiPrintDialog : public cuiPrintSetup {
public:
    bool Setup(QPrinter& printer, QWidget* owner) override;
    // The PDF file offered when no printer is installed.
    static QString DefaultPdfFile();
    // True when the system has at least one printer.
    static bool HasSystemPrinter();
};
