#pragma once
#include <QDialog>
#include <memory>

#include "link/indFleetWrite.h"

class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class cuiCloneUi;
class indDocument;

// "Write to Several Radios": the document's image written into each radio of a list of
// ports in turn, identified, written and read back; a table shows each radio's port,
// model, result and verification as it finishes.
class cuiFleetDialog : public QDialog {
    Q_OBJECT
public:
    cuiFleetDialog(indDocument& doc, QWidget* parent);
    ~cuiFleetDialog() override;

    // The ports as typed, one per line: a port number or a device path.
    static std::vector<indFleetWrite::Port> ParsePorts(const QString& text, bool* ok);

    QPlainTextEdit* PortsEdit() const { return m_ports; }
    QTableWidget* Table() const { return m_table; }
    QPushButton* WriteButton() const { return m_write; }
    indFleetWrite& Fleet() { return *m_fleet; }
    // Starts the writes; false when the ports cannot be read or a write runs.
    bool StartWrite();

protected:
    void reject() override;

private:
    void Show(int index);

    indDocument& m_doc;
    QPlainTextEdit* m_ports = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_write = nullptr;
    std::unique_ptr<cuiCloneUi> m_ui;
    std::unique_ptr<indFleetWrite> m_fleet;
};
