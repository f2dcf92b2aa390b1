#pragma once
#include <QIcon>
#include <QList>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/PrintGeometry.h"

class QImage;
class QPainter;
class QPaintDevice;
class QPrinter;
class QWidget;
class cmcGTex;
class cmcTask;
class cuiPreview;
class cuiPrintDocument;
class cuiPrintHost;
class cuiPrintProgress;
class cuiPrintSetup;
class cuiSheet;

// Prints sheets: the current sheet or every sheet of the navigation tree. A printed sheet
// is the sheet of the screen built again for the printer's resolution and painted by its
// own cell painting. A sheet too large for a page is split into column and row groups,
// the fixed rows and columns repeat on every page, every page has a frame, and a page whose
// cells still do not fit is printed with a smaller font. The pages are shown in the
// preview first; printing all sheets runs one sheet per 50 ms so the window and the
// progress dialog's button stay responsive.
class cuiPrinter {
public:
    static constexpr int kJobIntervalMs = 50;

    // How the last print command ended.
    enum class Outcome {
        None,
        NothingToPrint,
        SetupCancelled,
        PreviewCancelled,
        Cancelled,
        Printed,
        Failed
    };

    cuiPrinter(cuiPrintHost* host, cmcGTex* store, const QList<QIcon>& toolBarImages);
    // Ends a running job cleanly first.
    ~cuiPrinter();
    cuiPrinter(const cuiPrinter&) = delete;
    cuiPrinter& operator=(const cuiPrinter&) = delete;

    // The print commands: the current sheet, or every sheet of the tree (all).
    void PrintSheets(bool all, cuiSheet* current);

    // Prints (or counts, or adds to the preview) the pages of one sheet reference with the
    // margins in printer pixels; returns the number of pages.
    int PrintReference(const std::string& reference, const prt::Rect& margins, bool countOnly,
                       bool toPreview);
    // Draws (or only measures) the page frame; margins in printer pixels. On the preview
    // bitmap the frame is the printer's frame scaled to the bitmap, so the preview's rules
    // sit where the paper's do. Returns the content rectangle in the painter's pixels.
    prt::Rect DrawPageFrame(QPainter* painter, cuiSheet& sheet, const prt::Rect& margins,
                            bool toBitmap, int bitmapDpi = 0);
    // Lays the fixed rows and columns and the page's group out from content's top-left
    // corner and paints them unless painter is null; returns the extent.
    static prt::Rect DrawPageCells(QPainter* painter, cuiSheet& sheet, const prt::Rect& content,
                                   int firstCol, int firstRow, int colCount, int rowCount);

    // A sheet built for the printer (bitmap null) or for the preview bitmap, with a font
    // height (negative: character height). Deleting host frees the sheet.
    struct BuiltSheet {
        std::unique_ptr<QWidget> host;
        cuiSheet* sheet = nullptr;
    };
    BuiltSheet BuildSheet(const std::string& reference, QImage* bitmap, int fontHeight);
    // The sheet font height of the "FontSize Printer" setting at dpi.
    static int SettingFontHeight(int dpi);

    // A print-all job is being printed.
    bool JobRunning() const { return m_jobRunning; }
    // Ends a running print-all job now: the pages printed so far are the document. The
    // main window calls it before its close query.
    void FinishJob();
    // The progress dialog's button.
    void Cancel() { m_cancel = true; }
    bool Cancelled() const { return m_cancel; }

    QPrinter& Printer() { return *m_printer; }
    int PrinterDpi() const;
    cmcGTex* Store() const { return m_store; }
    cuiPrintHost* Host() const { return m_host; }
    const QList<QIcon>& ToolBarImages() const { return m_toolBarImages; }
    const prt::Rect& Margins() const { return m_margins; }
    cuiPreview* Preview() const { return m_preview; }
    cuiPrintProgress* Progress() const { return m_progress.get(); }
    const std::vector<std::string>& SheetList() const { return m_sheetList; }
    int JobPosition() const { return m_jobPosition; }
    Outcome LastOutcome() const { return m_outcome; }
    int PagesPrinted() const { return m_pagesPrinted; }

    // The printer set-up dialog (the toolkit's print dialog unless replaced).
    void SetSetup(cuiPrintSetup* setup);
    // Runs the preview modally and answers whether to print; tests replace it.
    std::function<bool(cuiPreview&)> runPreview;

private:
    static void OnTask(void* context, cmcTask* task);
    void JobTick();
    void EndJob();
    void ReleaseOwner();
    bool ReadMargins(prt::Rect* margins);
    void ShowError(const char* key);
    QString FrameFamily(cuiSheet& sheet) const;
    int FramePoints() const;

    cuiPrintHost* m_host;
    cmcGTex* m_store;
    QList<QIcon> m_toolBarImages;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<cuiPrintSetup> m_ownSetup;
    cuiPrintSetup* m_setup = nullptr;
    QPointer<QWidget> m_owner;
    bool m_cancel = false;
    bool m_jobRunning = false;
    prt::Rect m_margins;
    int m_jobPosition = 0;
    std::unique_ptr<cuiPrintProgress> m_progress;
    std::unique_ptr<cuiPrintDocument> m_doc;
    std::vector<std::string> m_sheetList;
    cmcTask* m_task = nullptr;
    cuiPreview* m_preview = nullptr;
    Outcome m_outcome = Outcome::None;
    int m_pagesPrinted = 0;
    bool m_docFailed = false;
};
