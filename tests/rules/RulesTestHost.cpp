#include "rules/RulesTestHost.h"

#include "model/datChEdit.h"
#include "model/indBlockMap.h"

RulesTestHost::RulesTestHost()
{
    work.SetSize(indMemMap::kImageSize);
    reference.SetSize(indMemMap::kImageSize);
    snapshot.SetSize(indMemMap::kImageSize);
    if (g_EvMan)
        g_EvMan->Subscribe(&RulesTestHost::OnEvent, this);
}

RulesTestHost::~RulesTestHost()
{
    if (g_EvMan)
        g_EvMan->Unsubscribe(&RulesTestHost::OnEvent, this);
}

void RulesTestHost::SetBulkOperation(bool on)
{
    bulk = on;
}

void RulesTestHost::CheckModified()
{
    ++modifiedChecks;
    modified = !work.Equals(snapshot);
}

void RulesTestHost::PackWorkImage()
{
    ++packs;
    indBlockMap::Pack(work);
}

int RulesTestHost::HelpContextOf(int32_t cellId)
{
    auto it = help.find(cellId);
    return it == help.end() ? 0 : it->second;
}

int RulesTestHost::Count(int32_t id) const
{
    int n = 0;
    for (const Event& e : events)
        n += e.id == id;
    return n;
}

void RulesTestHost::OnEvent(void* context, const cmcEvent& e)
{
    auto* h = static_cast<RulesTestHost*>(context);
    h->events.push_back({e.id, e.mode, e.arg1, e.arg2, e.Text()});
    const int32_t kind = h->modelType + 1;
    const auto a1 = static_cast<int32_t>(e.arg1);
    const auto a2 = static_cast<int32_t>(e.arg2);
    switch (e.id) {
        case ev::kQueryBankSelection:
            if (h->answerBank >= 0)
                g_EvMan->Answer(h->answerBank, 0);
            break;
        case ev::kInsertChannel:
            datChEdit::InsertChannelInBank(h->work, h->reference, kind, a1, a2);
            break;
        case ev::kDeleteChannel:
            h->bulkDeletes += h->bulk;
            datChEdit::DeleteChannelFromBank(h->work, h->reference, kind, a1, a2);
            break;
        case ev::kInsertMdcAlias:
            datChEdit::InsertAlias(h->work, h->reference, a2);
            break;
        case ev::kDeleteMdcAlias:
            datChEdit::DeleteAlias(h->work, h->reference, a2);
            break;
        default:
            break;
    }
}
