#pragma once
#include <QWidget>
#include <string>

class QLabel;
class cmcGTex;

// The page in the right panel that shows the sheet of a tree entry: the sheet's title line
// above its grid. Sheets whose grid this version cannot show yet show a short notice.
class cuiSheetPage : public QWidget {
    Q_OBJECT
public:
    cuiSheetPage(QWidget* parent, cmcGTex& gtex, const std::string& reference,
                 const std::string& title);

    // The full sheet reference it was opened with.
    const std::string& DisplayName() const { return m_reference; }
    const std::string& EntryName() const { return m_entry; }
    void SetSavedPosition(int col, int row, int leftCol, int topRow);
    // The grid's current cell: false when there is none.
    bool CurrentPosition(int* col, int* row, int* leftCol, int* topRow) const;
    QWidget* Grid() const { return m_body; }
    QString TitleText() const;

private:
    std::string m_reference;
    std::string m_entry;
    QLabel* m_title = nullptr;
    QWidget* m_body = nullptr;
    int m_pos[4] = {-1, -1, -1, -1};
};
