#include "shell/cuiInformation.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

cuiInformation::cuiInformation(QWidget* owner, const std::string& caption, cmcGTex* store,
                               const std::string& entryName, cuiImageList* images)
    : QDialog(nullptr), m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(plat::ToQt(caption));
    setObjectName(QStringLiteral("Information"));

    // A raised outer and lowered inner bevel around the sheet, 8 pixels of border.
    m_panel = new QFrame(this);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    auto* outer = new QVBoxLayout(m_panel);
    outer->setContentsMargins(8, 8, 8, 8);
    auto* inner = new QFrame(m_panel);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(2);
    outer->addWidget(inner);
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(2, 2, 2, 2);
    auto* host = new QWidget(inner);
    innerLayout->addWidget(host);
    auto* hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);

    m_sheet = std::make_unique<cuiSheet>(host, nullptr, 0, 0, store, entryName, images);
    m_sheet->Show();
    if (m_sheet->Grid())
        m_sheet->Grid()->SetScrollBars(false);
    hostLayout->activate();
    m_sheet->LayoutNow();
    host->setFixedSize(m_sheet->NeededWidth(), m_sheet->NeededHeight());
    m_sheet->ScrollHome();

    m_ok = new QPushButton(plat::ToQt(store->GetLine("GI_AppInd_Button_OkCancel", 0)), this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setDefault(true);
    QObject::connect(m_ok, &QPushButton::clicked, this, &QDialog::close);

    const QSize panel = m_panel->sizeHint();
    m_panel->setGeometry(0, 0, panel.width(), panel.height());
    const QSize button = m_ok->sizeHint();
    const int width = std::max(panel.width(), button.width() + 10);
    const int height = panel.height() + button.height() + 10;
    m_ok->setGeometry(width - 5 - button.width(), height - 5 - button.height(), button.width(),
                      button.height());
    m_panel->setFixedWidth(width);
    setFixedSize(width, height);

    if (m_owner) {
        m_owner->setEnabled(false);
        const QRect o = m_owner->frameGeometry();
        QRect r(QPoint(0, 0), size());
        r.moveCenter(o.center());
        if (const QScreen* s = m_owner->screen()) {
            const QRect work = s->availableGeometry();
            r.moveLeft(
                std::clamp(r.left(), work.left(), std::max(work.left(), work.right() - r.width())));
            r.moveTop(
                std::clamp(r.top(), work.top(), std::max(work.top(), work.bottom() - r.height())));
        }
        move(r.topLeft());
    }
}

cuiInformation::~cuiInformation()
{
    m_sheet.reset();
    if (m_owner) {
        m_owner->setEnabled(true);
        m_owner->activateWindow();
        m_owner->setFocus();
    }
}
