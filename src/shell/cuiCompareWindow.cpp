#include "shell/cuiCompareWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/cuiDiffTable.h"

namespace {

std::string Line(const char* key, int n)
{
    return g_GTex ? g_GTex->GetLine(key, n) : std::string();
}

}  // namespace

cuiCompareWindow::cuiCompareWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("CompareWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("CompareHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("CompareNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);
    m_list = new cuiDiffTable(this, {});
    m_list->setObjectName(QStringLiteral("CompareList"));
    QObject::connect(m_list, &cuiDiffTable::differenceActivated, this,
                     [this](const indCompare::Difference& d) {
                         if (onOpen)
                             onOpen(d);
                     });
    layout->addWidget(m_list, 1);
    auto* bottom = new QHBoxLayout;
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CompareCount"));
    bottom->addWidget(m_count, 1);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("CompareClose"));
    QObject::connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(m_close);
    layout->addLayout(bottom);
    resize(760, 420);
}

const std::vector<indCompare::Difference>& cuiCompareWindow::Differences() const
{
    return m_list->Differences();
}

void cuiCompareWindow::Show(const std::string& nameA, const std::string& nameB,
                            const std::vector<indCompare::Difference>& differences,
                            const std::string& note)
{
    setWindowTitle(plat::ToQt(Line("GI_Compare_Title", 0) + " - " + AppTitle()));
    m_heading->setText(plat::ToQt(OvlFormat(Line("GI_Compare_Heading", 0), {nameA, nameB})));
    m_note->setText(plat::ToQt(note));
    m_note->setVisible(!note.empty());
    m_list->setHorizontalHeaderLabels(
        {plat::ToQt(Line("GI_Compare_Columns", 0)), plat::ToQt(Line("GI_Compare_Columns", 1)),
         plat::ToQt(Line("GI_Compare_Columns", 2)), plat::ToQt(nameA), plat::ToQt(nameB)});
    m_list->SetDifferences(differences);
    const size_t n = differences.size();
    const int line = n == 0 ? 0 : n == 1 ? 1 : 2;
    m_count->setText(plat::ToQt(OvlFormat(Line("GI_Compare_Count", line), {static_cast<int>(n)})));
    m_close->setText(plat::ToQt(Line("GI_Compare_Close", 0)));
}
