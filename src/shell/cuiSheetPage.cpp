#include "shell/cuiSheetPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/SheetReference.h"

cuiSheetPage::cuiSheetPage(QWidget* parent, cmcGTex& gtex, const std::string& reference,
                           const std::string& title)
    : QWidget(parent), m_reference(reference), m_entry(SheetReference::Split(reference).entry)
{
    setObjectName(QStringLiteral("SheetPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_title = new QLabel(plat::ToQt(title), this);
    m_title->setObjectName(QStringLiteral("SheetTitle"));
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    m_title->setContentsMargins(6, 4, 6, 4);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    auto* body = new QLabel(plat::ToQt(gtex.GetLines("GI_AppMess_SheetNotReady")), this);
    body->setObjectName(QStringLiteral("SheetBody"));
    body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body->setWordWrap(true);
    body->setContentsMargins(6, 6, 6, 6);
    body->setFocusPolicy(Qt::StrongFocus);
    body->setAutoFillBackground(true);
    body->setBackgroundRole(QPalette::Base);
    m_body = body;
    layout->addWidget(m_body, 1);
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
    if (m_pos[0] < 0)
        return false;
    *col = m_pos[0];
    *row = m_pos[1];
    *leftCol = m_pos[2];
    *topRow = m_pos[3];
    return true;
}

QString cuiSheetPage::TitleText() const
{
    return m_title->text();
}
