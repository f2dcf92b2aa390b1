#pragma once
#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>

class QFrame;
class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// The information window: one sheet of an overlay entry in a raised panel, without scroll
// bars, and an OK button. Its owner is disabled while it exists; closing frees it and gives
// the owner back its input and focus. It is a window of its own, not the owner's child, so
// that disabling the owner leaves it usable.
class cuiInformation : public QDialog {
public:
    cuiInformation(QWidget* owner, const std::string& caption, cmcGTex* store,
                   const std::string& entryName, cuiImageList* images);
    ~cuiInformation() override;

    cuiSheet* Sheet() const { return m_sheet.get(); }
    QPushButton* OkButton() const { return m_ok; }

private:
    QPointer<QWidget> m_owner;
    QFrame* m_panel = nullptr;
    QPushButton* m_ok = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
};
