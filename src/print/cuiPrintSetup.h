#pragma once

class QPrinter;
class QWidget;

// The printer set-up dialog: printer, paper, orientation, copies, PDF file. The program
// shows the toolkit's print dialog; tests script the answers.
class cuiPrintSetup {
public:
    virtual ~cuiPrintSetup() = default;
    // False when the user cancelled; the printer holds the choices otherwise.
    virtual bool Setup(QPrinter& printer, QWidget* owner) = 0;
};
