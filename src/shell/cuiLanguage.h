#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// The language window: a one-cell sheet in which the user picks the interface language.
// Choosing stores the language number at once; OK changes the language when the number
// differs from the one the window opened with, Cancel puts the number back, and closing it
// with the title bar keeps the number for the next start. It disables its owner while it
// is open and frees itself when it closes.
class cuiLanguage : public QDialog {
    Q_OBJECT
public:
    // onOk is called on OK with the number the window opened with.
    cuiLanguage(QWidget* owner, const std::string& caption, cmcGTex* store,
                const std::string& sheetEntry, cuiImageList* images,
                std::function<void(int previous)> onOk);
    ~cuiLanguage() override;

    int OpenedWith() const { return m_previous; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Ok();
    void Cancel();

    QWidget* m_owner;
    std::unique_ptr<cuiSheet> m_sheet;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_previous = 0;
    std::function<void(int)> m_onOk;
};
