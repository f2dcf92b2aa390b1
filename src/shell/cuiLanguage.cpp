#include "shell/cuiLanguage.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "shell/WindowBounds.h"

cuiLanguage::cuiLanguage(QWidget* owner, const std::string& caption, cmcGTex* store,
                         const std::string& sheetEntry, cuiImageList* images,
                         std::function<void(int)> onOk)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_owner(owner),
      m_onOk(std::move(onOk))
{
    setObjectName(QStringLiteral("LanguageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(plat::ToQt(caption));
    m_previous = g_Environ ? g_Environ->language : 0;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(panel);
    m_sheet = std::make_unique<cuiSheet>(panel, nullptr, 0, 0, store, sheetEntry, images);
    m_sheet->Show();
    if (cuiGrid* grid = m_sheet->Grid()) {
        grid->SetScrollBars(false);
        panelLayout->addWidget(grid);
    }
    panelLayout->activate();
    const int w = std::max(m_sheet->NeededWidth(), 160) + 2 * (8 + 2);
    const int h = m_sheet->NeededHeight() + 2 * (8 + 2);

    const std::string okCancel = "GI_AppInd_Button_OkCancel";
    m_ok = new QPushButton(plat::ToQt(store->GetLine(okCancel, 0)), this);
    m_cancel = new QPushButton(plat::ToQt(store->GetLine(okCancel, 1)), this);
    m_ok->setDefault(true);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(5, 0, 5, 5);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addSpacing(10 - buttons->spacing());
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &cuiLanguage::Ok);
    connect(m_cancel, &QPushButton::clicked, this, &cuiLanguage::Cancel);

    const int buttonRow = m_ok->sizeHint().height() + 10;
    const int width = std::max(w, m_ok->sizeHint().width() + m_cancel->sizeHint().width() + 25);
    setFixedSize(width, h + buttonRow);
    plat::Rect r{0, 0, width, h + buttonRow};
    if (owner) {
        const QRect o = owner->frameGeometry();
        r.left = o.x() + (o.width() - r.width) / 2;
        r.top = o.y() + (o.height() - r.height) / 2;
    }
    if (plat::IDesktop* d = plat::Get().desktop)
        r = KeepOnWorkArea(r, d->WorkArea());
    move(r.left, r.top);
    if (m_owner)
        m_owner->setEnabled(false);
    setEnabled(true);
    show();
}

cuiLanguage::~cuiLanguage()
{
    m_sheet.reset();
    if (m_owner) {
        m_owner->setEnabled(true);
        m_owner->setFocus();
    }
}

void cuiLanguage::Ok()
{
    const int previous = m_previous;
    const int now = g_Environ ? g_Environ->language : 0;
    auto onOk = m_onOk;
    close();
    if (now != previous && onOk)
        onOk(previous);
}

void cuiLanguage::Cancel()
{
    if (g_Environ)
        g_Environ->language = m_previous;
    close();
}

void cuiLanguage::keyPressEvent(QKeyEvent* event)
{
    // Escape is Cancel; only the title bar's close keeps the choice without applying it.
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
