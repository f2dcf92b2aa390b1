#pragma once
#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

// The small option dialogs of the main window (port, clone password, adjustment password):
// a notice, one edit box and OK and Cancel, each text from the overlay entries that begin
// with the dialog's prefix. The caller decides what OK accepts: the check answers whether
// the dialog may close; it shows its own refusal.
class cuiOptDialog : public QDialog {
public:
    struct Shape {
        std::string prefix;  // the entries are prefix + "Caption", "Notice", "Buttons" ...
        int maxBytes = 4;    // in bytes of the overlay's code page
        bool masked = false;
        std::string widthSample;
        std::string heightSample;  // empty: a line of digits and "W"
        bool widenForEdit = false;
    };
    cuiOptDialog(QWidget* owner, const Shape& shape);

    // The text typed, in the overlay's code page; nullopt when it holds a character the
    // code page cannot carry.
    bool Text(std::string& out) const;
    void SetText(const std::string& text);
    // Runs on OK; true closes the dialog as accepted.
    std::function<bool(cuiOptDialog&)> check;
    // A widget placed between the edit box and the buttons (the port list); owned by the dialog.
    void SetExtra(QWidget* extra);

    QLabel* Notice() const { return m_notice; }
    QLineEdit* Edit() const { return m_edit; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    void Arrange();
    void OnOk();

    Shape m_shape;
    QLabel* m_notice = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_extra = nullptr;
};
