#pragma once
#include <QIcon>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "model/indDocument.h"
#include "shell/cuiInformation.h"
#include "shell/cuiSheetPage.h"

class IPort;
class QDialog;
class QLabel;
class QMenuBar;
class QSplitter;
class QStatusBar;
class QWidget;
class TForm1;
class cmcCellObj;
class cmcFCache;
class cmcTask;
class cmcTick;
class cmcPortTable;
class cuiCloneUi;
class cuiImageList;
class cuiInformation;
class cuiHtmlHelp;
class cuiLanguage;
class cuiMainPrintHost;
class cuiMenu;
class cuiPrinter;
class cuiToolBar;
class iuiTree;
struct cmcEvent;
struct dst_CDrv_Result;
class QTreeWidgetItem;

// The common main object: opens the overlays, holds the document, lays out the main form
// (menu, tool bar, tree, sheet page, status bar), switches sheets as the tree selection
// changes, keeps title and status message, marks tree entries with warnings and errors,
// runs the file commands and reacts to the program-wide events. The model's main object
// derives from it and answers the virtual operations.
class cuiMain {
public:
    cuiMain(const std::string& programCode, int imageSize);
    virtual ~cuiMain();
    cuiMain(const cuiMain&) = delete;
    cuiMain& operator=(const cuiMain&) = delete;

    // ---- virtual operations, in the system's order ----
    virtual void InitCodes() {}
    // Builds the main window's contents on the form and shows it.
    virtual void CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                          const QList<QIcon>& toolBarImages);
    // Rebuilds the navigation tree.
    virtual void RefreshTitle();
    // Counts errors and warnings of the warning check list and marks the tree.
    virtual void CountWarnings(int* errors = nullptr, int* warnings = nullptr);
    // The sheet shown for a sheet reference.
    virtual cuiSheetPage* CreateSheet(QWidget* parent, const std::string& reference);
    virtual void LoadInitialImage(int modelType) { m_doc.LoadInitialImage(modelType); }
    virtual void OnStatusBarResize() {}

    // ---- the close query and the end of the window ----
    // False keeps the program running.
    virtual bool CloseQuery();
    // The form is closing for good: remember window placement and splitter.
    virtual void OnClose();
    // Ends a running print job cleanly (the pages printed so far make a valid document);
    // called before the close query.
    void EndPrinting();
    // Prints the current sheet or every sheet of the tree, with the preview first.
    void PrintSheets(bool all);

    // ---- document commands ----
    enum Answer { kYes = 6, kNo = 7, kCancel = 2 };
    Answer ConfirmDiscard(bool another);
    void NewDocument();
    int OpenDocument();
    int OpenFile(const std::string& path);
    int SaveDocument();
    int SaveAs();
    int SaveFile(const std::string& path);
    // Asks for a file name: the open dialog (save false) or the save dialog with the given
    // name. Empty when cancelled. Tests replace it.
    std::function<std::string(bool save, const std::string& name)> fileDialog;

    // ---- radio commands ----
    // Clone read: asks to keep unsaved work, identifies the radio and reads it.
    void CloneRead();
    // Identifies the radio and shows its clone information.
    void CloneInfo();
    // Clone write: brings the link up and continues in OnCloneWriteConnected.
    virtual void StartCloneWrite();
    // The link is up (or failed) for a clone read or write.
    virtual void OnCloneReadConnected(dst_CDrv_Result* result);
    virtual void OnCloneWriteConnected(dst_CDrv_Result* result);
    // Once the radio answered: reads the ranges its answer allows, ending in done. False
    // when the answer refuses a whole read (a box has said why) or the read did not start.
    bool ReadRadioRanges(void (*done)(void*, dst_CDrv_Result*), void* context);
    // A character typed while the About box is open.
    virtual void OnKeyChar(char c) { (void)c; }
    // Writes a prepared image over a range list; a success closes the sheet and says so.
    void WriteImage(const cmcEeprom& image, const std::vector<int32_t>& ranges);
    // The radio is reached through port from now on (tests, the simulated radio); null:
    // the serial ports.
    void UseLinkPort(IPort* port);
    // The port list of the port dialog (the system's unless a test gives its own).
    cmcPortTable* portTable = nullptr;

    // ---- dialogs ----
    // True when the user accepted (the port, the clone password for the next link).
    bool PortDialog();
    bool ClonePasswordDialog();
    // Unlocks adjustment reading for the life of the program; true once unlocked.
    bool AdjustPasswordDialog();
    bool AdjustReadUnlocked() const { return m_adjustUnlocked; }
    void ShowAbout();
    void ShowDebugCompare();
    cuiInformation* Information() const { return m_information; }
    QWidget* AboutBox() const { return m_about; }
    // Runs a modal dialog and answers its result; tests replace it to fill in the dialog
    // and press its buttons.
    std::function<int(QDialog&)> execDialog;

    // ---- sheets ----
    void OpenSheet(const std::string& reference);
    void CloseSheet();
    cuiSheetPage* Sheet() const { return m_sheet; }
    // Runs the cell rules on one capsule: mode 0 evaluates, 1 is a user event.
    int RunRules(cmcCellCapsule& capsule, int mode);
    // Runs the command of a menu, tool bar or tree cell (action 13).
    void ExecuteCell(cmcCellObj* cell);

    // ---- help and language ----
    // The help bridge (made on first use).
    cuiHtmlHelp& Help();
    // The help file of the language: program folder + "GI_Sys_MyHelpFile".
    std::string HelpFilePath() const;
    void ShowHelpContents();
    // Shows a help topic in a pop-up: at the current cell when F1 asked for it, else at
    // the mouse cursor.
    void ShowHelpTopic(int context);
    // The next pop-up goes to the current cell of the open sheet (F1 there).
    void AnchorHelpAtCurrentCell();
    cuiLanguage* OpenLanguageWindow();
    // After the language window stored a new language number: reopens the overlays and
    // rebuilds everything that shows overlay text. When the language's overlay is missing
    // or unreadable it says so, puts back the previous number and changes nothing.
    bool ChangeLanguage(int previous);

    // ---- state ----
    void MarkModified();
    void CheckModified();
    void MarkSaved();
    void UpdateTitle();
    QString TitleText() const;
    void StartWarningRecheck();
    // The 50 ms periodic task: reopens a sheet when none is open and runs the delayed
    // warning re-check.
    void Periodic();

    indDocument& Doc() { return m_doc; }
    const std::string& ProgramCode() const { return m_programCode; }
    int ImageSize() const { return m_imageSize; }
    // The program's folder, with a trailing "/".
    static std::string ProgramDir();
    TForm1* Form() const { return m_form; }
    QSplitter* Splitter() const { return m_splitter; }
    iuiTree* Tree() const { return m_tree; }
    cuiMenu* Menu() const { return m_menu; }
    cuiToolBar* ToolBar() const { return m_toolBar; }
    cmcFCache& Cache() { return *m_cache; }
    QLabel* MessagePanel() const { return m_messagePanel; }
    const std::string& CurrentDirectory() const;
    bool appInactive = false;
    bool resetColumnWidths = false;

protected:
    // The texts of the model's own controls follow a language change.
    virtual void OnLanguageChanged() {}
    // Opens the main overlay of a language number with its code page.
    static void OpenMainOverlay(int language);
    static void OnEvent(void* context, const cmcEvent& event);
    virtual void HandleEvent(const cmcEvent& event);
    // Rules used until the model installs its own.
    void SetRules(cmcCellRulesFn fn, void* context)
    {
        m_rulesFn = fn;
        m_rulesContext = context;
    }
    void OnTreeSelection();
    // Builds the main menu from the overlay.
    void BuildMenu();
    // Asks before a save (or a clone write) loses edits of settings that files and radio
    // do not keep; false cancels.
    bool ConfirmUnkept(bool cloneWrite = false);
    // Hands the user's port and speed to the clone manager before an operation.
    void ApplyLinkSettings();
    // The end of a successful clone read, after the document took the image (the
    // adjustment read continues here).
    virtual void AfterCloneRead() {}
    // Keeps the image just read as an automatic backup. The read stands whatever happens:
    // the status line names the backup, or a warning says it could not be written.
    void KeepReadBackup(const cmcEeprom& received);
    // The About box opens: typed key sequences start from the beginning.
    virtual void ResetTypedKeys() {}
    static void OnReadConnected(void* context, dst_CDrv_Result* result);
    static void OnWriteConnected(void* context, dst_CDrv_Result* result);
    static void OnInfoConnected(void* context, dst_CDrv_Result* result);
    static void OnReadDone(void* context, dst_CDrv_Result* result);
    static void OnWriteDone(void* context, dst_CDrv_Result* result);

    struct SheetPosition {
        std::string name;
        int col, row, leftCol, topRow;
    };

    std::string m_programCode;
    int m_imageSize;
    indDocument m_doc;
    std::unique_ptr<cmcFCache> m_cache;
    std::unique_ptr<cuiImageList> m_imageList;
    TForm1* m_form = nullptr;
    QList<QIcon> m_treeImages;
    QList<QIcon> m_toolBarImages;
    QSplitter* m_splitter = nullptr;
    QWidget* m_leftPanel = nullptr;
    QWidget* m_rightPanel = nullptr;
    QLabel* m_messagePanel = nullptr;
    cuiMenu* m_menu = nullptr;
    cuiToolBar* m_toolBar = nullptr;
    std::unique_ptr<cuiMainPrintHost> m_printHost;
    std::unique_ptr<cuiPrinter> m_printer;
    iuiTree* m_tree = nullptr;
    QPointer<cuiSheetPage> m_sheet;
    std::list<SheetPosition> m_positions;
    std::unique_ptr<cmcTick> m_recheck;
    cmcTask* m_task = nullptr;
    bool m_focusGridOnOpen = false;
    bool m_closing = false;
    cmcCellRulesFn m_rulesFn = nullptr;
    void* m_rulesContext = nullptr;
    std::string m_currentDirectory;
    std::unique_ptr<cuiCloneUi> m_cloneUi;
    QPointer<cuiInformation> m_information;
    QPointer<QWidget> m_about;
    bool m_adjustUnlocked = false;
    std::unique_ptr<cuiHtmlHelp> m_help;
    std::unique_ptr<QObject> m_f1Claim;
    QPoint m_helpAt;
    bool m_helpAtCell = false;
};

// The one main object of the program (null in tests that do not build one).
extern cuiMain* g_Main;
