#pragma once
#include "shell/cuiTree.h"

class cmcEeprom;

// The model's tree: keeps the icons and captions of the bank nodes in step with the image.
// A bank node opens a "[St_ChBank]" sheet whose parameter reads "Bank" and a number.
class iuiTree : public cuiTree {
public:
    iuiTree(QWidget* owner, cmcGTex& gtex, const std::string& entry, const QList<QIcon>& images,
            cmcEeprom& image);

    // The bank a node shows, or -1 when it is not a bank node.
    static int BankOf(QTreeWidgetItem* node);
    // Icon 4 + 2 x (bank flag) + (bank holds channels) for every bank node.
    void RefreshBankIcons();
    // Event 35: the bank's nodes show text; a bank without a stored name keeps its caption.
    void SetBankText(int bank, const std::string& text);

protected:
    void HandleEvent(const cmcEvent& event) override;

private:
    cmcEeprom& m_image;
};
