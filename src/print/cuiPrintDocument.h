#pragma once
#include <QPainter>
#include <QString>

class QPrinter;

// One printed document. It begins at the first page actually drawn, so a job that draws
// nothing sends no blank sheet and writes no file. A PDF is written to a temporary file
// beside its target and renamed into place only when the document ended well, so a failed
// job leaves an older file of that name untouched.
class cuiPrintDocument {
public:
    explicit cuiPrintDocument(QPrinter& printer);
    // Discards a document that was not ended.
    ~cuiPrintDocument();
    cuiPrintDocument(const cuiPrintDocument&) = delete;
    cuiPrintDocument& operator=(const cuiPrintDocument&) = delete;

    // Begins the document at its first page, later a new page. False when the document
    // cannot begin or the page cannot start; the document is then discarded.
    bool StartPage();
    QPainter& Painter() { return m_painter; }
    bool Started() const { return m_started; }
    int Pages() const { return m_pages; }
    // Ends a begun document and puts a PDF in place; false when that failed (the target is
    // then untouched). Nothing happens for a document that never began.
    bool End();
    // Drops a begun document: nothing is put in place.
    void Discard();
    // The printer's name or the PDF file, for messages.
    QString TargetName() const;
    bool IsPdf() const;

private:
    QPrinter& m_printer;
    QPainter m_painter;
    QString m_target;  // the PDF file asked for
    QString m_temp;    // the file being written beside it
    bool m_started = false;
    bool m_failed = false;
    int m_pages = 0;
};
