#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "model/indMemMap.h"

class cmcCellObj;
class indRulesHost;
struct indRuleRequest;

// The model's rules for every cell: the one door through which sheets, choice lists,
// menus, the tree, printing and the maker windows reach the radio's data. Each request runs
// the same frame: the record the cell's index addresses is loaded, the bank the current
// sheet shows is asked for, popup-menu row commands run, the rules of the cell's category
// apply (blank rows of unused or missing channels, the DTMF rows of the LMR model, MDC
// aliases), then the cell's own handler, and at the end the sheet is asked to repaint and
// the program to re-check warnings and the modified flag. The object holds no state of a
// request; it only knows the host it works for.
class indActiveCell {
public:
    explicit indActiveCell(indRulesHost& host) : m_host(host) {}

    // The entry point sheets call (a cmcCellRulesFn); rules is the indActiveCell.
    static int Rules(void* rules, cmcCellCapsule* capsule, int mode);
    // mode 0 draws or evaluates, 1 is a user event; returns the opened result.
    int Run(cmcCellCapsule& capsule, int mode);

    // The warning and error bits (cmcCellCapsule::kFlagWarning, kFlagError) of a cell, with
    // the bank that holds channel number index.
    uint8_t EvaluateFlags(int32_t category, int32_t id, int32_t index);
    // The text a cell shows when the rules run on it with key = value.
    std::string EvaluateText(const cmcCellObj& cell, int32_t value);
    // The same, returning the opened result (and the text, when asked for).
    int EvaluateResult(const cmcCellObj& cell, int32_t value, std::string* text = nullptr);

    // The record kind a category's index addresses (0: none).
    static int32_t RecordKind(int32_t category, int modelType);
    // Identifiers whose rule shows nothing and does nothing.
    static bool HasEmptyRule(int32_t id);
    // The bank holding channel number index: the first bank b whose sizes of banks 0 to b
    // add up to more than index; 0 when none does.
    static int32_t BankHolding(indMemMap::ConstImage image, int32_t index);

    indRulesHost& Host() { return m_host; }

private:
    void AskBankContext(indRuleRequest& r);
    bool IsOutside(indRuleRequest& r, int32_t kind, int32_t index) const;
    // Popup-menu commands; true when the cell's own handling is skipped.
    bool Command(indRuleRequest& r, int32_t kind);
    void RowCommand(indRuleRequest& r, int32_t kind);
    void Help(indRuleRequest& r);
    // Category rules; true when the cell's own handling is skipped.
    bool CategoryRules(indRuleRequest& r);
    void Dispatch(indRuleRequest& r);
    bool ListItem(indRuleRequest& r);
    // The row commands of a row's popup menu: disabled where they cannot act.
    bool PopupItem(indRuleRequest& r);

    indRulesHost& m_host;
    bool m_recording = false;  // a user request is being recorded for undo
};
