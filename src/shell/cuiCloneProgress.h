#pragma once
#include <QWidget>
#include <cstdint>

class QFrame;

// The small window shown while a clone read or write runs: a lowered panel with a bar of
// 32 segments, repainted as the clone manager reports progress (every 30 ms). The user
// cannot close it; the clone manager does when the operation ends.
class cuiCloneProgress : public QWidget {
    Q_OBJECT
public:
    explicit cuiCloneProgress(QWidget* mainWindow);

    void SetProgress(int32_t done, int32_t total);
    // Closes the window for good (the user's close requests are refused).
    void Finish();
    // Segments lit for a state of progress: done * 33 / total, 0 while the total is 0.
    static int LitSegments(int32_t done, int32_t total);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Bar;
    QFrame* m_panel;
    Bar* m_bar;
    bool m_finishing = false;
};
