#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPageSize>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "print/cuiPrintHost.h"
#include "print/cuiPrintSetup.h"
#include "print/cuiPrinter.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"

QApplication& PrintApp();

// Poppler's view of a PDF: pdfinfo's page count (-1 when the file is not a PDF), the text of
// one page (from 1), one page rasterised at dpi.
int PdfPages(const QString& file);
std::string PdfText(const QString& file, int page);
QImage PdfRaster(const QString& file, int page, int dpi);

// The printer set-up dialog of the tests: PDF into a file, or cancelled.
struct ScriptedSetup : cuiPrintSetup {
    bool answer = true;
    QString file;
    QPageSize page{QPageSize::A4};
    int calls = 0;
    bool Setup(QPrinter& printer, QWidget* owner) override;
};

// The main window as printing sees it: test sheets from a small overlay, the tree's sheet
// references, and a list of references that show empty banks.
struct TestPrintHost : cuiPrintHost {
    QWidget* owner = nullptr;
    cmcGTex* store = nullptr;
    cuiImageList* images = nullptr;
    std::vector<std::string> references;
    std::set<std::string> emptyBanks;
    int commits = 0;
    QWidget* Owner() override { return owner; }
    cuiSheet* CreatePrintSheet(QWidget* host, const std::string& reference) override;
    std::vector<std::string> SheetReferences() override { return references; }
    void CommitEdits() override { ++commits; }
};

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The current sheet on the owner window, as the main window shows it.
    cuiSheet* OpenCurrent(const std::string& reference);
    // Lets the print-all job run to its end (50 ms per sheet).
    void RunJob(int maxTicks = 100);
    QString Pdf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    // Files in the test folder.
    QStringList Files() const;

    QTemporaryDir dir;
    cmcGTex store;
    std::unique_ptr<cmcEvMan> evman;
    std::unique_ptr<indEnviron> env;
    std::unique_ptr<cuiImageList> images;
    std::unique_ptr<QWidget> owner;
    TestPrintHost host;
    ScriptedSetup setup;
    std::unique_ptr<cuiPrinter> printer;
    std::unique_ptr<QWidget> pageHost;
    cuiSheet* current = nullptr;
    // What the preview showed: its pages rendered, in order.
    std::vector<QImage> previewImages;
    int previewRuns = 0;
    bool previewAnswer = true;
    bool renderPreview = true;
};
