#pragma once
#include <QIcon>
#include <QList>
#include <QMainWindow>

class cmcTask;

// The main form. It takes its title and font from the overlay, its bounds from the
// settings (kept on the work area), builds the two icon lists and hands itself to the
// main object, which builds everything the window shows.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    const QList<QIcon>& TreeImages() const { return m_treeImages; }
    const QList<QIcon>& ToolBarImages() const { return m_toolBarImages; }
    // The font of "GI_Form_Main_BasicCell" in the main overlay (again after a language
    // change).
    void ApplyOverlayFont();
    // The folder of our own icons beside the program.
    static QString IconDir();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QIcon> m_treeImages;
    QList<QIcon> m_toolBarImages;
    cmcTask* m_task = nullptr;
};
