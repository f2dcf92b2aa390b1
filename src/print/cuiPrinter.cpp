#include "print/cuiPrinter.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <algorithm>

#include "cells/cmcCellObj.h"
#include "common/cmcTask.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/IMessageBoxes.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "print/cuiPreview.h"
#include "print/cuiPrintDialog.h"
#include "print/cuiPrintDocument.h"
#include "print/cuiPrintHost.h"
#include "print/cuiPrintProgress.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {

// Margins used when the overlay's line cannot be read.
constexpr double kDefaultMarginMm = 10.0;

std::string Replace(std::string text, const std::string& value)
{
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

}  // namespace

cuiPrinter::cuiPrinter(cuiPrintHost* host, cmcGTex* store, const QList<QIcon>& toolBarImages)
    : m_host(host),
      m_store(store),
      m_toolBarImages(toolBarImages),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_ownSetup(std::make_unique<cuiPrintDialog>())
{
    m_setup = m_ownSetup.get();
    // Coordinates start at the paper's corner: the margins are our own, and the preview's
    // bitmap is the whole sheet of paper.
    m_printer->setFullPage(true);
    m_task = new cmcTask;
    m_task->SetHandler(&cuiPrinter::OnTask, this);
}

cuiPrinter::~cuiPrinter()
{
    FinishJob();
    cmcTask::Dispose(m_task);
}

void cuiPrinter::SetSetup(cuiPrintSetup* setup)
{
    m_setup = setup ? setup : m_ownSetup.get();
}

int cuiPrinter::PrinterDpi() const
{
    return std::max(1, m_printer->logicalDpiY());
}

int cuiPrinter::SettingFontHeight(int dpi)
{
    const int points = g_Environ ? g_Environ->fontSizePrinter : 10;
    return -(points * dpi / 72);
}

int cuiPrinter::FramePoints() const
{
    const std::string line = m_store->GetLine("GI_Sys_Printer_FrameFont", 0);
    const int points = std::atoi(line.c_str());
    return points > 0 ? points : 9;
}

QString cuiPrinter::FrameFamily(cuiSheet& sheet) const
{
    // The frame is written in the sheet's title font.
    if (QWidget* panel = sheet.Panel())
        if (auto* title = panel->findChild<QLabel*>())
            return title->font().family();
    return QApplication::font().family();
}

bool cuiPrinter::ReadMargins(prt::Rect* margins)
{
    double mm[4];
    if (!prt::ParseMargins(m_store->GetLine("GI_Sys_Printer_Margins", 0), mm))
        std::fill(mm, mm + 4, kDefaultMarginMm);
    *margins = prt::MarginRect(mm, PrinterDpi(), m_printer->width(), m_printer->height());
    return margins->Width() > 0 && margins->Height() > 0;
}

void cuiPrinter::ShowError(const char* key)
{
    std::string target;
    plat::FromQt(cuiPrintDocument(*m_printer).TargetName(), target);
    if (m_doc)
        plat::FromQt(m_doc->TargetName(), target);
    if (plat::IMessageBoxes* boxes = plat::Get().boxes)
        boxes->Show(m_store->GetLine("GI_Sys_AppTitle", 0), Replace(m_store->GetLines(key), target),
                    plat::BoxIcon::Error, plat::BoxButtons::Ok);
}

void cuiPrinter::ReleaseOwner()
{
    m_progress.reset();
    if (m_owner) {
        m_owner->setEnabled(true);
        m_owner->activateWindow();
        m_owner->setFocus();
    }
}

void cuiPrinter::PrintSheets(bool all, cuiSheet* current)
{
    if (m_jobRunning)
        return;
    m_host->CommitEdits();
    m_outcome = Outcome::None;
    m_pagesPrinted = 0;
    m_docFailed = false;
    if (!current)
        return;
    // The printout uses the widths the user sees.
    current->SaveColumnWidths();
    const std::string currentName = current->GetDisplayName();
    const bool currentPrintable = current->IsPrintableCurrent();
    m_sheetList = all ? m_host->SheetReferences() : std::vector<std::string>{};

    m_owner = m_host->Owner();
    if (!m_setup->Setup(*m_printer, m_owner)) {
        m_outcome = Outcome::SetupCancelled;
        m_sheetList.clear();
        return;
    }
    if (m_owner)
        m_owner->setEnabled(false);
    m_progress = std::make_unique<cuiPrintProgress>(*m_store, m_owner, [this] { Cancel(); });
    m_cancel = false;

    prt::Rect margins;
    int count = 0;
    if (ReadMargins(&margins)) {
        if (!all)
            count = currentPrintable ? PrintReference(currentName, margins, true, false) : 0;
        else
            for (const std::string& ref : m_sheetList)
                count += PrintReference(ref, margins, true, false);
    }
    if (count <= 0) {
        // Nothing to show and nothing to print: no preview, no document, and the user is
        // told why.
        if (plat::IMessageBoxes* boxes = plat::Get().boxes)
            boxes->Show(m_store->GetLine("GI_Sys_AppTitle", 0),
                        m_store->GetLines("GI_Sys_Printer_NoPages"), plat::BoxIcon::Information,
                        plat::BoxButtons::Ok);
        m_outcome = Outcome::NothingToPrint;
        m_sheetList.clear();
        ReleaseOwner();
        return;
    }

    bool go = false;
    {
        cuiPreview preview(this, plat::ToQt(m_store->GetLine("GI_Sys_AppTitle", 0)),
                           m_toolBarImages);
        m_preview = &preview;
        preview.Prepare(count);
        if (!all)
            PrintReference(currentName, margins, false, true);
        else
            for (const std::string& ref : m_sheetList)
                PrintReference(ref, margins, false, true);
        if (preview.PageCount() > 0)
            go = runPreview ? runPreview(preview) : preview.Run();
        m_preview = nullptr;
    }
    if (!go) {
        m_outcome = Outcome::PreviewCancelled;
        m_sheetList.clear();
        ReleaseOwner();
        return;
    }

    m_margins = margins;
    m_doc = std::make_unique<cuiPrintDocument>(*m_printer);
    m_progress->show();
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!all) {
        // A cancel or a failure already left the document unbegun or discarded.
        if (current->IsPrintable())
            PrintReference(currentName, m_margins, false, false);
        EndJob();
        return;
    }
    m_jobPosition = 0;
    m_jobRunning = true;
    m_task->SetInterval(kJobIntervalMs);
}

void cuiPrinter::OnTask(void* context, cmcTask*)
{
    static_cast<cuiPrinter*>(context)->JobTick();
}

void cuiPrinter::JobTick()
{
    if (!m_jobRunning)
        return;
    const int n = static_cast<int>(m_sheetList.size());
    // A cancelled or failed job prints nothing more; it ends at once.
    if (m_jobPosition < n && !m_cancel && !m_docFailed)
        PrintReference(m_sheetList[static_cast<size_t>(m_jobPosition)], m_margins, false, false);
    ++m_jobPosition;
    if (m_jobPosition >= n || m_cancel || m_docFailed)
        EndJob();
}

void cuiPrinter::EndJob()
{
    m_task->SetInterval(-1);
    m_jobRunning = false;
    if (m_doc) {
        if (m_docFailed) {
            m_doc->Discard();
            m_outcome = Outcome::Failed;
        } else if (!m_doc->Started()) {
            // Nothing was drawn: no blank sheet, no file.
            m_outcome = m_cancel ? Outcome::Cancelled : Outcome::NothingToPrint;
        } else if (!m_doc->End()) {
            ShowError("GI_Sys_Printer_Failed");
            m_outcome = Outcome::Failed;
        } else {
            m_outcome = m_cancel ? Outcome::Cancelled : Outcome::Printed;
        }
        m_doc.reset();
    }
    m_sheetList.clear();
    ReleaseOwner();
}

void cuiPrinter::FinishJob()
{
    if (!m_jobRunning)
        return;
    m_cancel = true;
    EndJob();
}

cuiPrinter::BuiltSheet cuiPrinter::BuildSheet(const std::string& reference, QImage* bitmap,
                                              int fontHeight)
{
    BuiltSheet b;
    b.host = std::make_unique<QWidget>();
    b.host->setAttribute(Qt::WA_DontShowOnScreen);
    b.host->resize(800, 600);
    b.sheet = m_host->CreatePrintSheet(b.host.get(), reference);
    if (!b.sheet)
        return b;
    if (bitmap) {
        b.sheet->SetPreview(true);
        b.sheet->SetPreviewTarget(m_printer.get(), bitmap);
    } else {
        b.sheet->SetPrinter(m_printer.get());
    }
    b.sheet->SetFontSize(fontHeight);
    b.sheet->Show();
    return b;
}

int cuiPrinter::PrintReference(const std::string& reference, const prt::Rect& margins,
                               bool countOnly, bool toPreview)
{
    const bool print = !countOnly && !toPreview;
    if (print && (!m_doc || m_cancel || m_docFailed))
        return 0;
    int height = SettingFontHeight(PrinterDpi());
    BuiltSheet b = BuildSheet(reference, nullptr, height);
    if (!b.sheet)
        return 0;
    const prt::Rect content = DrawPageFrame(nullptr, *b.sheet, margins, false);

    // The page split, once per sheet.
    cuiGrid* grid = b.sheet->Grid();
    const int cols = b.sheet->ColCount();
    const int rows = b.sheet->RowCount();
    const int fixedCols = grid->FixedCols();
    const int fixedRows = grid->FixedRows();
    std::vector<int> widths(static_cast<size_t>(cols));
    std::vector<int> heights(static_cast<size_t>(rows));
    std::vector<bool> mayBegin(static_cast<size_t>(cols), true);
    for (int c = 0; c < cols; ++c) {
        widths[static_cast<size_t>(c)] = grid->ColWidth(c);
        for (int r = 0; r < fixedRows; ++r)
            if (b.sheet->CellAt(c, r).layout & cmcCellObj::kLayoutJoinLeft)
                mayBegin[static_cast<size_t>(c)] = false;
    }
    for (int r = 0; r < rows; ++r)
        heights[static_cast<size_t>(r)] = grid->RowHeight(r);
    const std::vector<int> colGroups =
        prt::SplitColumns(widths, fixedCols, mayBegin, content.Width());
    const std::vector<int> rowGroups = prt::SplitRows(heights, fixedRows, content.Height());

    int pages = 0;
    int r = fixedRows;
    for (int nr : rowGroups) {
        int c = fixedCols;
        for (int nc : colGroups) {
            prt::Rect extent;
            for (int step = 0;; ++step) {
                if (!b.sheet->IsPrintable() || m_cancel)
                    return pages;
                extent = DrawPageCells(nullptr, *b.sheet, content, c, r, nc, nr);
                if (prt::Fits(extent, content) || step == prt::kMaxShrinkSteps)
                    break;
                height = prt::ShrunkFontHeight(height, prt::ShrinkFactor(extent, content));
                b = BuildSheet(reference, nullptr, height);
                if (!b.sheet)
                    return pages;
            }
            if (print) {
                const bool first = !m_doc->Started();
                if (!m_doc->StartPage()) {
                    m_docFailed = true;
                    ShowError(first ? "GI_Sys_Printer_CannotBegin" : "GI_Sys_Printer_Failed");
                    return pages;
                }
                QPainter& p = m_doc->Painter();
                const prt::Rect area = DrawPageFrame(&p, *b.sheet, margins, false);
                DrawPageCells(&p, *b.sheet, area, c, r, nc, nr);
                ++m_pagesPrinted;
            } else if (toPreview && m_preview) {
                m_preview->AddPage(reference, margins, c, r, nc, nr, extent, height);
            }
            ++pages;
            c += nc;
        }
        r += nr;
    }
    return pages;
}

prt::Rect cuiPrinter::DrawPageFrame(QPainter* painter, cuiSheet& sheet, const prt::Rect& margins,
                                    bool toBitmap, int bitmapDpi)
{
    const int dpi = PrinterDpi();
    const int a = prt::FrameTextHeight(FramePoints(), dpi);
    prt::Frame f = prt::PageFrame(margins, a);
    prt::Rect m = margins;
    int textHeight = a;
    if (toBitmap) {
        auto scale = [&](const prt::Rect& r) { return prt::ToBitmap(r, bitmapDpi, dpi); };
        m = scale(m);
        f.headerRule = scale(f.headerRule);
        f.footerRule = scale(f.footerRule);
        f.content = scale(f.content);
        f.headerTextTop = prt::ToBitmap(f.headerTextTop, bitmapDpi, dpi);
        f.footerTextTop = prt::ToBitmap(f.footerTextTop, bitmapDpi, dpi);
        textHeight = std::max(1, prt::ToBitmap(a, bitmapDpi, dpi));
    }
    if (painter) {
        painter->save();
        QFont font(FrameFamily(sheet));
        font.setPixelSize(std::max(1, textHeight));
        painter->setFont(font);
        painter->setPen(Qt::black);
        painter->setBrush(Qt::NoBrush);
        const int flags = Qt::AlignTop | Qt::TextSingleLine;
        const QRect header(m.left, f.headerTextTop, std::max(0, m.Width() - 1), 2 * textHeight);
        painter->drawText(header, flags | Qt::AlignLeft, plat::ToQt(sheet.GetPrintTitle()));
        painter->drawText(header, flags | Qt::AlignRight,
                          plat::ToQt(m_store->GetLine("GI_Sys_AppTitleRev", 0)));
        auto bar = [painter](const prt::Rect& r) {
            painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), Qt::black);
        };
        bar(f.headerRule);
        const QRect footer(m.left, f.footerTextTop, std::max(0, m.Width() - 1), 2 * textHeight);
        painter->drawText(footer, flags | Qt::AlignRight,
                          plat::ToQt(m_store->GetLine("GI_Sys_Maker", 0)));
        bar(f.footerRule);
        painter->restore();
    }
    return f.content;
}

prt::Rect cuiPrinter::DrawPageCells(QPainter* painter, cuiSheet& sheet, const prt::Rect& content,
                                    int firstCol, int firstRow, int colCount, int rowCount)
{
    cuiGrid* grid = sheet.Grid();
    std::vector<int> cols;
    std::vector<int> rows;
    for (int c = 0; c < grid->FixedCols(); ++c)
        cols.push_back(c);
    for (int c = firstCol; c < firstCol + colCount && c < sheet.ColCount(); ++c)
        cols.push_back(c);
    for (int r = 0; r < grid->FixedRows(); ++r)
        rows.push_back(r);
    for (int r = firstRow; r < firstRow + rowCount && r < sheet.RowCount(); ++r)
        rows.push_back(r);
    int y = content.top;
    int right = content.left;
    for (int r : rows) {
        const int h = grid->RowHeight(r);
        int x = content.left;
        for (int c : cols) {
            const int w = grid->ColWidth(c);
            if (painter)
                sheet.DrawCell(*painter, c, r, QRect(x, y, w, h));
            x += w;
        }
        right = x;
        y += h;
    }
    if (rows.empty())
        for (int c : cols)
            right += grid->ColWidth(c);
    return {content.left, content.top, right, y};
}
