#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "rules/indRulesHost.h"
#include "sheets/cuiCellPopups.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"

// The one Qt application object of the sheet tests (offscreen).
QApplication& SheetsApp();

// Identifiers the test rules give a meaning to.
constexpr int32_t kIdText = Flex0;       // a text value; typing opens the editor
constexpr int32_t kIdChoice = Flex1;     // a value chosen from the list "TL"
constexpr int32_t kIdListItem = Flex2;   // the items of the list "TL"
constexpr int32_t kIdRowNo = FlexMark;   // shows index + 1
constexpr int32_t kIdRepeat = FlexDtcs;  // asks for repetitions, see TestRules::repeatMode

// A small rules function of the tests' own: values live in maps by index.
struct TestRules {
    std::map<int32_t, std::string> texts;
    std::map<int32_t, int32_t> choices;
    std::vector<std::string> log;  // one line per user event
    int32_t copyFirst = -1, copyLast = -1, copySel = -1;
    int repeatMode = 0;  // 1 ask again without moving, 2 jump to a missing cell, 3 jump down
    int repeatCalls = 0;
    int warnIndex = -1;  // cells of this index carry a warning mark
    bool pasteDisabled = false;
    int choiceRectLeft = -1;  // the edited cell's left edge as a choice reached it  // the rules
                              // disable the Paste menu item
    int32_t choiceBank = -1;  // the bank the picked item's request named
    // When set, the choice column opens the model's list "CL" with this parameter.
    std::string modelListParameter;
    cmcGTex* store = nullptr;

    static int Call(void* self, cmcCellCapsule* cap, int mode)
    {
        return static_cast<TestRules*>(self)->Run(cap, mode);
    }
    int Run(cmcCellCapsule* cap, int mode);
};

// Small overlays written by the tests into a temporary folder.
class SheetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes an overlay of the common entries plus extra lines, and opens it.
    void UseOverlay(const std::vector<std::string>& extra);
    // A sheet over entry name in a 640x400 window, shown.
    std::unique_ptr<cuiSheet> Make(const std::string& entry, const std::string& display = "",
                                   bool show = true);
    // The test sheet "TS": 1 header row and column, 6 channel rows of a text, a choice and
    // a text column.
    static std::vector<std::string> TestSheetLines();
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {});
    void Type(const QString& text);
    void ProcessDeferred();

    QTemporaryDir dir;
    cmcGTex store;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<cmcEvMan> evman;
    TestRules rules;
    cuiCellPopups popups;
    std::unique_ptr<cuiImageList> images;
    cuiSheet* current = nullptr;
};

// A model host over a bare image, for the row directives that depend on the model.
struct TestHost : indRulesHost {
    cmcEeprom image;
    int model = 0;
    bool maker = false;
    bool extended = false;
    cmcEeprom& WorkImage() override { return image; }
    cmcEeprom& ReferenceImage() override { return image; }
    int ModelType() const override { return model; }
    bool MakerMode() const override { return maker; }
    bool ExtendedMode() const override { return extended; }
    bool FactoryMode() const override { return false; }
    cmcFCache& Cache() override { std::abort(); }
    ICellPopups* Popups() override { return nullptr; }
    void StartWarningRecheck() override {}
    void CheckModified() override {}
    void PackWorkImage() override {}
    int HelpContextOf(int32_t) override { return 0; }
    void ShowHelp(int) override {}
    bool RunCommand(int32_t, int32_t) override { return false; }
};
