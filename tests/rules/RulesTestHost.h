#pragma once
#include <map>
#include <string>
#include <vector>

#include "cells/cmcFCache.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datClipCh.h"
#include "model/indUndo.h"
#include "rules/indRulesHost.h"

// The program around the cell rules, over bare images: a working image with its saved
// snapshot, a reference image, the channel clipboard, counters of what the rules asked for,
// and the main window's part of the channel and alias events (26, 27, 30, 31) and the bank
// sheet's answer to the bank query (28).
class RulesTestHost : public indRulesHost {
public:
    struct Event {
        int32_t id;
        int32_t mode;
        intptr_t arg1;
        intptr_t arg2;
        std::string text;
    };

    RulesTestHost();
    ~RulesTestHost() override;

    cmcEeprom& WorkImage() override { return work; }
    cmcEeprom& ReferenceImage() override { return reference; }
    int ModelType() const override { return modelType; }
    bool MakerMode() const override { return maker; }
    bool ExtendedMode() const override { return false; }
    bool FactoryMode() const override { return false; }
    cmcFCache& Cache() override { return cache; }
    ICellPopups* Popups() override { return nullptr; }
    datClipCh* Clipboard() override { return &clipboard; }
    void SetBulkOperation(bool on) override;
    void StartWarningRecheck() override { ++rechecks; }
    void CheckModified() override;
    void PackWorkImage() override;
    int HelpContextOf(int32_t cellId) override;
    void ShowHelp(int context) override { helpShown.push_back(context); }
    bool RunCommand(int32_t, int32_t) override { return false; }
    std::vector<uint8_t> CloneInfo() const override { return cloneInfo; }
    indUndo* Undo() override { return &undo; }
    indAdjust* Adjust() override { return adjust; }

    // The working image becomes its own saved state.
    void Saved()
    {
        snapshot.Assign(work);
        modified = false;
    }
    // Events of an id raised so far.
    int Count(int32_t id) const;

    cmcEeprom work, reference, snapshot;
    int modelType = 0;
    bool maker = false;
    std::vector<uint8_t> cloneInfo;  // the last information block; empty: none
    cmcFCache cache;
    datClipCh clipboard;
    indUndo undo;
    int rechecks = 0;
    int modifiedChecks = 0;
    bool modified = false;
    int packs = 0;
    bool bulk = false;
    int bulkDeletes = 0;  // deletions seen while the bulk flag was set
    std::map<int32_t, int> help;
    std::vector<int> helpShown;
    int answerBank = -1;  // the bank the bank sheet shows; -1: no bank sheet
    std::vector<Event> events;
    indAdjust* adjust = nullptr;  // adjustment mode

private:
    static void OnEvent(void* context, const cmcEvent& e);
};
