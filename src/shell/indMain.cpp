#include "shell/indMain.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/TForm1.h"

indMain::indMain(const std::string& programCode, int imageSize) : cuiMain(programCode, imageSize) {}

void indMain::CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                       const QList<QIcon>& toolBarImages)
{
    cuiMain::CreateUi(form, treeImages, toolBarImages);
    ApplySwitches(QCoreApplication::arguments());
}

void indMain::ApplySwitches(const QStringList& arguments)
{
    for (const QString& arg : arguments)
        if (arg.toLower() == QLatin1String("/vultane"))
            EnterMakerMode();
    for (const QString& arg : arguments)
        if (arg.toLower() == QLatin1String("/factory_adj"))
            EnterFactoryAdjustMode();
}

void indMain::EnterMakerMode()
{
    if (m_maker)
        return;
    if (!ConfirmBox("GI_Mess_Maker_Caution"))
        return;
    m_maker = true;
    if (m_form) {
        m_makerPanel = new QLabel(plat::ToQt(g_GTex->GetLine("GI_StatusPanel_Maker", 0)));
        m_makerPanel->setObjectName(QStringLiteral("MakerPanel"));
        m_form->statusBar()->addPermanentWidget(m_makerPanel);
    }
}

void indMain::EnterFactoryAdjustMode()
{
    if (m_factoryAdj)
        return;
    if (ConfirmBox("GI_Mess_FactADJMode_Caution"))
        m_factoryAdj = true;
}
