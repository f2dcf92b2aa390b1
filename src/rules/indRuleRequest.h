#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "model/datCh.h"
#include "model/datDaloAdr.h"
#include "rules/indRulesHost.h"

// The working values of one cell request, from the frame that prepares it to the handler
// that answers it. indActiveCell fills it before it dispatches; a handler reads the cell,
// works on the image and the record, adds repaint bits and sets the opened result.
struct indRuleRequest {
    indRuleRequest(cmcCellCapsule& c, int m, indRulesHost& h)
        : capsule(c), mode(m), host(h), record(h.WorkImage()), address(h.WorkImage())
    {
    }
    indRuleRequest(const indRuleRequest&) = delete;
    indRuleRequest& operator=(const indRuleRequest&) = delete;

    cmcCellCapsule& capsule;
    int mode;  // 0 draw or evaluate, 1 user event
    indRulesHost& host;

    // The record the cell's index addresses (kind 0: none was loaded).
    datCh record;
    // The digital address ranges, for the address cells.
    datDaloAdr address;

    // The cell as the frame sees it. id is the identifier the dispatch runs on: the cell's
    // own, unless a category rule replaced it (DTMF) or the frame skipped the cell's own
    // handling (CL_Null then).
    int32_t category = kNoCategory;
    int32_t id = kNoId;
    int32_t index = 0;

    // Bank context: the bank the current sheet shows, its first and last channel and its
    // size; all 0 without an answer.
    int32_t bank = 0;
    int32_t bankFirst = 0;
    int32_t bankLast = 0;
    int32_t bankSize = 0;
    // The cell's index lies beyond the bank (or beyond the MDC alias count).
    bool outside = false;
    // Banks are in use (bank 1 has channels).
    bool banksEnabled = false;

    // Facts of a memory channel under model type 2, for the channel cells.
    bool mskOn = false;
    bool mskOff = false;
    bool mskRepeater = false;  // MSK repeater flag set, model type 1 or 2

    // Answers: the repaint selector (cmcCellCapsule::kRepaint... bits) and the opened result
    // (cmcCellCapsule::kResult...).
    int repaint = cmcCellCapsule::kRepaintSame;
    int opened = cmcCellCapsule::kResultNone;

    // Shorthands.
    uint8_t* Image() { return host.WorkImage().Data(); }
    cmcEeprom& WorkImage() { return host.WorkImage(); }
    int ModelType() const { return host.ModelType(); }
    cmcCellObj& Cell() { return *capsule.cell; }
    bool UserEvent() const { return mode == 1; }
    // The memory channel record kind of the current model type.
    int32_t ChannelKind() const { return host.ModelType() + 1; }
};
