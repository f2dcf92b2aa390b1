#include "print/cuiPrintProgress.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"

cuiPrintProgress::cuiPrintProgress(cmcGTex& store, QWidget* over, std::function<void()> onCancel)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      m_onCancel(std::move(onCancel))
{
    const std::string key = "GI_Sys_Printer_PrintingDialog";
    setWindowTitle(plat::ToQt(store.GetLine(key, 0)));
    m_label = new QLabel(plat::ToQt(store.GetLine(key, 1)), this);
    m_label->adjustSize();
    m_button = new QPushButton(plat::ToQt(store.GetLine(key, 2)), this);
    m_button->setDefault(true);
    const int lw = m_label->width();
    const int lh = m_label->height();
    const int bw = static_cast<int>(lw * 1.2);
    const int bh = m_button->sizeHint().height();
    m_button->resize(bw, bh);
    const int cw = 2 * lw;
    const int ch = 3 * lh + bh;
    setFixedSize(cw, ch);
    m_label->move((cw - lw) / 2, 2 * lh);
    m_button->move((cw - bw) / 2, ch - bh * 3 / 2);
    connect(m_button, &QPushButton::clicked, this, [this] { reject(); });
    // Centred over the owner, inside the work area.
    QRect area = QGuiApplication::primaryScreen()
                     ? QGuiApplication::primaryScreen()->availableGeometry()
                     : QRect(0, 0, 1280, 984);
    const QRect o = over ? over->frameGeometry() : area;
    int x = o.left() + (o.width() - cw) / 2;
    int y = o.top() + (o.height() - ch) / 2;
    x = std::max(area.left(), std::min(x, area.right() + 1 - cw));
    y = std::max(area.top(), std::min(y, area.bottom() + 1 - ch));
    move(x, y);
}

void cuiPrintProgress::reject()
{
    if (m_onCancel)
        m_onCancel();
}
