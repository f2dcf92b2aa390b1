#pragma once
#include <cstdint>

// Numbers of the program-wide events raised through cmcEvMan. A1 and A2 are the event's
// two arguments, P its payload.
namespace ev {

// send; A2 = control of a window being destroyed: trees, popups and windows owned by it
// let go of it.
constexpr int32_t kWindowDestroyed = 1;
// send: the main window refreshes menus (9) and tool bar (20).
constexpr int32_t kRefreshUi = 2;
// post: the main window shows the About box.
constexpr int32_t kShowAbout = 3;
// send or post; A1 = text colour, A2 = background colour, P = text: status message panel.
constexpr int32_t kStatusMessage = 4;
// Not raised by the program: the main window opens the debug window.
constexpr int32_t kOpenDebugWindow = 5;
// Not raised by the program: the main window opens the EEPROM debug window.
constexpr int32_t kOpenEepromDebugWindow = 6;
// Not raised by the program: the main window opens the debug compare window.
constexpr int32_t kOpenDebugCompareWindow = 7;
// send: the working image is copied into the compare snapshot.
constexpr int32_t kCopyToCompareImage = 8;
// send: the main menu re-evaluates every item.
constexpr int32_t kRefreshMenu = 9;
// send; A2 = cell identifier: the sub-menu of that item is emptied.
constexpr int32_t kClearSubMenu = 10;
// send or post; A1 = menu builder, A2 = cell identifier, P = overlay key: sub-menu items
// are appended from the entry P + "_Body".
constexpr int32_t kAppendSubMenu = 11;
// query; A1 = menu item: the sheet owning that popup answers with its current cell (48 bytes).
constexpr int32_t kQueryPopupCell = 12;
// send or post: sheets redraw all cells.
constexpr int32_t kRedrawAll = 13;
// Not raised by the program; A2 = category number: sheets redraw the cells of that category.
constexpr int32_t kRedrawCategory = 14;
// Not raised by the program; A2 = identifier number: sheets redraw the cells of that identifier.
constexpr int32_t kRedrawIdentifier = 15;
// post; A2 = index: sheets redraw the cells of that index.
constexpr int32_t kRedrawIndex = 16;
// Not raised by the program; A2 = index: sheets redraw the cells with an index less or
// equal.
constexpr int32_t kRedrawIndexUpTo = 17;
// send; A2 = index: sheets redraw the cells with an index greater or equal.
constexpr int32_t kRedrawIndexFrom = 18;
// post; P = 12 bytes from a sheet. No handler.
constexpr int32_t kSheetNotice = 19;
// send: the tool bar re-evaluates every button.
constexpr int32_t kRefreshToolBar = 20;
// send: editors end the edit in progress and close popup editors.
constexpr int32_t kCommitEdits = 21;
// Not raised by the program; P = text: the debug window appends it.
constexpr int32_t kDebugText = 22;
// post: the EEPROM debug window refreshes.
constexpr int32_t kEepromDebugRefresh = 23;
// Not raised by the program; A2 = image address: the EEPROM debug window moves its
// cursor there.
constexpr int32_t kEepromDebugGoto = 24;
// send: the model removes excluded tree nodes and restores the selection.
constexpr int32_t kTreeRebuilt = 25;
// send; A1 = bank, A2 = position: the main window inserts an empty channel.
constexpr int32_t kInsertChannel = 26;
// send; A1 = bank, A2 = position: the main window deletes a channel.
constexpr int32_t kDeleteChannel = 27;
// query; A1 = the asking sheet, A2 = kBankOfAsker or kBankOnScreen: a bank sheet answers with
// its bank and first channel (value 1, value 2): with kBankOfAsker only the asking sheet
// itself, with kBankOnScreen only the bank sheet on screen.
constexpr int32_t kQueryBankSelection = 28;
constexpr intptr_t kBankOfAsker = 1;
constexpr intptr_t kBankOnScreen = 0;
// send or post: the image changed. No handler acts on it.
constexpr int32_t kImageChanged = 29;
// send; A2 = position: the main window inserts an empty MDC alias entry.
constexpr int32_t kInsertMdcAlias = 30;
// send; A2 = position: the main window deletes an MDC alias entry.
constexpr int32_t kDeleteMdcAlias = 31;
// send; A1 = number of rows (0 means 1): bank and MDC alias sheets add grid rows.
constexpr int32_t kAddRows = 32;
// send; A1 = number of rows (0 means 1): bank and MDC alias sheets remove grid rows.
constexpr int32_t kRemoveRows = 33;
// post: the model tree refreshes the icons of the bank nodes.
constexpr int32_t kRefreshBankIcons = 34;
// post; A2 = bank, P = bank name: the model tree sets that bank node's text.
constexpr int32_t kSetBankName = 35;
// post; A1 = bank, A2 = last bank, P = bank name: the model tree renames bank nodes one
// per tick, reposting for A1 + 1.
constexpr int32_t kRefreshBankNames = 36;
// post: the model opens the adjustment window ("GI_Sheet_Win_AD"), or, when it is already
// open, posts 41 with its name so that it closes.
constexpr int32_t kToggleAdjustWindow = 39;
// send: the adjustment window re-evaluates all its cells (new readings arrived).
constexpr int32_t kAdjustRefresh = 40;
// post; P = sheet entry name: the adjustment window closes when P names its sheet.
constexpr int32_t kCloseAdjustWindow = 41;
// send: the adjustment window, while its sheet shows, rebuilds the sheet, restores the
// cursor and top row last stored for it, and stores its placement again (font size change).
constexpr int32_t kRebuildAdjustWindow = 42;

}  // namespace ev
