#pragma once
#include <QStringList>

#include "shell/cuiMain.h"

class QLabel;

// The model's main object. For now it adds the maker and factory adjustment switches of
// the command line to the common main object.
class indMain : public cuiMain {
public:
    indMain(const std::string& programCode, int imageSize);

    void CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                  const QList<QIcon>& toolBarImages) override;

    // Applies the command-line switches, each at every argument that matches it
    // (case-insensitively, otherwise exactly), in the order maker, factory adjustment.
    void ApplySwitches(const QStringList& arguments);
    void EnterMakerMode();
    void EnterFactoryAdjustMode();

    bool MakerMode() const { return m_maker; }
    bool FactoryAdjustMode() const { return m_factoryAdj; }
    QLabel* MakerPanel() const { return m_makerPanel; }

private:
    bool m_maker = false;
    bool m_factoryAdj = false;
    QLabel* m_makerPanel = nullptr;
};
