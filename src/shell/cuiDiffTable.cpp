#include "shell/cuiDiffTable.h"

#include <QHeaderView>

#include "platform/qt/QtServices.h"

namespace {

constexpr int kColumns = 5;

}  // namespace

cuiDiffTable::cuiDiffTable(QWidget* parent, const QStringList& headers)
    : QTableWidget(0, kColumns, parent)
{
    setHorizontalHeaderLabels(headers);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(this, &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) {
        if (const indCompare::Difference* d = item ? DifferenceAt(item->row()) : nullptr)
            emit differenceActivated(*d);
    });
}

void cuiDiffTable::SetDifferences(std::vector<indCompare::Difference> differences)
{
    setSortingEnabled(false);
    m_differences = std::move(differences);
    setRowCount(static_cast<int>(m_differences.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const indCompare::Difference& d = m_differences[static_cast<size_t>(r)];
        const std::string* texts[kColumns] = {&d.sheet, &d.row, &d.column, &d.valueA, &d.valueB};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(plat::ToQt(*texts[c]));
            // Each row remembers its difference, whatever order the user sorts it into.
            item->setData(Qt::UserRole, r);
            setItem(r, c, item);
        }
    }
    resizeColumnsToContents();
    // The caller's order stands until the user clicks a header.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

const indCompare::Difference* cuiDiffTable::DifferenceAt(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    if (!first)
        return nullptr;
    const int k = first->data(Qt::UserRole).toInt();
    return k >= 0 && static_cast<size_t>(k) < m_differences.size()
               ? &m_differences[static_cast<size_t>(k)]
               : nullptr;
}
