#pragma once
#include <QWidget>
#include <memory>
#include <string>

class QLabel;
class cmcGTex;
class cuiSheet;

// The page in the right panel that shows the sheet of a tree entry. It holds the sheet the
// overlay describes (N + "_Cells"); an entry whose sheet this version does not have yet
// shows its title and a short notice instead.
class cuiSheetPage : public QWidget {
    Q_OBJECT
public:
    cuiSheetPage(QWidget* parent, cmcGTex& gtex, const std::string& reference,
                 const std::string& title);
    ~cuiSheetPage() override;

    // Takes over a sheet built on Body(); the notice goes.
    void AttachSheet(cuiSheet* sheet);
    QWidget* Body() const { return m_bodyHost; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    // Builds and shows the sheet (nothing for the notice).
    void ShowSheet(bool resetWidths);

    // The full sheet reference it was opened with.
    const std::string& DisplayName() const { return m_reference; }
    const std::string& EntryName() const { return m_entry; }
    void SetSavedPosition(int col, int row, int leftCol, int topRow);
    // The grid's current cell: false when there is none.
    bool CurrentPosition(int* col, int* row, int* leftCol, int* topRow) const;
    QWidget* Grid() const;
    QString TitleText() const;
    QString NoticeText() const;

private:
    std::string m_reference;
    std::string m_entry;
    QLabel* m_title = nullptr;
    QLabel* m_notice = nullptr;
    QWidget* m_bodyHost = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
    int m_pos[4] = {-1, -1, -1, -1};
};
