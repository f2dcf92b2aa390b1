#include "print/cuiPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "print/cuiPrinter.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

// The page image: fitted into the scroll box, centred and proportional, or at its own
// size when zoomed.
class cuiPreview::PageView : public QWidget {
public:
    explicit PageView(const QImage* image) : m_image(image) {}
    bool zoomed = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (m_image->isNull())
            return;
        if (zoomed) {
            p.drawImage(0, 0, *m_image);
            return;
        }
        QSize s = m_image->size();
        s.scale(size(), Qt::KeepAspectRatio);
        const QRect target((width() - s.width()) / 2, (height() - s.height()) / 2, s.width(),
                           s.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, *m_image);
    }

private:
    const QImage* m_image;
};

namespace {

QIcon ImageAt(const QList<QIcon>& images, int i)
{
    return i >= 0 && i < images.size() ? images[i] : QIcon();
}

int ScreenDpi()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? std::max(1, static_cast<int>(s->logicalDotsPerInchY())) : 96;
}

QRect WorkArea()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1280, 984);
}

}  // namespace

cuiPreview::cuiPreview(cuiPrinter* printer, const QString& caption, const QList<QIcon>& images)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_printer(printer)
{
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setFixedHeight(25);
    bar->setContentsMargins(4, 0, 0, 0);
    bar->setStyleSheet(QStringLiteral("QToolBar { border-top: 1px solid palette(mid); }"));
    auto button = [&](const QString& text, int image, const QString& hint) {
        auto* b = new QToolButton(bar);
        b->setAutoRaise(true);
        if (image >= 0) {
            b->setIcon(ImageAt(images, image));
            b->setToolTip(hint);
        } else {
            b->setText(text);
            b->setFixedWidth(70);
        }
        b->setFocusPolicy(image >= 0 ? Qt::NoFocus : Qt::TabFocus);
        bar->addWidget(b);
        return b;
    };
    m_print = button(QStringLiteral("&Print"), -1, {});
    bar->addSeparator();
    m_setting = button(QStringLiteral("&Setting"), -1, {});
    bar->addSeparator();
    m_top = button({}, 13, QStringLiteral("Top Page"));
    m_prev = button({}, 14, QStringLiteral("Previous Page"));
    m_pageField = new QLineEdit(QStringLiteral("1"), bar);
    m_pageField->setMaxLength(3);
    m_pageField->setFixedWidth(30);
    bar->addWidget(m_pageField);
    m_countLabel = new QLabel(QStringLiteral(" / 1"), bar);
    bar->addWidget(m_countLabel);
    m_next = button({}, 15, QStringLiteral("Next Page"));
    m_last = button({}, 16, QStringLiteral("Last Page"));
    bar->addSeparator();
    m_zoom = button({}, 17, QStringLiteral("Zoom"));
    m_zoom->setCheckable(true);
    outer->addWidget(bar);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea { background: rgb(85, 85, 85); }"));
    m_view = new PageView(&m_bitmap);
    m_view->setAutoFillBackground(false);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    auto* client = new QFrame(this);
    client->setFrameShape(QFrame::Box);
    client->setLineWidth(1);
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, QColor(85, 85, 85));
    client->setPalette(pal);
    m_scroll->viewport()->setPalette(pal);
    m_scroll->viewport()->setAutoFillBackground(true);
    auto* cl = new QVBoxLayout(client);
    cl->setContentsMargins(1, 1, 1, 1);
    cl->addWidget(m_scroll);
    outer->addWidget(client, 1);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_status1 = new QLabel(QStringLiteral(" 1 / 1"), status);
    m_status1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status1->setFixedWidth(80);
    m_status2 = new QLabel(status);
    m_status2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status->addWidget(m_status1);
    status->addWidget(m_status2, 1);
    outer->addWidget(status);

    connect(m_print, &QToolButton::clicked, this, [this] { PrintNow(); });
    connect(m_setting, &QToolButton::clicked, this, [this] { OpenSettings(); });
    connect(m_top, &QToolButton::clicked, this, [this] { GoTo(0); });
    connect(m_prev, &QToolButton::clicked, this, [this] { GoTo(m_current - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { GoTo(m_current + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { GoTo(m_lastIndex); });
    connect(m_zoom, &QToolButton::toggled, this, [this](bool on) { SetZoom(on); });

    // Tab order: page field, "&Print", "&Setting".
    setTabOrder(m_pageField, m_print);
    setTabOrder(m_print, m_setting);
    FilterChildren();
}

cuiPreview::~cuiPreview() = default;

void cuiPreview::FilterChildren()
{
    // Keys reach the window first, whatever control has the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void cuiPreview::Prepare(int pageCount)
{
    QPrinter& printer = m_printer->Printer();
    const int d = m_printer->PrinterDpi();
    m_dpi = ScreenDpi();
    m_printerMargins = {};
    m_pages.clear();
    m_pages.reserve(static_cast<size_t>(std::max(0, pageCount)));
    const int w = std::max(1, prt::ToBitmap(printer.width(), m_dpi, d));
    const int h = std::max(1, prt::ToBitmap(printer.height(), m_dpi, d));
    m_bitmap = QImage(w, h, QImage::Format_RGB32);
    const int dpm = static_cast<int>(m_dpi / 0.0254 + 0.5);
    m_bitmap.setDotsPerMeterX(dpm);
    m_bitmap.setDotsPerMeterY(dpm);
    m_bitmap.fill(Qt::white);
    const QRect area = WorkArea();
    resize(std::min(w + 50, area.width()), std::min(h + 25 + 25 + 50, area.height()));
}

void cuiPreview::AddPage(const std::string& reference, const prt::Rect& margins, int firstCol,
                         int firstRow, int colCount, int rowCount, const prt::Rect& extent,
                         int fontHeight)
{
    const int d = m_printer->PrinterDpi();
    dst_Preview p;
    p.reference = reference;
    p.margins = prt::ToBitmap(margins, m_dpi, d);
    p.extent = prt::ToBitmap(extent, m_dpi, d);
    p.firstCol = firstCol;
    p.firstRow = firstRow;
    p.colCount = colCount;
    p.rowCount = rowCount;
    p.fontHeight = fontHeight;
    m_pages.push_back(std::move(p));
    m_printerMargins = margins;
}

bool cuiPreview::Run()
{
    if (m_pages.empty())
        return false;
    m_lastIndex = PageCount() - 1;
    m_current = 0;
    ShowPage(0);
    const QRect area = WorkArea();
    move(area.left() + std::max(0, (area.width() - width()) / 2),
         area.top() + std::max(0, (area.height() - height()) / 2));
    m_pageField->setFocus();
    exec();
    return m_answer;
}

void cuiPreview::PrintNow()
{
    m_answer = true;
    accept();
}

void cuiPreview::ShowPage(int i)
{
    m_lastIndex = std::max(0, PageCount() - 1);
    m_current = std::clamp(i, 0, m_lastIndex);
    m_bitmap.fill(Qt::white);
    if (m_current < PageCount()) {
        const dst_Preview& rec = m_pages[static_cast<size_t>(m_current)];
        const int d = m_printer->PrinterDpi();
        // The page's own font, shrunk pages included, at the bitmap's resolution.
        const int mag = std::max(1, prt::ToBitmap(std::abs(rec.fontHeight), m_dpi, d));
        const int height = rec.fontHeight < 0 ? -mag : mag;
        cuiPrinter::BuiltSheet b = m_printer->BuildSheet(rec.reference, &m_bitmap, height);
        if (b.sheet) {
            QPainter p(&m_bitmap);
            const prt::Rect content =
                m_printer->DrawPageFrame(&p, *b.sheet, m_printerMargins, true, m_dpi);
            const prt::Rect measured = cuiPrinter::DrawPageCells(
                nullptr, *b.sheet, content, rec.firstCol, rec.firstRow, rec.colCount, rec.rowCount);
            cuiGrid* grid = b.sheet->Grid();
            std::vector<int> widths(static_cast<size_t>(b.sheet->ColCount()));
            std::vector<int> heights(static_cast<size_t>(b.sheet->RowCount()));
            for (size_t c = 0; c < widths.size(); ++c)
                widths[c] = grid->ColWidth(static_cast<int>(c));
            for (size_t r = 0; r < heights.size(); ++r)
                heights[r] = grid->RowHeight(static_cast<int>(r));
            prt::StretchColumns(widths, rec.firstCol, rec.colCount, measured.right,
                                rec.extent.right, rec.margins.right);
            prt::StretchRows(heights, rec.firstRow, rec.rowCount, measured.bottom,
                             rec.extent.bottom);
            for (int c = rec.firstCol; c < rec.firstCol + rec.colCount && c < b.sheet->ColCount();
                 ++c)
                if (grid->ColWidth(c) != widths[static_cast<size_t>(c)])
                    grid->SetColWidth(c, widths[static_cast<size_t>(c)]);
            for (int r = rec.firstRow; r < rec.firstRow + rec.rowCount && r < b.sheet->RowCount();
                 ++r)
                if (grid->RowHeight(r) != heights[static_cast<size_t>(r)])
                    grid->SetRowHeight(r, heights[static_cast<size_t>(r)]);
            cuiPrinter::DrawPageCells(&p, *b.sheet, content, rec.firstCol, rec.firstRow,
                                      rec.colCount, rec.rowCount);
            b.sheet->SetPreview(false);
        }
    }
    {
        QPainter p(&m_bitmap);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, m_bitmap.width() - 1, m_bitmap.height() - 1);
    }
    UpdateControls();
}

void cuiPreview::UpdateControls()
{
    const int total = PageCount();
    for (QToolButton* b : {m_top, m_prev, m_next, m_last})
        b->setEnabled(true);
    if (m_current <= 0) {
        m_top->setEnabled(false);
        m_prev->setEnabled(false);
    }
    if (m_current >= m_lastIndex) {
        m_next->setEnabled(false);
        m_last->setEnabled(false);
    }
    m_pageField->setText(QString::number(m_current + 1));
    m_pageField->setCursorPosition(m_pageField->text().size());
    m_countLabel->setText(QStringLiteral(" / %1").arg(total));
    m_status1->setText(QStringLiteral(" %1 / %2").arg(m_current + 1).arg(total));
    if (m_zoomed)
        m_view->resize(m_bitmap.size());
    m_view->update();
    update();
}

void cuiPreview::GoTo(int page)
{
    ShowPage(std::clamp(page, 0, m_lastIndex));
}

void cuiPreview::GoToTyped()
{
    const int n = m_pageField->text().trimmed().toInt();
    GoTo(n - 1);
}

void cuiPreview::SetZoom(bool on)
{
    m_zoomed = on;
    if (m_zoom->isChecked() != on)
        m_zoom->setChecked(on);
    m_view->zoomed = on;
    m_scroll->setWidgetResizable(!on);
    if (on)
        m_view->resize(m_bitmap.size());
    m_view->update();
}

void cuiPreview::Repaginate()
{
    std::vector<std::string> refs;
    for (const dst_Preview& p : m_pages)
        if (std::find(refs.begin(), refs.end(), p.reference) == refs.end())
            refs.push_back(p.reference);
    const prt::Rect margins = m_printerMargins;
    int total = 0;
    for (const std::string& r : refs)
        total += m_printer->PrintReference(r, margins, true, false);
    m_pages.clear();
    m_pages.reserve(static_cast<size_t>(total));
    for (const std::string& r : refs)
        m_printer->PrintReference(r, margins, false, true);
    m_printerMargins = margins;
    m_lastIndex = std::max(0, PageCount() - 1);
    m_current = 0;
}

void cuiPreview::OpenSettings()
{
    cmcGTex& store = *m_printer->Store();
    QDialog dialog(this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(QStringLiteral("Setting"));
    auto* label = new QLabel(QStringLiteral("Font Size: "), &dialog);
    auto* list = new QComboBox(&dialog);
    for (int i = 1; i <= 5; ++i)
        list->addItem(QString::number(i));
    const QFontMetrics fm(dialog.font());
    list->setFixedWidth(
        std::max(2 * fm.horizontalAdvance(QStringLiteral("WWW")), list->minimumSizeHint().width()));
    const int size = g_Environ ? g_Environ->fontSizePrinter : 10;
    list->setCurrentIndex(std::clamp(size - 8, 0, 4));
    const int lh = list->sizeHint().height();
    label->setGeometry(10, 10, fm.horizontalAdvance(label->text()), lh);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->move(10 + fm.horizontalAdvance(label->text()) + 10, 10);
    list->resize(list->width(), lh);
    auto* ok = new QPushButton(plat::ToQt(store.GetLine("GI_AppInd_Button_OkCancel", 0)), &dialog);
    auto* cancel =
        new QPushButton(plat::ToQt(store.GetLine("GI_AppInd_Button_OkCancel", 1)), &dialog);
    const int bw =
        fm.horizontalAdvance(plat::ToQt(store.GetLine("GI_AppInd_Opt_ComSel_SizeOfButtons", 0)));
    const int bh = 2 * fm.height();
    const int by = 10 + lh + 10;
    ok->setGeometry(10, by, bw, bh);
    cancel->setGeometry(10 + bw + 10, by, bw, bh);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    const int right =
        std::max(cancel->geometry().right() + 1 + 10, list->geometry().right() + 1 + 10);
    dialog.setFixedSize(right, by + bh + 10);
    // Centred over the preview, inside the work area.
    const QRect area = WorkArea();
    const QRect o = frameGeometry();
    int x = o.left() + (o.width() - dialog.width()) / 2;
    int y = o.top() + (o.height() - dialog.height()) / 2;
    x = std::max(area.left(), std::min(x, area.right() + 1 - dialog.width()));
    y = std::max(area.top(), std::min(y, area.bottom() + 1 - dialog.height()));
    dialog.move(x, y);
    m_settings = &dialog;
    m_sizeList = list;
    const int result = dialog.exec();
    const int item = list->currentIndex();
    m_settings = nullptr;
    m_sizeList = nullptr;
    if (result == QDialog::Accepted) {
        if (g_Environ)
            g_Environ->fontSizePrinter = item + 8;
        Repaginate();
        ShowPage(0);
    }
    m_pageField->setFocus();
}

bool cuiPreview::HandleKey(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if (key == Qt::Key_P && mods == Qt::ControlModifier) {
        PrintNow();
        return true;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key) {
        case Qt::Key_Escape:
            reject();
            return true;
        case Qt::Key_PageUp:
            GoTo(m_current - 1);
            return true;
        case Qt::Key_PageDown:
            GoTo(m_current + 1);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const bool down = key == Qt::Key_Down;
            if (m_zoomed) {
                QScrollBar* bar = m_scroll->verticalScrollBar();
                bar->setValue(bar->value() + (down ? 1 : -1) * bar->singleStep());
            } else {
                GoTo(m_current + (down ? 1 : -1));
            }
            return true;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (!m_zoomed)
                return false;
            {
                QScrollBar* bar = m_scroll->horizontalScrollBar();
                bar->setValue(bar->value() + (key == Qt::Key_Right ? 1 : -1) * bar->singleStep());
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            GoToTyped();
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
    }
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    const char16_t ch = text.at(0).unicode();
    if (ch < 32)
        return false;
    const bool passes = (ch >= u'0' && ch <= u'9') || ch == u'.' || (ch >= 33 && ch <= 40);
    return !passes;
}

bool cuiPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        // Keys of the settings dialog stay there.
        if (m_settings && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_settings)
            return false;
        return HandleKey(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::Wheel && !m_zoomed &&
        (watched == m_view || watched == m_scroll->viewport())) {
        // Fitted, the wheel turns the pages; zoomed, it scrolls the page.
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0)
            GoTo(m_current + (dy < 0 ? 1 : -1));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
