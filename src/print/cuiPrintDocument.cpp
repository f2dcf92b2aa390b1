#include "print/cuiPrintDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>

cuiPrintDocument::cuiPrintDocument(QPrinter& printer) : m_printer(printer) {}

cuiPrintDocument::~cuiPrintDocument()
{
    Discard();
}

bool cuiPrintDocument::IsPdf() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat;
}

QString cuiPrintDocument::TargetName() const
{
    if (IsPdf())
        return m_target.isEmpty() ? m_printer.outputFileName() : m_target;
    return m_printer.printerName();
}

bool cuiPrintDocument::StartPage()
{
    if (m_failed)
        return false;
    if (m_started) {
        if (!m_printer.newPage()) {
            Discard();
            m_failed = true;
            return false;
        }
        ++m_pages;
        return true;
    }
    if (IsPdf()) {
        m_target = m_printer.outputFileName();
        const QFileInfo info(m_target);
        if (m_target.isEmpty() || info.isDir()) {
            m_failed = true;
            return false;
        }
        QTemporaryFile temp(info.absoluteDir().filePath(QStringLiteral(".") + info.fileName() +
                                                        QStringLiteral(".XXXXXX.pdf")));
        temp.setAutoRemove(false);
        if (!temp.open()) {
            m_failed = true;
            return false;
        }
        m_temp = temp.fileName();
        temp.close();
        m_printer.setOutputFileName(m_temp);
    }
    if (!m_painter.begin(&m_printer)) {
        if (!m_temp.isEmpty()) {
            QFile::remove(m_temp);
            m_printer.setOutputFileName(m_target);
            m_temp.clear();
        }
        m_failed = true;
        return false;
    }
    m_started = true;
    m_pages = 1;
    return true;
}

bool cuiPrintDocument::End()
{
    if (!m_started)
        return !m_failed;
    m_started = false;
    bool ok = m_painter.end();
    if (!m_temp.isEmpty()) {
        m_printer.setOutputFileName(m_target);
        // rename() replaces the target in one step; a failure leaves it as it was.
        if (ok)
            ok = std::rename(QFile::encodeName(m_temp).constData(),
                             QFile::encodeName(m_target).constData()) == 0;
        if (!ok)
            QFile::remove(m_temp);
        m_temp.clear();
    }
    m_failed = !ok;
    return ok;
}

void cuiPrintDocument::Discard()
{
    if (m_started) {
        m_started = false;
        // A printer job that began cannot be taken back; ending it is all there is. For a
        // PDF the temporary file goes.
        if (m_printer.outputFormat() != QPrinter::PdfFormat || !m_temp.isEmpty())
            m_printer.abort();
        m_painter.end();
    }
    if (!m_temp.isEmpty()) {
        QFile::remove(m_temp);
        m_printer.setOutputFileName(m_target);
        m_temp.clear();
    }
}
