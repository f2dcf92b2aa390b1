#include "rules/indActiveCell.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "model/datChKinds.h"
#include "model/datClipCh.h"
#include "model/indUndo.h"
#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"
#include "rules/AdjustCells.h"
#include "rules/indBankRules.h"
#include "rules/indChannelRules.h"
#include "rules/indCheckRules.h"
#include "rules/indGenericRules.h"
#include "rules/indInfoCells.h"
#include "rules/indListRules.h"
#include "rules/indRowCommands.h"
#include "rules/indRuleRequest.h"
#include "rules/indRulesHost.h"

namespace {

constexpr int32_t kMdcAliasKind = datKindNumber(datKind::MdcAlias);
constexpr int32_t K(datKind kind)
{
    return datKindNumber(kind);
}
// Keys below this are typed characters and the keys of the codecs; above it come the
// edge-arrow and function keys, which a blank row lets through.
constexpr int32_t kFirstSpecialKey = 128;

// The alias list has five entries; a larger stored count never makes rows past them exist.
int32_t AliasCount(indMemMap::ConstImage image)
{
    return std::clamp(datStatusCount(image), 0, 5);
}

}  // namespace

// Sheets hold the rules as a cmcCellRulesFn with the indActiveCell as its context.
static_assert(std::is_same_v<decltype(&indActiveCell::Rules), cmcCellRulesFn>);

int indActiveCell::Rules(void* rules, cmcCellCapsule* capsule, int mode)
{
    if (!rules || !capsule)
        return cmcCellCapsule::kResultNone;
    return static_cast<indActiveCell*>(rules)->Run(*capsule, mode);
}

int32_t indActiveCell::RecordKind(int32_t category, int modelType)
{
    switch (category) {
        case CT_Mch:
        case CT_Mch_Check:
            return modelType + 1;
        case CT_CEdit:
            return K(datKind::UserChar);
        case CT_DTMF:
            return K(datKind::Dtmf);
        case CT_Scan:
            return K(datKind::Scan);
        case CT_CTone:
            return K(datKind::TonePair);
        case CT_RX_Code:
            return K(datKind::RxCode);
        case CT_TX_Code:
            return K(datKind::TxCode);
        case CT_UserTone:
            return K(datKind::UserTone);
        case CT_2Tone_Code:
            return 12;  // the 2-tone codes
        case CT_2ToneTX_Common:
            return 13;  // their common transmit settings, no storage
        case CT_BankOp:
            return K(datKind::BankOp);
        case CT_MSK_IdGroup:
            return K(datKind::MskIdGroup);
        case CT_MSK_CallList:
            return K(datKind::CallList);
        case CT_MSK_Msg_Status:
            return K(datKind::MskStatus);
        case CT_MSK_Msg_ShortTxt:
            return K(datKind::MskShortText);
        case CT_Dig_Msg_Status:
            return K(datKind::DigStatus);
        case CT_MDC_Alias:
            return kMdcAliasKind;
        default:
            return 0;
    }
}

bool indActiveCell::HasEmptyRule(int32_t id)
{
    switch (id) {
        case CL_Null:
        case Flex_Language_ChNo:
        case CL_Comm_Strv_Text:
        case CL_Adjust_LvRx_Sweep:
        case CL_Adjust_LvTx_Sweep:
        case CL_Adjust_Smeter_Sweep:
        case CL_WinAD_SMTR_Dec:
        case kNoId:
            return true;
        default:
            // The rows of MDC aliases 2 to 5 use the alias 1 cells with the alias index.
            return id >= CL_Mdc_Alias2_Strip && id <= CL_Mdc_Alias5_Text;
    }
}

int32_t indActiveCell::BankHolding(indMemMap::ConstImage image, int32_t index)
{
    int32_t sum = 0;
    for (int32_t b = 0; b < kDatBanks; ++b) {
        sum += datBankSize(image, b);
        if (sum >= index + 1)
            return b;
    }
    return 0;
}

void indActiveCell::AskBankContext(indRuleRequest& r)
{
    // A sheet drawing a cell (it gives a canvas) or sending an event (it gives itself and its
    // grid) asks the bank sheet which bank it shows. An evaluation outside a sheet (for a
    // check, the tree or a menu) names its bank in the capsule, and so does a sheet request
    // when no bank sheet answers.
    r.bank = r.capsule.bank;
    const cmcCellCapsule& c = r.capsule;
    // A popup item asks for the sheet whose row the menu belongs to.
    const cuiSheet* sheet = c.sheet ? c.sheet : (c.context ? c.context->sheet : nullptr);
    if ((sheet || c.grid || c.canvas) && g_EvMan) {
        // The sheet that sends the request answers for itself (a bank sheet being printed
        // shows its own bank); a sheet that shows no bank (a choice list) takes the bank of
        // the bank sheet on screen.
        const auto asker = reinterpret_cast<intptr_t>(sheet);
        const cmcEvAnswer* a = nullptr;
        if (asker != 0)
            a = g_EvMan->Query(ev::kQueryBankSelection, asker, ev::kBankOfAsker);
        if (!a)
            a = g_EvMan->Query(ev::kQueryBankSelection, asker, ev::kBankOnScreen);
        if (a)
            r.bank = a->value1;
    }
    const cmcEeprom& img = r.WorkImage();
    if (r.bank < 0 || r.bank >= kDatBanks) {
        r.bankFirst = r.bankLast = r.bankSize = 0;
    } else {
        r.bankFirst = datChannelsBefore(img, r.bank);
        r.bankSize = datBankSize(img, r.bank);
        // An empty bank has no rows: first to first - 1, never the next bank's channel.
        r.bankLast = r.bankFirst + r.bankSize - 1;
    }
    r.banksEnabled = datBankSize(img, 1) != 0;
}

bool indActiveCell::IsOutside(indRuleRequest& r, int32_t kind, int32_t index) const
{
    if (kind == kMdcAliasKind) {
        const int32_t count = AliasCount(r.WorkImage());
        return index + 1 > count || count == 0;
    }
    return index > r.bankLast || r.bankSize == 0;
}

int indActiveCell::Run(cmcCellCapsule& capsule, int mode)
{
    if (!capsule.cell)
        return cmcCellCapsule::kResultNone;
    cmcCellObj& cell = *capsule.cell;
    if (cell.category < 0 || cell.category > kNoCategory)
        plat::FatalError(txt::Format("Unknown Cell Category. (%d)", cell.category));

    // A user's request is one step of the edit history, whatever it changes (the value, the
    // record, the repairs and the packing that follow).
    indUndo* undo = m_host.Undo();
    const bool record = undo != nullptr && !m_recording && mode == 1 &&
                        (capsule.key != 0 || capsule.inputMode != 0 || capsule.command != 0);
    if (record) {
        undo->Begin(m_host.WorkImage().Data(), m_host.WorkImage().size());
        m_recording = true;
    }
    struct Recording {
        indActiveCell& self;
        bool on;
        ~Recording()
        {
            if (on)
                self.m_recording = false;
        }
    } recording{*this, record};

    indRuleRequest r(capsule, mode, m_host);
    r.category = cell.category;
    r.id = cell.id;
    r.index = cell.index;
    const int32_t kind = RecordKind(cell.category, m_host.ModelType());
    AskBankContext(r);
    r.outside = IsOutside(r, kind, r.index);

    capsule.text.clear();
    capsule.flags &=
        static_cast<uint8_t>(~(cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError));
    if (kind != 0)
        r.record.Load(kind, r.index);
    if (datKindOf(r.record.Kind()) == datKind::DaloChannel) {
        r.mskOn = r.record.mskSig != 0;
        r.mskOff = !r.mskOn;
        const indModelType mt = indModelTypeOf(m_host.ModelType());
        r.mskRepeater =
            r.record.mskRpt != 0 && (mt == indModelType::Pmr || mt == indModelType::DaloPmr);
    }

    capsule.jumpCategory = cell.category;
    capsule.jumpId = cell.id;
    capsule.jumpIndex = cell.index;
    if (capsule.key == cmcCellCapsule::kKeyDoubleClick)
        capsule.key = cmcCellCapsule::kKeyEnter;

    bool skip = capsule.command != 0 && Command(r, kind);
    if (!skip)
        skip = CategoryRules(r);
    r.id = skip ? static_cast<int32_t>(CL_Null) : capsule.jumpId;
    Dispatch(r);

    // End of the request.
    if (r.record.Kind() != 0)
        r.repaint |= cmcCellCapsule::kRepaintIndex;
    if (record)
        undo->Commit(m_host.WorkImage().Data(), m_host.WorkImage().size(),
                     m_host.EditDescription(capsule));
    if (mode == 1) {
        if (r.repaint != 0)
            capsule.Repaint(r.repaint);
        // Only a user's edit can change the image; drawing and evaluating for the tree or the
        // printer must not restart the warning re-check on every cell.
        if (capsule.key != 0 || capsule.inputMode != 0 || capsule.command != 0) {
            m_host.StartWarningRecheck();
            m_host.CheckModified();
        }
    }
    return r.opened;
}

bool indActiveCell::Command(indRuleRequest& r, int32_t kind)
{
    cmcCellCapsule& c = r.capsule;
    if (c.command == CL_PMenu_Edit) {
        c.key = cmcCellCapsule::kKeyEnter;
        c.command = 0;
        return false;
    }
    if (c.command >= CL_PMenu_Copy && c.command <= CL_PMenu_InsShift) {
        RowCommand(r, kind);
        return true;
    }
    if (c.command == CL_PMenu_Help) {
        Help(r);
        return true;
    }
    return false;
}

void indActiveCell::RowCommand(indRuleRequest& r, int32_t kind)
{
    if (kind == 0)
        return;
    cmcCellCapsule& c = r.capsule;
    int32_t a = datKindFirstIndex(kind);
    int32_t b = datKindLastIndex(kind);
    if (r.category == CT_Mch || r.category == CT_Mch_Check) {
        a = r.bankFirst;
        b = r.bankLast;
    } else if (r.category == CT_MDC_Alias) {
        r.bank = 0;
        b = AliasCount(r.WorkImage()) - 1;
    }
    cmcEeprom& work = m_host.WorkImage();
    const std::vector<uint8_t> before(work.Data(), work.Data() + work.GetSize());
    if (r.category == CT_BankOp &&
        (c.command == CL_PMenu_CarryUp || c.command == CL_PMenu_CarryDown))
        indBankRules::CarryBanks(r);  // whole banks move
    else
        indRowCommands::Run(r, a, b);
    // Pack only when the command changed something: a refused or cancelled command leaves
    // the image, and its packed blocks, exactly as they were.
    if (!std::equal(before.begin(), before.end(), work.Data()))
        m_host.PackWorkImage();
}

void indActiveCell::Help(indRuleRequest& r)
{
    const int context = m_host.HelpContextOf(r.Cell().id);
    if (context != 0 || m_host.HelpReportsMissingTopics())
        m_host.ShowHelp(context);
    else
        OverlayBox("GI_AppMess_NoHelp", plat::BoxIcon::Information, plat::BoxButtons::Ok);
}

bool indActiveCell::CategoryRules(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    const int mt = m_host.ModelType();
    switch (r.category) {
        case CT_PopupMenu: {
            // The items of a row's popup menu act on the row the menu was opened on.
            if (c.context && c.context->cell) {
                const cmcCellObj& row = *c.context->cell;
                const int32_t kind = RecordKind(row.category, mt);
                r.index = row.index;
                r.record.Load(kind, row.index);
                r.outside = IsOutside(r, kind, row.index);
            }
            return false;
        }
        case CT_Mch: {
            const bool pmr = indModelTypeOf(mt) == indModelType::Pmr;
            const int32_t atr = pmr ? CL_Mch_Atr_Pmr : CL_Mch_Atr;
            const int32_t freq = pmr ? CL_Mch_FreqR_Pmr : CL_Mch_FreqR;
            auto jumpToFrequency = [&]() {
                c.jumpId = freq;
                c.jump = 1;
                c.repeatKey = c.key;
            };
            // A channel not in use shows nothing but its attributes, and a typed character
            // goes to the receive frequency, where it brings the channel into use.
            if (!r.record.InUse() && r.id != atr && c.key < kFirstSpecialKey && r.id != freq) {
                jumpToFrequency();
                return true;
            }
            // A row beyond the bank: only the receive frequency can create the channel.
            if (r.outside && r.id != freq) {
                if (c.key < kFirstSpecialKey)
                    jumpToFrequency();
                return true;
            }
            return false;
        }
        case CT_DTMF:
            // The LMR model keeps its emergency and ID codes in the DTMF rows 1 and 2.
            if (indModelTypeOf(mt) == indModelType::Lmr &&
                (c.jumpId == CL_Dtmf_Code || c.jumpId == CL_Dtmf_CodeID ||
                 c.jumpId == CL_Dtmf_CodeEmer))
                c.jumpId = r.index == 1   ? CL_Dtmf_CodeEmer
                           : r.index == 2 ? CL_Dtmf_CodeID
                                          : CL_Dtmf_Code;
            return false;
        case CT_MDC_Alias:
            r.record.Load(kMdcAliasKind, r.index);
            r.outside = IsOutside(r, kMdcAliasKind, r.index);
            // The row number names the New row, which is outside the list: it shows, and
            // only a typed key moves on to the name.
            if (r.outside && r.id == FlexMdcAlias_ChNo && c.key == 0)
                return false;
            if (r.outside && r.id != CL_Mdc_Alias1_Text) {
                if (c.key < kFirstSpecialKey) {
                    c.jumpId = CL_Mdc_Alias1_Text;
                    c.jump = 1;
                    c.repeatKey = c.key;
                }
                return true;
            }
            return false;
        default:
            return false;
    }
}

void indActiveCell::Dispatch(indRuleRequest& r)
{
    if (HasEmptyRule(r.id))
        return;
    if (r.id >= 0 && r.id < kIdCount &&
        (ListItem(r) || PopupItem(r) || indInfoCells::Handle(r) || indChannelRules::Handle(r) ||
         indBankRules::Handle(r) || indCheckRules::Handle(r) || indListRules::Handle(r) ||
         AdjustCells::Handle(r) || indGenericRules::Handle(r)))
        return;
    r.capsule.text = txt::Format("%d *Yet*", r.id);
}

bool indActiveCell::ListItem(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    switch (r.id) {
        case Flex0:
        case Flex1:
        case Flex2:
        case FlexDtcs:
        case FlexKeyOpt:
        case FlexZoneSel:
        case FlexScrmPort:
        case FlexAdjCh:
            c.text = r.Cell().Text();
            return true;
        case FlexCHSel:
            // A channel list built from the image numbers its rows from 1.
            c.text = txt::Trim(r.Cell().Text()).empty() ? txt::Format("%d", r.index + 1)
                                                        : r.Cell().Text();
            return true;
        case FlexZoneSelNum:
        case FlexCHSelNum:
            c.text = txt::Format("%d", r.index);
            return true;
        case FlexMdcAlias_ChNo:
            if (r.index == AliasCount(r.WorkImage()) && g_GTex)
                c.text = g_GTex->GetText("GI_NewChTitle");
            else
                c.text = txt::Format("%3d", r.index + 1);
            return true;
        default:
            return false;
    }
}

bool indActiveCell::PopupItem(indRuleRequest& r)
{
    if (r.id == CL_PMenu_NoItem) {
        // The placeholder of an empty edit menu.
        r.Cell().SetUserFlag(cmcCellObj::kFlagDisabled, true);
        if (m_host.EditMenuItems() != 1)
            r.Cell().SetUserFlag(cmcCellObj::kFlagHidden, true);
        return true;
    }
    const int32_t kind = r.record.Kind();
    const int32_t i = r.index;
    const bool channel = datIsChannelKind(kind);
    const bool codes = kind == K(datKind::RxCode) || kind == 12;  // row 0 holds no code
    const int32_t aliases = AliasCount(r.WorkImage());
    const bool pastAliases = kind == kMdcAliasKind && (i + 1 > aliases || aliases == 0);
    bool disabled = false;
    switch (r.id) {
        case CL_PMenu_Copy:
        case CL_PMenu_Clear:
        case CL_PMenu_Delete:
        case CL_PMenu_DelShift:
            disabled = (kind == kMdcAliasKind && pastAliases) ||
                       (kind == K(datKind::MskStatus) && i == 23) || (codes && i == 0) ||
                       (channel && r.outside);
            break;
        case CL_PMenu_Paste:
            disabled = !m_host.Clipboard() || !m_host.Clipboard()->Accepts(kind) ||
                       (channel && r.outside) || (codes && i == 0) || pastAliases;
            break;
        case CL_PMenu_CarryUp:
            disabled = !(datKindFirstIndex(kind) < i && i <= datKindLastIndex(kind)) ||
                       (channel && (r.outside || i == r.bankFirst)) || (codes && i == 0) ||
                       pastAliases;
            break;
        case CL_PMenu_CarryDown:
            disabled = !(datKindFirstIndex(kind) - 1 < i && i < datKindLastIndex(kind)) ||
                       (channel && i >= r.bankLast) || (codes && i == 0) || pastAliases ||
                       (kind == kMdcAliasKind && i + 1 == aliases);
            break;
        default:
            return false;  // edit, insert, insert-shift and help have no rule
    }
    if (disabled)
        r.Cell().SetUserFlag(cmcCellObj::kFlagDisabled, true);
    return true;
}

uint8_t indActiveCell::EvaluateFlags(int32_t category, int32_t id, int32_t index)
{
    cmcCellObj cell;
    cell.category = category;
    cell.id = id;
    cell.index = index;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.bank = BankHolding(m_host.WorkImage(), index);
    Run(capsule, 0);
    return capsule.flags & (cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError);
}

int indActiveCell::EvaluateResult(const cmcCellObj& cell, int32_t value, std::string* text)
{
    cmcCellObj copy(cell);
    cmcCellCapsule capsule;
    capsule.cell = &copy;
    capsule.key = value;
    const int result = Run(capsule, 0);
    if (text)
        *text = capsule.text;
    return result;
}

std::string indActiveCell::EvaluateText(const cmcCellObj& cell, int32_t value)
{
    std::string text;
    EvaluateResult(cell, value, &text);
    return text;
}
