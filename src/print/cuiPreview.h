#pragma once
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QList>
#include <string>
#include <vector>

#include "print/PrintGeometry.h"
#include "print/dst_Preview.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class cuiPrinter;

// The print preview: shows the pages of a print command before anything goes to the
// printer. Each page is drawn into a bitmap of the paper's size at screen resolution by
// building its sheet again and painting it as the printer would, its columns and rows
// stretched so that the page matches the extent measured on the printer. The user pages
// through, zooms, may change the printing font size (which paginates everything again),
// and prints or closes the window.
class cuiPreview : public QDialog {
    Q_OBJECT
public:
    cuiPreview(cuiPrinter* printer, const QString& caption, const QList<QIcon>& images);
    ~cuiPreview() override;

    // Room for pageCount pages; the bitmap takes the paper's size at screen resolution.
    void Prepare(int pageCount);
    // The next page; margins, extent and font height in printer pixels.
    void AddPage(const std::string& reference, const prt::Rect& margins, int firstCol, int firstRow,
                 int colCount, int rowCount, const prt::Rect& extent, int fontHeight);
    // Shows the window modally; true when the user chose to print.
    bool Run();

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int CurrentPage() const { return m_current; }
    const std::vector<dst_Preview>& Pages() const { return m_pages; }
    const QImage& Bitmap() const { return m_bitmap; }
    int BitmapDpi() const { return m_dpi; }
    bool Answer() const { return m_answer; }
    bool Zoomed() const { return m_zoomed; }

    // Draws page i into the bitmap and shows it (i is kept inside the pages).
    void ShowPage(int i);
    void SetZoom(bool on);
    // Counts and adds the pages of every sheet shown again, after a font size change.
    void Repaginate();
    // The "Setting" dialog; modal. It exists while it is open.
    void OpenSettings();
    QDialog* SettingsDialog() const { return m_settings; }
    QComboBox* SettingsList() const { return m_sizeList; }

    QLineEdit* PageField() const { return m_pageField; }
    QLabel* CountLabel() const { return m_countLabel; }
    QLabel* StatusPanel() const { return m_status1; }
    QToolButton* PrintButton() const { return m_print; }
    QToolButton* SettingButton() const { return m_setting; }
    QToolButton* TopButton() const { return m_top; }
    QToolButton* PreviousButton() const { return m_prev; }
    QToolButton* NextButton() const { return m_next; }
    QToolButton* LastButton() const { return m_last; }
    QToolButton* ZoomButton() const { return m_zoom; }
    QScrollArea* ScrollBox() const { return m_scroll; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(QKeyEvent* e);
    void GoTo(int page);
    void GoToTyped();
    void UpdateControls();
    void FilterChildren();
    void PrintNow();

    cuiPrinter* m_printer;
    QImage m_bitmap;
    int m_dpi = 96;
    std::vector<dst_Preview> m_pages;
    prt::Rect m_printerMargins;
    bool m_answer = false;
    int m_current = 0;
    int m_lastIndex = 0;
    bool m_zoomed = false;

    QToolButton* m_print = nullptr;
    QToolButton* m_setting = nullptr;
    QToolButton* m_top = nullptr;
    QToolButton* m_prev = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QToolButton* m_zoom = nullptr;
    QLineEdit* m_pageField = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_status1 = nullptr;
    QLabel* m_status2 = nullptr;
    QScrollArea* m_scroll = nullptr;
    class PageView;
    PageView* m_view = nullptr;
    QDialog* m_settings = nullptr;
    QComboBox* m_sizeList = nullptr;
};
