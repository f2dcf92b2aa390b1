#include "shell/cuiSheetPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "shell/SheetReference.h"

cuiSheetPage::cuiSheetPage(QWidget* parent, cmcGTex& gtex, const std::string& reference,
                           const std::string& title)
    : QWidget(parent), m_reference(reference), m_entry(SheetReference::Split(reference).entry)
{
    setObjectName(QStringLiteral("SheetPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_title = new QLabel(plat::ToQt(title), this);
    m_title->setObjectName(QStringLiteral("SheetTitle"));
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    m_title->setContentsMargins(6, 4, 6, 4);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_bodyHost = new QWidget(this);
    m_bodyHost->setObjectName(QStringLiteral("SheetBody"));
    auto* bodyLayout = new QVBoxLayout(m_bodyHost);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    m_notice = new QLabel(plat::ToQt(gtex.GetLines("GI_AppMess_SheetNotReady")), m_bodyHost);
    m_notice->setObjectName(QStringLiteral("SheetNotice"));
    m_notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notice->setWordWrap(true);
    m_notice->setContentsMargins(6, 6, 6, 6);
    m_notice->setFocusPolicy(Qt::StrongFocus);
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::Base);
    bodyLayout->addWidget(m_notice);
    layout->addWidget(m_bodyHost, 1);
}

cuiSheetPage::~cuiSheetPage()
{
    // The sheet goes before the widgets it placed on the page.
    m_sheet.reset();
}

void cuiSheetPage::AttachSheet(cuiSheet* sheet)
{
    m_sheet.reset(sheet);
    delete m_notice;
    m_notice = nullptr;
    // The sheet draws its own title line.
    m_title->hide();
}

void cuiSheetPage::ShowSheet(bool resetWidths)
{
    if (!m_sheet)
        return;
    if (m_pos[0] >= 0)
        m_sheet->SetSavedPosition(m_pos[0], m_pos[1], m_pos[2], m_pos[3]);
    m_sheet->SetResetWidths(resetWidths);
    m_sheet->Show();
    if (QWidget* panel = m_sheet->Panel())
        m_bodyHost->layout()->addWidget(panel);
}

void cuiSheetPage::SetSavedPosition(int col, int row, int leftCol, int topRow)
{
    m_pos[0] = col;
    m_pos[1] = row;
    m_pos[2] = leftCol;
    m_pos[3] = topRow;
}

bool cuiSheetPage::CurrentPosition(int* col, int* row, int* leftCol, int* topRow) const
{
    if (m_sheet && m_sheet->Grid()) {
        const cuiGrid* g = m_sheet->Grid();
        *col = g->Col();
        *row = g->Row();
        *leftCol = g->LeftCol();
        *topRow = g->TopRow();
        return *col >= 0 && *row >= 0;
    }
    if (m_pos[0] < 0)
        return false;
    *col = m_pos[0];
    *row = m_pos[1];
    *leftCol = m_pos[2];
    *topRow = m_pos[3];
    return true;
}

QWidget* cuiSheetPage::Grid() const
{
    if (m_sheet && m_sheet->Grid())
        return m_sheet->Grid();
    return m_notice;
}

QString cuiSheetPage::TitleText() const
{
    if (m_sheet)
        return plat::ToQt(m_sheet->TitleString());
    return m_title->text();
}

QString cuiSheetPage::NoticeText() const
{
    return m_notice ? m_notice->text() : QString();
}
