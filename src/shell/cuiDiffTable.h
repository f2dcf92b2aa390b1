#pragma once
#include <QStringList>
#include <QTableWidget>
#include <vector>

#include "rules/indCompare.h"

// A read-only list of differences between two images, one row each: sheet, row, setting
// and the two values under headers the caller gives ("Radio", "To be written"). Sorted by
// clicking a header; a double-click (or Enter) on a row hands its difference to whoever
// wants to open the sheet at that cell.
class cuiDiffTable : public QTableWidget {
    Q_OBJECT
public:
    // headers: the captions of the five columns.
    cuiDiffTable(QWidget* parent, const QStringList& headers);

    void SetDifferences(std::vector<indCompare::Difference> differences);
    const std::vector<indCompare::Difference>& Differences() const { return m_differences; }
    // The difference shown in a row as it stands now (sorted), or null.
    const indCompare::Difference* DifferenceAt(int row) const;

signals:
    void differenceActivated(const indCompare::Difference& difference);

private:
    std::vector<indCompare::Difference> m_differences;
};
