#include "shell/cuiCloneUi.h"

#include <QWidget>

#include "shell/cuiCloneProgress.h"

cuiCloneUi::~cuiCloneUi()
{
    CloseProgress();
}

void cuiCloneUi::EnableMainWindow(bool enabled)
{
    if (m_main)
        m_main->setEnabled(enabled);
}

void cuiCloneUi::FocusMainWindow()
{
    if (m_main) {
        m_main->activateWindow();
        m_main->setFocus();
    }
}

void cuiCloneUi::ShowProgress()
{
    if (m_progress)
        return;
    m_progress = new cuiCloneProgress(m_main);
    m_progress->show();
}

void cuiCloneUi::UpdateProgress(int32_t done, int32_t total)
{
    if (m_progress)
        m_progress->SetProgress(done, total);
}

void cuiCloneUi::CloseProgress()
{
    if (m_progress)
        m_progress->Finish();
    m_progress = nullptr;
}
