#pragma once
#include <cstdint>
#include <string>
#include <vector>

class cmcEeprom;
class cmcFCache;
class datClipCh;
class indAdjust;
class ICellPopups;
class cmcCellCapsule;
class indUndo;

// What the model cell rules need from the program around them: the document's images and
// modes, and the few main-window operations a cell may start. The program's main object
// implements it; tests implement it over a bare image. The rules never reach the main
// window or the document any other way, so the whole edit path runs headless.
class indRulesHost {
public:
    virtual ~indRulesHost() = default;

    // The working image that sheets edit (7424 bytes).
    virtual cmcEeprom& WorkImage() = 0;
    // The reference image: the initial clone file of the current model type.
    virtual cmcEeprom& ReferenceImage() = 0;
    // 0 LMR, 1 PMR, 2 digital-signalling PMR, 3 PMR446 digital.
    virtual int ModelType() const = 0;
    virtual bool MakerMode() const = 0;
    virtual bool ExtendedMode() const = 0;
    virtual bool FactoryMode() const = 0;

    // Choice lists parsed from the overlay, and the windows the codecs open.
    virtual cmcFCache& Cache() = 0;
    virtual ICellPopups* Popups() = 0;

    // End of a user request: start the 250 ms warning re-check delay, and compare the
    // working image with its saved snapshot to set the modified flag.
    virtual void StartWarningRecheck() = 0;
    virtual void CheckModified() = 0;
    // The program's one channel clipboard, which copy fills and paste reads. The main object
    // owns it so that a copy outlives the sheet and the request it was made in. A host
    // without one (null) has copy do nothing and paste disabled.
    virtual datClipCh* Clipboard() { return nullptr; }
    // Set while a row command deletes channel after channel, so that the main object can
    // hold back work it would otherwise do after each single deletion.
    virtual void SetBulkOperation(bool on) { (void)on; }

    // Items of the main window's edit menu; its placeholder item shows only when it is the
    // one item there.
    virtual int EditMenuItems() const { return 0; }

    // Packs the working area of the working image into its EEPROM blocks.
    virtual void PackWorkImage() = 0;
    // The help context number of a cell (0 when there is none) and opening help there.
    virtual int HelpContextOf(int32_t cellId) = 0;
    virtual void ShowHelp(int context) = 0;
    // True when ShowHelp itself tells the user that a cell has no topic (context 0);
    // otherwise the rules say so.
    virtual bool HelpReportsMissingTopics() const { return false; }
    // Menu, tool bar and model commands that a command cell runs on Enter; false when the
    // host has no such command.
    virtual bool RunCommand(int32_t cellId, int32_t index) = 0;
    // Whether a command cell is currently available (greyed out otherwise) and checked.
    virtual bool CommandEnabled(int32_t cellId, int32_t index)
    {
        return (void)cellId, (void)index, true;
    }
    virtual bool CommandChecked(int32_t cellId, int32_t index)
    {
        return (void)cellId, (void)index, false;
    }
    // The edit history of the working image (null: the host keeps none). The rules record
    // one step for every user request that changed the image.
    virtual indUndo* Undo() { return nullptr; }
    // The name of the setting a request edits, for the edit menu ("Channel 3 Receive
    // Frequency"); empty when the host cannot tell.
    virtual std::string EditDescription(const cmcCellCapsule& capsule)
    {
        return (void)capsule, std::string();
    }
    // The adjustment state while adjustment mode is on (null otherwise): the adjustment
    // cells send their changes to the radio through it and show its readings.
    virtual indAdjust* Adjust() { return nullptr; }
    // The 80-byte information block of the radio identified last (see indCloneInfo); empty
    // when no radio has been identified since the program started.
    virtual std::vector<uint8_t> CloneInfo() const { return {}; }
    // Opens the sheet that a "CallSheet" cell names in its altText (a sheet reference).
    virtual void OpenSheet(const std::string& reference) { (void)reference; }
};
