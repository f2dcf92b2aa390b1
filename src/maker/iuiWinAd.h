#pragma once
#include <QWidget>
#include <functional>
#include <string>

#include "common/cmcEvMan.h"

class QLabel;
class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;
class indAdjust;

// The adjustment window: a sheet of the maker's adjustment readings (the A/D values) with
// an update button, and a stop button and a line that tell whether an automatic
// adjustment runs. It stands beside the main window rather than inside it, so that it
// stays usable (and an automatic adjustment stays stoppable) while the link keeps the
// main window disabled.
class iuiWinAd : public QWidget {
public:
    // What the window needs of the program around it.
    struct Host {
        indAdjust* adjust = nullptr;
        std::function<bool()> mainEnabled;
        // Called from the destructor: the main window re-checks warnings, the menus learn
        // that the window is gone.
        std::function<void()> closed;
    };

    iuiWinAd(QWidget* owner, const std::string& caption, cmcGTex& store, std::string entry,
             cuiImageList* images, Host host);
    ~iuiWinAd() override;
    iuiWinAd(const iuiWinAd&) = delete;
    iuiWinAd& operator=(const iuiWinAd&) = delete;

    const std::string& EntryName() const { return m_entry; }
    cuiSheet* Sheet() const { return m_sheet; }
    QPushButton* UpdateButton() const { return m_update; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* StopButton() const { return m_stop; }
    QLabel* StatusLine() const { return m_status; }
    // Shows the window and reads the values.
    void Open();
    // Reads the A/D values again (only while the main window takes input).
    void Update();
    // Shows whether an automatic adjustment runs.
    void RefreshStatus();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static void OnEvent(void* context, const cmcEvent& event);
    void HandleEvent(const cmcEvent& event);
    void BuildSheet();
    void StorePlacement();
    void Place();

    QWidget* m_owner;
    cmcGTex& m_store;
    std::string m_entry;
    cuiImageList* m_images;
    Host m_host;
    QWidget* m_sheetPanel = nullptr;
    cuiSheet* m_sheet = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_closing = false;
};
