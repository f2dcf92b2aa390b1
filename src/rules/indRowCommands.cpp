#include "rules/indRowCommands.h"

#include <algorithm>

#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "model/datChKinds.h"
#include "model/datClipCh.h"
#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "rules/indCapacity.h"
#include "rules/indRuleRequest.h"

namespace {

// The status panel shows row command messages as window text on the button face.
constexpr intptr_t kStatusText = 0x80000008;
constexpr intptr_t kStatusFace = 0x8000000F;
constexpr int32_t kAliasKind = datKindNumber(datKind::MdcAlias);
constexpr int32_t kMaxAliases = 5;

class Rows {
public:
    Rows(indRuleRequest& r, int32_t a, int32_t b)
        : m_r(r),
          m_c(r.capsule),
          m_work(r.host.WorkImage()),
          m_kind(r.record.Kind()),
          m_d(r.record.Index()),
          m_a(a),
          m_b(b)
    {
        m_lo = m_d;
        m_hi = m_d;
        if (m_c.selectionFlags & cmcCellCapsule::kSelRange) {
            m_lo = std::min(m_c.rangeFirst, m_c.rangeLast);
            m_hi = std::max(m_c.rangeFirst, m_c.rangeLast);
        }
    }

    void Run()
    {
        switch (m_c.command) {
            case CL_PMenu_Copy:
                Copy();
                break;
            case CL_PMenu_Paste:
                Paste();
                break;
            case CL_PMenu_CarryUp:
                Carry(-1);
                break;
            case CL_PMenu_CarryDown:
                Carry(+1);
                break;
            case CL_PMenu_Clear:
                Clear();
                break;
            case CL_PMenu_Delete:
                Delete();
                break;
            case CL_PMenu_Insert:
                Insert();
                break;
            case CL_PMenu_DelShift:
                DeleteShift();
                break;
            case CL_PMenu_InsShift:
                InsertShift();
                break;
            default:
                break;
        }
        m_r.record.Reload();
    }

private:
    bool IsChannel() const { return datIsChannelKind(m_kind); }
    bool Inside(int32_t i) const { return i >= m_a && i <= m_b; }
    // The range cut to the rows the sheet shows; false when nothing of it is left.
    bool ClipRange()
    {
        m_lo = std::max(m_lo, m_a);
        m_hi = std::min(m_hi, m_b);
        return m_lo <= m_hi;
    }

    bool AnyInUse(int32_t from, int32_t to)
    {
        datCh ch(m_work);
        for (int32_t i = from; i <= to; ++i) {
            ch.Load(m_kind, i);
            if (ch.InUse())
                return true;
        }
        return false;
    }
    int32_t AttrOf(int32_t i)
    {
        datCh ch(m_work);
        ch.Load(m_kind, i);
        return ch.attr;
    }

    static void Status(const char* key, bool send)
    {
        if (!g_EvMan || !g_GTex)
            return;
        const std::string text = g_GTex->GetText(key);
        if (send)
            g_EvMan->SendText(ev::kStatusMessage, kStatusText, kStatusFace, text);
        else
            g_EvMan->PostText(ev::kStatusMessage, kStatusText, kStatusFace, text);
    }
    static void Post(int32_t id, intptr_t a1 = 0, intptr_t a2 = 0)
    {
        if (g_EvMan)
            g_EvMan->Post(id, a1, a2);
    }
    static void Send(int32_t id, intptr_t a1 = 0, intptr_t a2 = 0)
    {
        if (g_EvMan)
            g_EvMan->Send(id, a1, a2);
    }
    static void Refuse(const char* key)
    {
        OverlayBox(key, plat::BoxIcon::Error, plat::BoxButtons::Ok);
    }

    void ShowSelection(int32_t first, int32_t last)
    {
        m_c.selectionFlags |= cmcCellCapsule::kSelRangeChanged;
        m_c.rangeFirst = first;
        m_c.rangeLast = last;
    }
    void HideSelection() { m_c.selectionFlags &= ~cmcCellCapsule::kSelRangeChanged; }
    void CursorTo(int32_t row)
    {
        m_c.jump = 1;
        m_c.jumpIndex = row;
    }

    // Rows from .. to replaced by the reference image's records; they keep their flags.
    void ClearFromReference(int32_t from, int32_t to)
    {
        datClipCh blank;
        blank.CopyFrom(m_r.host.ReferenceImage(), m_kind, from, to - from + 1);
        blank.PasteKeep(m_work, m_kind, from, to - from + 1);
        for (int32_t i = from; i <= to; ++i)
            Post(ev::kRedrawIndex, 0, i);
    }
    // Records from .. from + count - 1 stored at to ..; each keeps its own priority flags.
    void Move(int32_t from, int32_t count, int32_t to)
    {
        if (count <= 0)
            return;
        datClipCh moving;
        moving.CopyFrom(m_work, m_kind, from, count);
        moving.PasteTo(m_work, m_kind, to, count);
    }

    void Copy()
    {
        datClipCh* clip = m_r.host.Clipboard();
        if (!clip || !Inside(m_d) || !ClipRange())
            return;
        clip->CopyFrom(m_work, m_kind, m_lo, m_hi - m_lo + 1);
        ShowSelection(m_lo, m_hi);
        Status(indRowCommands::kStatusCopy, true);
    }

    void Paste()
    {
        datClipCh* clip = m_r.host.Clipboard();
        if (!clip || !Inside(m_d) || !clip->Accepts(m_kind))
            return;
        const int32_t count = std::min(clip->Count(), m_b - m_d + 1);
        if (count <= 0)
            return;
        if (AnyInUse(m_d, m_d + count - 1) && !ConfirmBox(indRowCommands::kConfirmOverwrite))
            return;
        clip->PasteKeep(m_work, m_kind, m_d, count);
        if (count == 1)
            Post(ev::kRedrawIndex, 0, m_d);
        else
            Post(ev::kRedrawAll);
        ShowSelection(m_d, m_d + count - 1);
        Status(indRowCommands::kStatusPaste, true);
    }

    void Carry(int32_t f)
    {
        if (m_lo < m_a || m_hi > m_b)
            return;
        if (f > 0 ? m_hi >= m_b : m_lo <= m_a)
            return;
        const int32_t n = m_hi - m_lo + 1;
        if (IsChannel()) {
            const int32_t e = m_lo, d = m_hi;
            datChEdit::CarryReferences(m_work, e, d, f);
        }
        const int32_t neighbour = f > 0 ? m_hi + 1 : m_lo - 1;
        datClipCh range, other;
        range.CopyFrom(m_work, m_kind, m_lo, n);
        other.CopyFrom(m_work, m_kind, neighbour, 1);
        range.PasteTo(m_work, m_kind, m_lo + f, n);
        other.PasteTo(m_work, m_kind, f > 0 ? m_lo : m_hi, 1);
        ShowSelection(m_lo + f, m_hi + f);
        CursorTo(f > 0 ? m_hi + f : m_lo + f);
        Post(ev::kRedrawAll);
    }

    void Clear()
    {
        if (!datKindEditable(m_kind) || !ClipRange())
            return;
        if (!ConfirmBox(indRowCommands::kConfirmClear))
            return;
        ClearFromReference(m_lo, m_hi);
        Status(indRowCommands::kStatusClear, true);
    }

    void Delete()
    {
        // Only memory channels and MDC aliases have rows that can go away.
        if (!datKindEditable(m_kind) || (!IsChannel() && m_kind != kAliasKind) || !ClipRange())
            return;
        if (AnyInUse(m_lo, m_hi) && !ConfirmBox(indRowCommands::kConfirmDelete))
            return;
        const int32_t rows = m_hi - m_lo + 1;
        if (m_kind == kAliasKind) {
            for (int32_t i = 0; i < rows; ++i)
                Send(ev::kDeleteMdcAlias, 0, m_lo);
        } else if (IsChannel()) {
            bool prio = false, special = false;
            for (int32_t i = m_lo; i <= m_hi; ++i) {
                const int32_t attr = AttrOf(i);
                prio |= (attr & (datCh::kAtrPrio1 | datCh::kAtrPrio2)) != 0;
                special |= (attr & datCh::kAtrSpecial) != 0;
            }
            if (prio && indModelTypeOf(m_r.ModelType()) != indModelType::Pmr446Digital) {
                Refuse(indRowCommands::kErrorDelPrio);
                return;
            }
            if (special) {
                datCh last(m_work);
                last.Load(m_kind, m_hi);
                last.attr |= datCh::kAtrSpecialOff;
                last.attr &= ~datCh::kAtrSpecial;
                last.Save();
            }
            m_r.host.SetBulkOperation(true);
            for (int32_t i = 0; i < rows; ++i)
                Send(ev::kDeleteChannel, m_r.bank, m_lo);
            m_r.host.SetBulkOperation(false);
        }
        HideSelection();
        // The cursor stays on a row that is left: the one that moved up into the gap, else
        // the list's new last row (the new row only when none is left).
        CursorTo(std::max(m_a, std::min(m_lo, m_b - rows)));
        Post(ev::kRedrawAll);
        Status(indRowCommands::kStatusDelete, false);
    }

    void Insert()
    {
        if (!datKindEditable(m_kind) || (!IsChannel() && m_kind != kAliasKind))
            return;
        // A new row goes at a row the sheet shows or right after the last one.
        if (m_lo < m_a || m_lo > m_b + 1)
            return;
        const int32_t rows = m_hi - m_lo + 1;
        for (int32_t i = 0; i < rows; ++i) {
            if (m_kind == kAliasKind) {
                if (datStatusCount(m_work) >= kMaxAliases ||
                    !indCapacity::Fits(m_work, kAliasKind, 1)) {
                    Refuse(indRowCommands::kErrorOverflow);
                    break;
                }
                Send(ev::kInsertMdcAlias, 0, m_lo);
            } else if (IsChannel()) {
                if (datTotalChannels(m_work) >= kDatChannelSlots ||
                    !indCapacity::Fits(m_work, m_kind, 1)) {
                    Refuse(indRowCommands::kErrorOverflow);
                    break;
                }
                Send(ev::kInsertChannel, m_r.bank, m_lo);
            }
        }
        ShowSelection(m_lo, m_hi);
        Status(indRowCommands::kStatusInsert, true);
    }

    // The list is the rows a .. b; the range lo .. hi is removed and the rows after it move
    // up, leaving blank rows at the end.
    void DeleteShift()
    {
        if (!datKindEditable(m_kind) || !ClipRange())
            return;
        if (AnyInUse(m_lo, m_hi) && !ConfirmBox(indRowCommands::kConfirmDelete))
            return;
        const int32_t n = m_hi - m_lo + 1;
        if (IsChannel()) {
            // References into the removed rows now name row lo, as the priority flags do.
            datCh first(m_work);
            constexpr int32_t kMerged = datCh::kAtrPrio1 | datCh::kAtrPrio2 | datCh::kAtrSpecial;
            int32_t merged = 0;
            for (int32_t i = m_lo; i <= m_hi; ++i)
                merged |= AttrOf(i) & kMerged;
            first.Load(m_kind, m_lo);
            first.attr |= merged;
            first.Save();
            const int32_t lo = m_lo, hi = m_hi, b = m_b;
            datChEdit::MapReferences(m_work, [=](int32_t v) {
                if (v >= lo && v <= hi)
                    return lo;
                return v > hi && v <= b ? v - n : v;
            });
        }
        if (m_hi < m_b)
            Move(m_hi + 1, m_b - m_hi, m_lo);
        ClearFromReference(m_b - n + 1, m_b);
        HideSelection();
        CursorTo(m_lo);
        Post(ev::kRedrawAll);
        Status(indRowCommands::kStatusDelete, false);
    }

    // Blank rows lo .. hi open in the list a .. b; the rows after them move down and the
    // last ones drop off the end.
    void InsertShift()
    {
        if (!datKindEditable(m_kind) || !ClipRange())
            return;
        const int32_t n = m_hi - m_lo + 1;
        if (AnyInUse(m_b - n + 1, m_b) && !ConfirmBox(indRowCommands::kConfirmOverflow))
            return;
        if (IsChannel()) {
            const int32_t lo = m_lo, b = m_b;
            datChEdit::MapReferences(m_work,
                                     [=](int32_t v) { return v >= lo && v <= b - n ? v + n : v; });
        }
        if (m_hi < m_b)
            Move(m_lo, m_b - m_hi, m_hi + 1);
        ClearFromReference(m_lo, m_hi);
        Post(ev::kRedrawAll);
        ShowSelection(m_lo, m_hi);
        Status(indRowCommands::kStatusInsert, true);
    }

    indRuleRequest& m_r;
    cmcCellCapsule& m_c;
    cmcEeprom& m_work;
    int32_t m_kind;
    int32_t m_d;  // the current row
    int32_t m_a;  // the first and last row the sheet shows
    int32_t m_b;
    int32_t m_lo = 0;  // the range the command acts on
    int32_t m_hi = 0;
};

}  // namespace

void indRowCommands::Run(indRuleRequest& r, int32_t a, int32_t b)
{
    if (r.record.Kind() == 0)
        return;
    Rows(r, a, b).Run();
}
