#pragma once
#include <QPointer>

#include "link/ICloneUi.h"

class QWidget;
class cuiCloneProgress;

// The clone manager's view of the main window: disables and enables it, gives it the
// focus back, and shows the progress window during reads and writes.
class cuiCloneUi : public ICloneUi {
public:
    explicit cuiCloneUi(QWidget* mainWindow) : m_main(mainWindow) {}
    ~cuiCloneUi() override;

    void EnableMainWindow(bool enabled) override;
    void FocusMainWindow() override;
    void ShowProgress() override;
    void UpdateProgress(int32_t done, int32_t total) override;
    void CloseProgress() override;

    cuiCloneProgress* Progress() const { return m_progress; }

private:
    QPointer<QWidget> m_main;
    QPointer<cuiCloneProgress> m_progress;
};
