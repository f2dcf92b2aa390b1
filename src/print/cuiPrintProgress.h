#pragma once
#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class cmcGTex;

// The small window shown while pages go to the printer; its button cancels the job.
class cuiPrintProgress : public QDialog {
    Q_OBJECT
public:
    cuiPrintProgress(cmcGTex& store, QWidget* over, std::function<void()> onCancel);
    QLabel* Label() const { return m_label; }
    QPushButton* Button() const { return m_button; }

protected:
    // Escape and the close box cancel too; the window stays until the job ends.
    void reject() override;

private:
    QLabel* m_label;
    QPushButton* m_button;
    std::function<void()> m_onCancel;
};
