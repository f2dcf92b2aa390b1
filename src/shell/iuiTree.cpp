#include "shell/iuiTree.h"

#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "shell/SheetReference.h"

iuiTree::iuiTree(QWidget* owner, cmcGTex& gtex, const std::string& entry,
                 const QList<QIcon>& images, cmcEeprom& image)
    : cuiTree(owner, gtex, entry, images), m_image(image)
{
}

int iuiTree::BankOf(QTreeWidgetItem* node)
{
    cmcCellObj* c = CellOf(node);
    if (!c || !c->altText)
        return -1;
    const SheetReference r = SheetReference::Split(*c->altText);
    if (r.kind != "St_ChBank" || r.parameter.empty() ||
        std::string("Bank").find(r.parameter[0]) == std::string::npos || r.parameter.size() < 5)
        return -1;
    // Banks are numbered from 0 in references: "Bank 0" is the first bank.
    int32_t n = 0;
    if (!txt::ReadLeadingInt(txt::Trim(r.parameter.substr(4)), &n))
        return -1;
    return n >= 0 && n < kDatBanks ? n : -1;
}

void iuiTree::RefreshBankIcons()
{
    for (QTreeWidgetItem* n : Nodes()) {
        const int b = BankOf(n);
        if (b < 0)
            continue;
        const int icon =
            4 + 2 * (datBankFlag(m_image, b) ? 1 : 0) + (datBankSize(m_image, b) > 0 ? 1 : 0);
        if (icon != ImageOf(n))
            SetImage(n, icon);
    }
}

void iuiTree::SetBankText(int bank, const std::string& text)
{
    // The radio keeps no bank names: the name the model gives a bank then only says so, and
    // the node keeps the caption the tree gave it ("Bank 2", "Channels").
    const bool unnamed = txt::Trim(text).empty() || text == datBankName(bank);
    for (QTreeWidgetItem* n : Nodes())
        if (BankOf(n) == bank)
            n->setText(0, plat::ToQt(unnamed ? CellOf(n)->Text() : text));
}

void iuiTree::HandleEvent(const cmcEvent& event)
{
    switch (event.id) {
        case ev::kRefreshBankIcons:
            RefreshBankIcons();
            break;
        case ev::kSetBankName:
            SetBankText(static_cast<int>(event.arg2), event.Text());
            break;
        case ev::kRefreshBankNames: {
            const intptr_t a = event.arg1, c = event.arg2;
            if (a < kDatBanks && a <= c) {
                SetBankText(static_cast<int>(a), datBankName(static_cast<int32_t>(a)));
                if (g_EvMan)
                    g_EvMan->Post(ev::kRefreshBankNames, a + 1, c);
            }
            break;
        }
        default:
            cuiTree::HandleEvent(event);
    }
}
