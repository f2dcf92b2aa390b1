#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "rules/indCompare.h"

class QLabel;
class QPushButton;
class cuiDiffTable;

// The compare window: how the working image differs from another image, setting by
// setting (sheet, row, setting, both values as the sheets show them), with a line that
// counts them. It is a window of its own beside the main window and does not hold its
// input; a double-click on a difference hands it to onOpen (the main window opens the
// sheet at that setting).
class cuiCompareWindow : public QWidget {
public:
    explicit cuiCompareWindow(QWidget* owner);

    // Lists the differences; nameA and nameB name the two images (the value columns' heads),
    // note is an extra line about the comparison (empty: none).
    void Show(const std::string& nameA, const std::string& nameB,
              const std::vector<indCompare::Difference>& differences, const std::string& note);
    std::function<void(const indCompare::Difference&)> onOpen;

    const std::vector<indCompare::Difference>& Differences() const;
    QLabel* HeadingLine() const { return m_heading; }
    QLabel* CountLine() const { return m_count; }
    QLabel* NoteLine() const { return m_note; }
    cuiDiffTable* List() const { return m_list; }
    QPushButton* CloseButton() const { return m_close; }

private:
    QLabel* m_heading = nullptr;
    QLabel* m_note = nullptr;
    cuiDiffTable* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_close = nullptr;
};
