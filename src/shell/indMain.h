#pragma once
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>

#include "maker/iuiWinAd.h"
#include "model/datClipCh.h"
#include "rules/indCompare.h"
#include "rules/indRulesHost.h"
#include "sheets/cuiCellPopups.h"
#include "shell/cuiEditHistory.h"
#include "shell/cuiMain.h"

class IPort;
class QAction;
class QLabel;
class cuiCompareWindow;
class cuiCloneUi;
class indActiveCell;
class indAdjust;
class indCloneMan;
class indCloneWrite;

// The model's main object: the radio family's model types, modes and tree branches on top
// of the common main object, and the program side of the cell rules (indRulesHost) over the
// document.
class indMain : public cuiMain, public indRulesHost {
public:
    indMain(const std::string& programCode, int imageSize);
    ~indMain() override;

    void CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                  const QList<QIcon>& toolBarImages) override;
    void RefreshTitle() override;
    void CountWarnings(int* errors = nullptr, int* warnings = nullptr) override;

    // Applies the command-line switches, each at every argument that matches it
    // (case-insensitively, otherwise exactly), in the order maker, factory adjustment.
    void ApplySwitches(const QStringList& arguments);
    void EnterMakerMode();
    void EnterExtendedMode();
    void EnterFactoryAdjustMode();
    // Switches the model type; asked: the user chose it (confirmation, fresh document).
    void ChangeModelType(int modelType, bool ask);
    QLabel* MakerPanel() const { return m_makerPanel; }
    bool FactoryAdjustMode() const { return m_doc.factory; }

    // ---- the radio ----
    void StartCloneWrite() override;
    void OnCloneReadConnected(dst_CDrv_Result* result) override;
    void OnCloneWriteConnected(dst_CDrv_Result* result) override;
    // The typed key sequences of the About box: maker mode, extended mode, the credits.
    void OnKeyChar(char c) override;
    bool CloneBusy();
    // The steps of a clone write after the questions: backup, confirmation, verification.
    indCloneWrite& CloneWrite() { return *m_cloneWrite; }
    // Hands the user's port and speed to the clone manager before an operation.
    void PrepareLink() { ApplyLinkSettings(); }
    int MakerKeyPosition() const { return m_makerKeyPos; }

    // ---- indRulesHost ----
    cmcEeprom& WorkImage() override { return m_doc.Work(); }
    cmcEeprom& ReferenceImage() override { return m_doc.Reference(); }
    int ModelType() const override { return m_doc.ModelType(); }
    bool MakerMode() const override { return m_doc.maker; }
    bool ExtendedMode() const override { return m_doc.extended; }
    bool FactoryMode() const override { return m_doc.factory; }
    cmcFCache& Cache() override { return cuiMain::Cache(); }
    ICellPopups* Popups() override { return &m_popups; }
    void StartWarningRecheck() override { cuiMain::StartWarningRecheck(); }
    void CheckModified() override { cuiMain::CheckModified(); }
    void PackWorkImage() override;
    int HelpContextOf(int32_t cellId) override;
    void ShowHelp(int context) override;
    bool HelpReportsMissingTopics() const override { return true; }
    bool RunCommand(int32_t cellId, int32_t index) override;
    bool CommandEnabled(int32_t cellId, int32_t index) override;
    bool CommandChecked(int32_t cellId, int32_t index) override;
    void OpenSheet(const std::string& reference) override { cuiMain::OpenSheet(reference); }
    datClipCh* Clipboard() override { return &m_clipboard; }
    indAdjust* Adjust() override;
    int EditMenuItems() const override;
    indUndo* Undo() override;
    std::string EditDescription(const cmcCellCapsule& capsule) override;
    cuiEditHistory& EditHistory() { return *m_history; }
    std::vector<uint8_t> CloneInfo() const override;

    // The rules every cell of the program runs through: the command cells of menus, tool
    // bar and tree here, every other cell in the model cell rules.
    static int Rules(void* context, cmcCellCapsule* capsule, int mode);
    indActiveCell& ActiveCell() { return *m_activeCell; }

    // ---- adjustment mode ----
    // The link to the radio; talks through port instead of the serial port (tests).
    indCloneMan& CloneMan();
    void UseCloneLink(IPort* port);
    indAdjust& AdjustState();
    // The adjustment read command: the adjustment password, a caution, then the radio is
    // read and adjustment mode entered (at once in factory adjustment mode). A refusal or
    // a failed link leaves the image, the mode and the window as they were.
    void AdjustRead();
    // An adjustment read is asked for: the next EnterAdjustMode enters.
    void RequestAdjustMode();
    // Enters adjustment mode when it was asked for: the radio is told, the adjustment
    // entries join the tree. False when nothing was asked for.
    bool EnterAdjustMode();
    void LeaveAdjustMode();
    bool AdjustMode() const { return m_doc.adjust; }
    // The adjustment window, or null; opening it again closes it.
    iuiWinAd* AdjustWindow() const { return m_winAd.data(); }
    void ToggleAdjustWindow();

    // ---- compare and backups ----
    // Opens the folder of the automatic backups in the desktop's file manager, making it
    // first when it is missing. False, after a message, when it could not be made or
    // nothing opened it.
    bool OpenBackupFolder();
    // The compare window, listing setting by setting how the working image differs from a
    // clone file the dealer chooses, from the document's file as last saved, or from the
    // radio (read into an image of its own: the document is not touched).
    void CompareWithFile();
    void CompareWithSaved();
    void CompareWithRadio();
    cuiCompareWindow* CompareWindow() const;
    // The menu entries of these commands: three in the File menu, one in the Radio menu.
    enum CompareEntry {
        kEntryCompareFile,
        kEntryCompareSaved,
        kEntryBackupFolder,
        kEntryCompareRadio,
        kCompareEntries
    };
    QAction* CompareEntryAction(CompareEntry entry) const { return m_compareEntries[entry]; }

protected:
    void HandleEvent(const cmcEvent& event) override;
    void OnLanguageChanged() override;
    // Removes the tree entries that do not apply to the model type and modes.
    void RemoveBranches();
    void NotYet();
    void ResetTypedKeys() override { m_makerKeyPos = 0; }
    void AfterCloneRead() override;

private:
    // True when the radio wants no clone password, or the dealer gave it.
    bool PasswordGiven(bool write);
    // Puts the compare and backup entries into the File and Radio menus (again after the
    // menu was rebuilt) in the language of the overlay; their state follows the document.
    void InstallCompareEntries();
    void UpdateCompareEntries();
    // Compares the working image with b and shows the result; nameB names b.
    void ShowCompare(const std::string& nameB, const cmcEeprom& b);
    // Opens the sheet of a listed difference at its cell.
    void OpenDifference(const indCompare::Difference& difference);
    static void OnCompareConnected(void* context, dst_CDrv_Result* result);
    static void OnCompareReadDone(void* context, dst_CDrv_Result* result);

    QLabel* m_makerPanel = nullptr;
    // The write's questions are answered; the next connection sends the image.
    bool m_writePending = false;
    // Typed keys: the maker sequence's position, the last 8 and the last 32 characters.
    int m_makerKeyPos = 0;
    std::string m_typed8;
    std::string m_typed32;
    datClipCh m_clipboard;
    cuiCellPopups m_popups;
    std::unique_ptr<indActiveCell> m_activeCell;
    std::unique_ptr<indAdjust> m_adjust;
    QPointer<iuiWinAd> m_winAd;
    std::unique_ptr<cuiEditHistory> m_history;
    std::unique_ptr<indCloneWrite> m_cloneWrite;
    uint32_t m_historyGeneration = 0;
    std::array<QAction*, kCompareEntries> m_compareEntries{};
    QAction* m_compareSeparator = nullptr;
    QPointer<cuiCompareWindow> m_compare;
};
