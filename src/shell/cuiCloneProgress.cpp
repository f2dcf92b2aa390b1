#include "shell/cuiCloneProgress.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kBarWidth = 256;
constexpr int kBarHeight = 14;
constexpr int kBevel = 1;
constexpr int kLeft = 16, kRight = 16, kTop = 8, kBottom = 24;

}  // namespace

// The paint box: 32 segments with a one-pixel gap after each.
class cuiCloneProgress::Bar : public QWidget {
public:
    explicit Bar(QWidget* parent) : QWidget(parent) {}
    int32_t done = 0;
    int32_t total = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QColor lit = palette().color(QPalette::Highlight);
        const QColor unlit = palette().color(QPalette::Base);
        const int w = (width() + 1) / 32;
        const int n = LitSegments(done, total);
        for (int i = 0; i < 32; ++i) {
            p.fillRect(QRect(w * i, 0, w - 1, height()), i < n ? lit : unlit);
            p.fillRect(QRect(w * i + w - 1, 0, 1, height()), unlit);
        }
    }
};

int cuiCloneProgress::LitSegments(int32_t done, int32_t total)
{
    return total > 0 ? static_cast<int>(int64_t{done} * 33 / total) : 0;
}

cuiCloneProgress::cuiCloneProgress(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_panel(new QFrame(this)),
      m_bar(new Bar(m_panel))
{
    setWindowTitle(QStringLiteral("Cloning"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(kBevel);
    m_panel->setGeometry(kLeft, kTop, kBarWidth + 2 * kBevel, kBarHeight + 2 * kBevel);
    m_bar->setGeometry(kBevel, kBevel, kBarWidth, kBarHeight);
    setFixedSize(kLeft + kBarWidth + 2 * kBevel + kRight, kTop + kBarHeight + 2 * kBevel + kBottom);

    // Centred over the main window, kept inside the screen's work area.
    QRect area = mainWindow ? mainWindow->frameGeometry() : QRect();
    QScreen* screen = mainWindow && mainWindow->screen() ? mainWindow->screen()
                                                         : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!area.isValid())
        area = work;
    QPoint at = area.center() - QPoint(width() / 2, height() / 2);
    at.setX(std::clamp(at.x(), work.left(), std::max(work.left(), work.right() - width())));
    at.setY(std::clamp(at.y(), work.top(), std::max(work.top(), work.bottom() - height())));
    move(at);
}

void cuiCloneProgress::SetProgress(int32_t done, int32_t total)
{
    m_bar->done = done;
    m_bar->total = total;
    m_bar->update();
}

void cuiCloneProgress::Finish()
{
    m_finishing = true;
    close();
    deleteLater();
}

void cuiCloneProgress::closeEvent(QCloseEvent* event)
{
    if (m_finishing)
        event->accept();
    else
        event->ignore();
}
