#include "shell/indMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "cells/ICellPopups.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcFCache.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "maker/iuiWinAd.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "model/indBlockMap.h"
#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/Fatal.h"
#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "rules/indActiveCell.h"
#include "rules/indAdjust.h"
#include "rules/indCompare.h"
#include "rules/indKeyPortRules.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"
#include "shell/Outline.h"
#include "shell/ShellRules.h"
#include "shell/TForm1.h"
#include "shell/cuiChannelTable.h"
#include "shell/cuiCloneProgress.h"
#include "shell/cuiCloneUi.h"
#include "shell/cuiCompareWindow.h"
#include "shell/cuiFleetDialog.h"
#include "shell/cuiMenu.h"
#include "shell/cuiToolBar.h"
#include "shell/indCloneWrite.h"
#include "shell/iuiTree.h"

indMain::indMain(const std::string& programCode, int imageSize) : cuiMain(programCode, imageSize)
{
    m_activeCell = std::make_unique<indActiveCell>(*static_cast<indRulesHost*>(this));
    m_history = std::make_unique<cuiEditHistory>(m_doc.Work(), [this]() {
        // The bytes are back as they were: sheets show them again, the checks run again and
        // the document is unmodified when it is back at its saved state.
        m_doc.RecheckModified();
        UpdateTitle();
        StartWarningRecheck();
        if (g_EvMan)
            g_EvMan->Post(ev::kRedrawAll);
    });
    m_cloneWrite = std::make_unique<indCloneWrite>(*this);
    SetRules(&indMain::Rules, this);
    cuiSheet::SetDefaultRules(&indMain::Rules, this);
    cuiSheet::SetModelHost(this);
    // The codecs find the choice lists and open their windows through these.
    g_FCache = &Cache();
    g_CellPopups = &m_popups;
    InitCodes();
}

indMain::~indMain()
{
    delete m_winAd.data();
    m_adjust.reset();
    if (g_FCache == &Cache())
        g_FCache = nullptr;
    if (g_CellPopups == &m_popups)
        g_CellPopups = nullptr;
    if (cuiSheet::ModelHost() == this) {
        cuiSheet::SetModelHost(nullptr);
        cuiSheet::SetDefaultRules(nullptr, nullptr);
    }
}

int indMain::Rules(void* context, cmcCellCapsule* capsule, int mode)
{
    auto* self = static_cast<indMain*>(context);
    const cmcCellObj* cell = capsule ? capsule->cell : nullptr;
    // Help on the language cell is a cell's help like any other.
    if (cell && capsule->command != CL_PMenu_Help &&
        ((cell->id >= CL_Menu_File_New && cell->id <= CallSheet) ||
         cell->id == CL_Menu_Clone_Safety || cell->id == CL_PMenu_NoItem ||
         cell->id == CL_Langage_Select || cell->id == Flex_Language_ChNo))
        return ShellRules(static_cast<indRulesHost*>(self), capsule, mode);
    // F1 on a sheet's cell is its help, in a pop-up at the cell.
    if (cell && capsule->key == cmcCellCapsule::kKeyF1 && capsule->command == 0 && mode == 1) {
        self->AnchorHelpAtCurrentCell();
        capsule->key = 0;
        capsule->command = CL_PMenu_Help;
    }
    return indActiveCell::Rules(self->m_activeCell.get(), capsule, mode);
}

void indMain::CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                       const QList<QIcon>& toolBarImages)
{
    cuiMain::CreateUi(form, treeImages, toolBarImages);
    QAction* edit = Menu() ? Menu()->FindById(CL_Menu_Edit_Top) : nullptr;
    m_history->Install(form, edit ? edit->menu() : nullptr);
    InstallCompareEntries();
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
    if (m_doc.maker)
        return;
    if (!ConfirmBox("GI_Mess_Maker_Caution")) {
        m_makerKeyPos = 0;
        return;
    }
    m_doc.maker = true;
    RefreshTitle();
    if (m_form) {
        m_makerPanel = new QLabel(plat::ToQt(g_GTex->GetLine("GI_StatusPanel_Maker", 0)));
        m_makerPanel->setObjectName(QStringLiteral("MakerPanel"));
        m_makerPanel->setStyleSheet(
            QStringLiteral("QLabel { background: #800000; color: white; padding: 0 6px; }"));
        m_makerPanel->setAlignment(Qt::AlignCenter);
        const QFontMetrics fm(m_makerPanel->font());
        m_makerPanel->setMinimumWidth(fm.horizontalAdvance(m_makerPanel->text()) +
                                      fm.horizontalAdvance(QStringLiteral("XX")));
        m_form->statusBar()->addPermanentWidget(m_makerPanel);
    }
}

void indMain::EnterExtendedMode()
{
    if (m_doc.extended)
        return;
    if (!ConfirmBox("GI_Mess_Extended_Caution"))
        return;
    m_doc.extended = true;
    RefreshTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);
}

void indMain::EnterFactoryAdjustMode()
{
    if (m_doc.factory)
        return;
    if (ConfirmBox("GI_Mess_FactADJMode_Caution"))
        m_doc.factory = true;
}

void indMain::ChangeModelType(int modelType, bool ask)
{
    if (modelType == m_doc.ModelType() || modelType < 0 || modelType >= indDocument::kModelTypes)
        return;
    if (ask) {
        if (!ConfirmBox("GI_AppMess_ChangeModel"))
            return;
        // The new model type starts a new document: unsaved work is offered for saving.
        if (ConfirmDiscard(false) == kCancel)
            return;
    }
    m_doc.ChangeModelType(modelType, ask);
    // Adjustment mode belongs to the radio on the bench, not to another model type.
    LeaveAdjustMode();
    if (g_Environ)
        g_Environ->modelType = modelType;
    UpdateTitle();
    RefreshTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);
}

void indMain::RefreshTitle()
{
    cuiMain::RefreshTitle();
    if (!m_tree)
        return;
    QTreeWidget* t = m_tree->Control();
    if (t->topLevelItemCount() > 0) {
        QTreeWidgetItem* root = t->topLevelItem(0);
        root->setText(
            0, root->text(0) + plat::ToQt(g_GTex->GetLine("GI_AppInd_Model", m_doc.ModelType())));
    }
}

void indMain::CountWarnings(int* errors, int* warnings)
{
    cuiMain::CountWarnings(errors, warnings);
    if (g_EvMan) {
        g_EvMan->Post(ev::kRefreshBankIcons);
        g_EvMan->Post(ev::kImageChanged);
    }
}

void indMain::HandleEvent(const cmcEvent& event)
{
    const int kind = m_doc.ModelType() + 1;
    if (event.id == ev::kRefreshMenu)
        UpdateCompareEntries();
    // The set-up and the bisections go on whenever the link is idle.
    if (m_adjust && m_doc.adjust && m_adjust->LinkIdle())
        m_adjust->Step();
    switch (event.id) {
        case ev::kToggleAdjustWindow:
            ToggleAdjustWindow();
            return;
        case ev::kTreeRebuilt:
            RemoveBranches();
            return;
        case ev::kInsertChannel:
            datChEdit::InsertChannelInBank(m_doc.Work(), m_doc.Reference(), kind,
                                           static_cast<int32_t>(event.arg1),
                                           static_cast<int32_t>(event.arg2));
            if (g_EvMan) {
                g_EvMan->Send(ev::kAddRows);
                g_EvMan->Send(ev::kImageChanged);
            }
            return;
        case ev::kDeleteChannel:
            datChEdit::DeleteChannelFromBank(m_doc.Work(), m_doc.Reference(), kind,
                                             static_cast<int32_t>(event.arg1),
                                             static_cast<int32_t>(event.arg2));
            if (g_EvMan) {
                g_EvMan->Send(ev::kRemoveRows);
                g_EvMan->Send(ev::kImageChanged);
                g_EvMan->Send(ev::kRedrawIndexFrom, 0, event.arg2);
            }
            return;
        case ev::kInsertMdcAlias: {
            // The alias sheet grows only by an entry the list took.
            const int32_t count = datStatusCount(m_doc.Work());
            datChEdit::InsertAlias(m_doc.Work(), m_doc.Reference(),
                                   static_cast<int32_t>(event.arg2));
            if (g_EvMan && datStatusCount(m_doc.Work()) != count) {
                g_EvMan->Send(ev::kAddRows);
                g_EvMan->Send(ev::kImageChanged);
            }
            return;
        }
        case ev::kDeleteMdcAlias: {
            const int32_t count = datStatusCount(m_doc.Work());
            datChEdit::DeleteAlias(m_doc.Work(), m_doc.Reference(),
                                   static_cast<int32_t>(event.arg2));
            if (g_EvMan && datStatusCount(m_doc.Work()) != count) {
                g_EvMan->Send(ev::kRemoveRows);
                g_EvMan->Send(ev::kImageChanged);
                g_EvMan->Send(ev::kRedrawIndexFrom, 0, event.arg2);
            }
            return;
        }
        default:
            cuiMain::HandleEvent(event);
    }
}

void indMain::RemoveBranches()
{
    if (!m_tree)
        return;
    QTreeWidget* t = m_tree->Control();
    const cmcCellObj* before = m_tree->SelectedCell();
    const std::string selected = before && before->altText ? *before->altText : std::string();
    const int type = m_doc.ModelType();
    const bool eacc = (m_doc.Work().GetByte(0x000B) & 0x10) != 0;
    const bool removed[8] = {
        !m_doc.maker,            // 0: maker entries
        type != 0,               // 1: LMR only
        type != 1 && type != 2,  // 2: PMR kinds only
        type != 2,               // 3: digital-signalling PMR only
        type == 3,               // 4: not on PMR446 digital
        !eacc,                   // 5: extended access
        !m_doc.adjust,           // 6: adjustment mode
        false,
    };
    t->blockSignals(true);
    bool again = true;
    while (again) {
        again = false;
        for (QTreeWidgetItem* n : m_tree->Nodes()) {
            const cmcCellObj* c = cuiTree::CellOf(n);
            bool drop = false;
            for (int k = 0; k < 8 && c; ++k)
                drop = drop || (removed[k] && c->UserFlag(k));
            if (drop) {
                m_tree->DeleteNode(n);
                again = true;
                break;
            }
        }
    }
    // With extended access the digital timers come back after the digital messages.
    if (eacc && !m_tree->FindByEntry("GI_Sheet_Dig_Tim")) {
        const std::vector<OutlineLine> lines = ReadOutline(*g_GTex, "GI_Tree_Main_Body");
        QTreeWidgetItem* messages = m_tree->FindByEntry("GI_Sheet_Dig_ProgMes");
        QTreeWidgetItem* host = nullptr;
        for (QTreeWidgetItem* n : m_tree->Nodes()) {
            if (n == messages)
                break;
            host = n;
        }
        if (!messages)
            host = nullptr;
        for (const OutlineLine& l : lines)
            if (host && l.definition.find("GI_Sheet_Dig_Tim") != std::string::npos) {
                m_tree->AddNode(host, l.definition);
                break;
            }
    }
    // The memory channel branch starts with one bank.
    if (QTreeWidgetItem* top = m_tree->FindBySheet("GI_Sheet_Memory_CH_Top")) {
        m_tree->DeleteChildren(top);
        const char* name = indDocument::ModelTypeName(type);
        // In bank mode every bank has its node ("Bank 1" to "Bank 8"), otherwise the one bank.
        if (datBankSize(m_doc.Work(), 1) != 0) {
            const std::string line = g_GTex->GetLine("GI_Tree_Branch_Mch_Free", 1);
            for (int b = 0; b < kDatBanks; ++b)
                m_tree->AddNode(top, OvlFormat(line, {name, b, b + 1}));
        } else {
            m_tree->AddNode(top,
                            OvlFormat(g_GTex->GetLine("GI_Tree_Branch_Mch_Free", 0), {name, 0}));
        }
        top->setExpanded(true);
    }
    t->blockSignals(false);
    const cmcCellObj* now = m_tree->SelectedCell();
    const std::string nowRef = now && now->altText ? *now->altText : std::string();
    if (!t->currentItem() && t->topLevelItemCount() > 0)
        t->setCurrentItem(t->topLevelItem(0));
    else if (nowRef != selected)
        if (QTreeWidgetItem* next = t->itemBelow(t->currentItem()))
            t->setCurrentItem(next);
    if (g_EvMan)
        g_EvMan->Post(ev::kRefreshBankIcons);
}

indUndo* indMain::Undo()
{
    // New, open, clone read and a chosen model type start a new history.
    if (m_historyGeneration != m_doc.Generation()) {
        m_history->Clear();
        m_historyGeneration = m_doc.Generation();
    }
    return &m_history->History();
}

std::string indMain::EditDescription(const cmcCellCapsule& capsule)
{
    return cuiEditHistory::Describe(capsule.sheet, capsule.cell);
}

int indMain::EditMenuItems() const
{
    QAction* edit = m_menu ? m_menu->FindById(CL_Menu_Edit_Top) : nullptr;
    return edit && edit->menu() ? static_cast<int>(edit->menu()->actions().size()) : 0;
}

void indMain::PackWorkImage()
{
    indBlockMap::Pack(m_doc.Work());
}

int indMain::HelpContextOf(int32_t cellId)
{
    if (!g_HelpGTex)
        return 0;
    // A key or port assignment cell has the help of the function it is given; without a
    // topic for that function, the help of the setting itself.
    std::string function;
    std::string codeKey;
    if (indKeyPortRules::AssignedFunction(m_doc.Work().Data(), ModelType(), cellId, &function,
                                          &codeKey))
        if (const int context = g_HelpGTex->KeyAssignContext(function, codeKey); context != 0)
            return context;
    return g_HelpGTex->CellContext(IdName(cellId), cellId);
}

void indMain::ShowHelp(int context)
{
    ShowHelpTopic(context);
}

void indMain::OnLanguageChanged()
{
    // The menu was built again: the compare and backup entries go back into it.
    InstallCompareEntries();
    if (m_compare)
        m_compare->close();
    if (m_makerPanel)
        m_makerPanel->setText(plat::ToQt(g_GTex->GetLine("GI_StatusPanel_Maker", 0)));
}

void indMain::NotYet()
{
    OverlayBox("GI_AppMess_NotAvailable", plat::BoxIcon::Information, plat::BoxButtons::Ok);
}

namespace {

// The write safety setting of a menu entry: 0 backup before write, 1 confirm the changes,
// 2 verify after write (null without a settings store).
int* WriteSafety(indEnviron* env, int32_t index)
{
    if (!env)
        return nullptr;
    switch (index) {
        case 0:
            return &env->backupBeforeWrite;
        case 1:
            return &env->confirmBeforeWrite;
        case 2:
            return &env->verifyAfterWrite;
        default:
            return nullptr;
    }
}

}  // namespace

bool indMain::RunCommand(int32_t cellId, int32_t index)
{
    indEnviron* env = g_Environ;
    // Item 1 of the write command writes the image into several radios in turn.
    if (cellId == CL_Menu_Clone_Write && index == 1) {
        if (g_EvMan)
            g_EvMan->Send(ev::kCommitEdits);
        cuiFleetDialog dialog(m_doc, m_form);
        dialog.exec();
        return true;
    }
    switch (cellId) {
        case CL_Menu_File_New:
            NewDocument();
            return true;
        case CL_Menu_File_Open:
            // Item 1 of the open command reads the channels from a table instead.
            if (index == 1) {
                if (cuiChannelTable::Import(*this, m_form) == 0) {
                    CloseSheet();
                    if (g_EvMan)
                        g_EvMan->Send(ev::kTreeRebuilt);
                }
                return true;
            }
            OpenDocument();
            return true;
        case CL_Menu_File_Save:
            SaveDocument();
            return true;
        case CL_Menu_File_SaveAs:
            // Item 1 of save as writes the channels as a table instead.
            if (index == 1) {
                if (g_EvMan)
                    g_EvMan->Send(ev::kCommitEdits);
                cuiChannelTable::Export(*this, m_form);
                return true;
            }
            SaveAs();
            return true;
        case CL_Menu_File_Recent:
            if (env && index >= 0 && index < env->recent.Count() &&
                !env->recent.At(index).empty()) {
                const std::string path = env->recent.At(index);  // the open reorders the list
                OpenFile(path);
            }
            return true;
        case CL_Menu_File_Exit:
            if (m_form)
                m_form->close();
            return true;
        case CL_Menu_View_FontSize:
            if (env)
                env->fontSizePercentage = index;
            resetColumnWidths = true;
            CloseSheet();
            // The adjustment window's sheet follows the new size.
            if (m_winAd && g_EvMan)
                g_EvMan->Send(ev::kRebuildAdjustWindow);
            return true;
        case CL_Menu_View_ToolBar:
            if (env)
                env->toolbarVisible = env->toolbarVisible ? 0 : 1;
            if (m_toolBar)
                m_toolBar->Control()->setVisible(!env || env->toolbarVisible);
            return true;
        case CL_Menu_Port_Com:
            if (env)
                env->comPort = index;
            if (g_EvMan)
                g_EvMan->Send(ev::kRefreshUi);
            return true;
        case CL_Menu_Port_SpeedHigh:
            if (env)
                env->comSpeedHigh = index;
            return true;
        case CL_Menu_Clone_Safety:
            if (int* on = WriteSafety(env, index))
                *on = *on ? 0 : 1;
            return true;
        case CL_Model_Lmr:
        case CL_Model_Pmr:
        case CL_Model_DaloPmr:
        case CL_Model_DPmr446:
            ChangeModelType(cellId - CL_Model_Lmr, true);
            return true;
        case CL_Help_About:
            if (g_EvMan)
                g_EvMan->Post(ev::kShowAbout);
            return true;
        case CL_Menu_File_Print_Current:
            PrintSheets(false);
            return true;
        case CL_Menu_File_Print_All:
            PrintSheets(true);
            return true;
        case CL_Help_Contents:
            ShowHelpContents();
            return true;
        case CL_Menu_Lang:
            OpenLanguageWindow();
            return true;
        case CL_Menu_Port_Usb:
            PortDialog();
            return true;
        case CL_Menu_Clone_Read:
            // A plain read never enters adjustment mode, even after an adjustment read that
            // stopped half-way (a refused password, a refused image).
            if (m_adjust && m_adjust->State() == indAdjust::kStateRequested)
                m_adjust->SetState(indAdjust::kStateIdle);
            CloneRead();
            return true;
        case CL_Menu_Clone_Write:
            StartCloneWrite();
            return true;
        case CL_Menu_Clone_Info:
            // The command, not the rules host's information block of the same name.
            cuiMain::CloneInfo();
            return true;
        case CL_Menu_Ad_Read:
            AdjustRead();
            return true;
        case CL_Menu_View_Ad_Update:
            if (m_winAd) {
                m_winAd->Update();
                return true;
            }
            [[fallthrough]];
        case CL_Menu_View_Ad:
            if (g_EvMan)
                g_EvMan->Post(ev::kToggleAdjustWindow);
            if (env)
                env->adjWindowOpen = true;
            if (g_EvMan)
                g_EvMan->Send(ev::kRefreshUi);
            return true;
        default:
            return false;
    }
}

bool indMain::CommandEnabled(int32_t cellId, int32_t)
{
    switch (cellId) {
        case CL_Menu_File_Print_Current:
            return Sheet() != nullptr;
        case CL_Menu_View_Ad:
        case CL_Menu_View_Ad_Update:
            return m_doc.adjust;
        default:
            return true;
    }
}

bool indMain::CommandChecked(int32_t cellId, int32_t index)
{
    const indEnviron* env = g_Environ;
    switch (cellId) {
        case CL_Menu_View_FontSize:
            return env && env->fontSizePercentage == index;
        case CL_Menu_View_ToolBar:
            return !env || env->toolbarVisible;
        case CL_Menu_Port_Com:
            return env && env->comPort == index;
        case CL_Menu_Port_Usb:
            return env && env->comPort >= 5;
        case CL_Menu_Port_SpeedHigh:
            return env && env->comSpeedHigh == index;
        case CL_Menu_Clone_Safety: {
            const int* on = WriteSafety(g_Environ, index);
            return !on || *on != 0;
        }
        case CL_Model_Lmr:
        case CL_Model_Pmr:
        case CL_Model_DaloPmr:
        case CL_Model_DPmr446:
            return m_doc.ModelType() == cellId - CL_Model_Lmr;
        case CL_Menu_View_Ad:
            return env && env->adjWindowOpen;
        default:
            return false;
    }
}

indCloneMan& indMain::CloneMan()
{
    return m_doc.CloneMan();
}

void indMain::UseCloneLink(IPort* port)
{
    m_adjust.reset();
    m_doc.UseLinkPort(port);
    m_doc.CloneMan().SetUi(m_cloneUi.get());
}

indAdjust& indMain::AdjustState()
{
    if (!m_adjust) {
        m_adjust = std::make_unique<indAdjust>(CloneMan(), m_doc.Work(), m_doc.Saved());
        m_adjust->mainEnabled = [this] { return !m_form || m_form->isEnabled(); };
        m_adjust->modelType = [this] { return m_doc.ModelType(); };
    }
    return *m_adjust;
}

indAdjust* indMain::Adjust()
{
    return m_doc.adjust ? &AdjustState() : nullptr;
}

void indMain::AdjustRead()
{
    if (CloneBusy() || !AdjustPasswordDialog())
        return;
    if (!ConfirmBox("GI_Mess_Adjust_Caution") || CloneBusy())
        return;
    if (m_doc.factory) {
        RequestAdjustMode();
        EnterAdjustMode();
        return;
    }
    // The radio's image replaces the document: unsaved work is offered for saving first.
    if (ConfirmDiscard(false) == kCancel)
        return;
    RequestAdjustMode();
    ApplyLinkSettings();
    if (!CloneMan().Connect(&cuiMain::OnReadConnected, static_cast<cuiMain*>(this)))
        AdjustState().SetState(indAdjust::kStateIdle);
}

void indMain::AfterCloneRead()
{
    // Only the read that the adjustment read started enters adjustment mode.
    if (m_adjust && m_adjust->State() == indAdjust::kStateRequested)
        EnterAdjustMode();
}

void indMain::RequestAdjustMode()
{
    AdjustState().Request();
}

bool indMain::EnterAdjustMode()
{
    indAdjust& adjust = AdjustState();
    if (g_Environ)
        CloneMan().SetPort(g_Environ->comPort);
    if (!adjust.Enter())
        return false;
    m_doc.adjust = true;
    RefreshTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);
    return true;
}

void indMain::LeaveAdjustMode()
{
    if (m_winAd)
        m_winAd->close();
    if (m_adjust)
        m_adjust->Leave();
    m_doc.adjust = false;
}

void indMain::ToggleAdjustWindow()
{
    static const std::string kEntry = "GI_Sheet_Win_AD";
    if (m_winAd) {
        if (g_EvMan)
            g_EvMan->PostText(ev::kCloseAdjustWindow, 0, 0, kEntry);
        return;
    }
    if (!m_doc.adjust || !m_form)
        return;
    if (!m_imageList)
        m_imageList = std::make_unique<cuiImageList>(m_treeImages);
    iuiWinAd::Host host;
    host.adjust = &AdjustState();
    host.mainEnabled = [this] { return !m_form || m_form->isEnabled(); };
    host.closed = [this] { StartWarningRecheck(); };
    m_winAd = new iuiWinAd(m_form, g_GTex->GetLine("GI_Sys_AppTitle", 0), *g_GTex, kEntry,
                           m_imageList.get(), std::move(host));
    if (g_Environ)
        g_Environ->adjWindowOpen = true;
    m_winAd->Open();
}

// ---- the radio ----

std::vector<uint8_t> indMain::CloneInfo() const
{
    if (!m_doc.RadioIdentified())
        return {};
    return std::vector<uint8_t>(m_doc.CloneInfo().begin(), m_doc.CloneInfo().end());
}

bool indMain::CloneBusy()
{
    return m_doc.CloneMan().IsBusy();
}

bool indMain::PasswordGiven(bool write)
{
    // A radio locked with a clone password gets it from the dealer before the transfer.
    return !m_doc.PasswordWanted(write) || ClonePasswordDialog();
}

void indMain::OnCloneReadConnected(dst_CDrv_Result* result)
{
    if (!result || result->result != 0 || CloneBusy())
        return;
    if (!PasswordGiven(false))
        return;
    cuiMain::OnCloneReadConnected(result);
}

void indMain::StartCloneWrite()
{
    if (CloneBusy())
        return;
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    if (m_doc.UsedChannels() == 0) {
        OverlayBox("GI_AppMess_CloneErr_NoActualCh", plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return;
    }
    // The checks of the check sheets: errors stop the write before the port opens, warnings
    // are the dealer's to judge.
    if (!m_cloneWrite->Checks())
        return;
    // Settings the radio never receives are named before anything is sent.
    if (!ConfirmUnkept(true))
        return;
    m_writePending = false;
    cuiMain::StartCloneWrite();
}

void indMain::OnCloneWriteConnected(dst_CDrv_Result* result)
{
    if (!result || result->result != 0 || CloneBusy())
        return;
    if (!m_writePending) {
        if (m_doc.maker && !ConfirmBox("GI_Mess_Maker_Caution"))
            return;
        if (m_doc.Work().GetByte(indDocument::kClonePasswordByte) != 0 &&
            !ConfirmBox("GI_Mess_Confirm_CloneWriteClonePass"))
            return;
        if (!ConfirmBox("GI_Mess_Confirm_CloneWrite"))
            return;
        // The questions may have taken long: the radio is asked again before writing.
        m_writePending = true;
        ApplyLinkSettings();
        if (!m_doc.CloneMan().Connect(&cuiMain::OnWriteConnected, static_cast<cuiMain*>(this)))
            m_writePending = false;
        return;
    }
    m_writePending = false;
    if (!PasswordGiven(true))
        return;
    m_cloneWrite->Start(m_doc.CloneMan().SendPassword());
}

namespace {

// The credit sequence and its message are put together only when needed.
std::string CreditKeys()
{
    return txt::Format("%s%s%s", "tavo", "crew", "42");
}

std::string CreditText()
{
    return txt::Format("%s %s %s.", "Quorvex", "was written by the", "Tavo radio software crew");
}

}  // namespace

void indMain::OnKeyChar(char c)
{
    cuiMain::OnKeyChar(c);
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!m_doc.maker) {
        const std::string sequence = g_Environ ? g_Environ->makerReserveMode : std::string();
        const int length = static_cast<int>(sequence.size());
        if (m_makerKeyPos < length) {
            if (lower == sequence[static_cast<size_t>(m_makerKeyPos)])
                ++m_makerKeyPos;
            else
                m_makerKeyPos = lower == sequence[0] ? 1 : 0;
        }
        if (m_makerKeyPos >= length) {
            EnterMakerMode();
            return;
        }
    }
    if (m_doc.ModelType() == 3) {
        m_typed8.push_back(lower);
        if (m_typed8.size() > 8)
            m_typed8.erase(0, m_typed8.size() - 8);
        if (m_typed8 == "zunkelah")
            EnterExtendedMode();
    }
    m_typed32.push_back(lower);
    if (m_typed32.size() > 32)
        m_typed32.erase(0, m_typed32.size() - 32);
    const std::string credit = CreditKeys();
    if (m_typed32.size() >= credit.size() &&
        m_typed32.compare(m_typed32.size() - credit.size(), credit.size(), credit) == 0) {
        m_typed32.clear();
        if (plat::IMessageBoxes* boxes = plat::Get().boxes)
            boxes->Show(plat::ProgramName(), CreditText(), plat::BoxIcon::None,
                        plat::BoxButtons::Ok);
    }
}

// ---- compare and backups ----

namespace {

// The name of a file without its folder.
std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Marks a menu whose opening already brings the entries' state up to date.
constexpr const char* kEntriesWatched = "qvCompareEntriesWatched";

// The menu that holds an entry, or null.
QMenu* MenuHolding(QAction* action)
{
    for (QObject* o : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o))
            return menu;
    return nullptr;
}

// Puts the actions into the menu of after, right behind it, in their order.
void PlaceAfter(QAction* after, std::initializer_list<QAction*> actions)
{
    QMenu* menu = after ? MenuHolding(after) : nullptr;
    if (!menu)
        return;
    for (QAction* a : actions)
        menu->removeAction(a);
    const QList<QAction*> list = menu->actions();
    const qsizetype at = list.indexOf(after);
    QAction* before = at >= 0 && at + 1 < list.size() ? list[at + 1] : nullptr;
    for (QAction* a : actions)
        menu->insertAction(before, a);
}

}  // namespace

cuiCompareWindow* indMain::CompareWindow() const
{
    return m_compare.data();
}

void indMain::InstallCompareEntries()
{
    if (!m_form || !m_menu)
        return;
    static const char* const kKeys[kCompareEntries] = {
        "GI_Menu_Compare_File", "GI_Menu_Compare_Saved", "GI_Menu_Backup_Folder",
        "GI_Menu_Compare_Radio"};
    if (!m_compareEntries[0]) {
        for (int e = 0; e < kCompareEntries; ++e) {
            m_compareEntries[e] = new QAction(m_form);
            m_compareEntries[e]->setObjectName(QString::fromLatin1(kKeys[e]));
        }
        QObject::connect(m_compareEntries[kEntryCompareFile], &QAction::triggered, m_form,
                         [this] { CompareWithFile(); });
        QObject::connect(m_compareEntries[kEntryCompareSaved], &QAction::triggered, m_form,
                         [this] { CompareWithSaved(); });
        QObject::connect(m_compareEntries[kEntryBackupFolder], &QAction::triggered, m_form,
                         [this] { OpenBackupFolder(); });
        QObject::connect(m_compareEntries[kEntryCompareRadio], &QAction::triggered, m_form,
                         [this] { CompareWithRadio(); });
        m_compareSeparator = new QAction(m_form);
        m_compareSeparator->setSeparator(true);
    }
    for (int e = 0; e < kCompareEntries; ++e)
        m_compareEntries[e]->setText(plat::ToQt(g_GTex->GetLine(kKeys[e], 0)));
    // File: after Save As, a group of their own before the print entries. Radio: after the
    // radio information.
    PlaceAfter(m_menu->FindById(CL_Menu_File_SaveAs),
               {m_compareSeparator, m_compareEntries[kEntryCompareFile],
                m_compareEntries[kEntryCompareSaved], m_compareEntries[kEntryBackupFolder]});
    PlaceAfter(m_menu->FindById(CL_Menu_Clone_Info), {m_compareEntries[kEntryCompareRadio]});
    for (QAction* a : {m_compareEntries[kEntryCompareFile], m_compareEntries[kEntryCompareRadio]})
        if (QMenu* menu = MenuHolding(a); menu && !menu->property(kEntriesWatched).toBool()) {
            QObject::connect(menu, &QMenu::aboutToShow, m_form, [this] { UpdateCompareEntries(); });
            menu->setProperty(kEntriesWatched, true);
        }
    UpdateCompareEntries();
}

void indMain::UpdateCompareEntries()
{
    if (!m_compareEntries[0])
        return;
    // The saved file is the document's own: an untitled document has none.
    m_compareEntries[kEntryCompareSaved]->setEnabled(!m_doc.Untitled());
    m_compareEntries[kEntryCompareRadio]->setEnabled(!CloneBusy());
}

bool indMain::OpenBackupFolder()
{
    const std::string folder = m_doc.BackupFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        OverlayTextBox(OvlFormat(g_GTex->GetLines("GI_Mess_BackupFolder_Failed"), {folder}),
                       plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(folder.c_str()));
    plat::IDesktop* desktop = plat::Get().desktop;
    if (!desktop || !desktop->OpenUrl(url.toString(QUrl::FullyEncoded).toStdString())) {
        OverlayTextBox(OvlFormat(g_GTex->GetLines("GI_Mess_BackupFolder_NotOpened"), {folder}),
                       plat::BoxIcon::Information, plat::BoxButtons::Ok);
        return false;
    }
    return true;
}

void indMain::CompareWithFile()
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    const std::string path = fileDialog ? fileDialog(false, std::string()) : std::string();
    if (path.empty())
        return;
    cmcEeprom other;
    if (m_doc.ReadCompareFile(path, other) != 0)
        return;
    ShowCompare(OvlFormat(g_GTex->GetLine("GI_Compare_Names", 2), {FileNameOf(path)}), other);
}

void indMain::CompareWithSaved()
{
    if (m_doc.Untitled())
        return;
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    cmcEeprom other;
    if (m_doc.ReadCompareFile(m_doc.Path(), other) != 0)
        return;
    ShowCompare(OvlFormat(g_GTex->GetLine("GI_Compare_Names", 1), {FileNameOf(m_doc.Path())}),
                other);
}

void indMain::CompareWithRadio()
{
    if (CloneBusy())
        return;
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    ApplyLinkSettings();
    m_doc.CloneMan().Connect(&indMain::OnCompareConnected, this);
}

void indMain::OnCompareConnected(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<indMain*>(context);
    if (!result || result->result != 0 || self->CloneBusy())
        return;
    if (!self->PasswordGiven(false))
        return;
    self->ReadRadioRanges(&indMain::OnCompareReadDone, self);
}

void indMain::OnCompareReadDone(void* context, dst_CDrv_Result* result)
{
    // A failed read has said why; the working image was never part of it.
    auto* self = static_cast<indMain*>(context);
    if (!result || result->result != 0)
        return;
    // What the radio holds is worth a backup like every other read.
    self->KeepReadBackup(result->image);
    cmcEeprom other;
    self->m_doc.MakeCompareImage(result->image, other);
    self->ShowCompare(g_GTex->GetLine("GI_Compare_Names", 3), other);
}

void indMain::ShowCompare(const std::string& nameB, const cmcEeprom& b)
{
    std::vector<indCompare::Difference> differences = indCompare::Everything(
        ActiveCell(), *g_GTex, m_doc.Work(), b, indDocument::ModelTypeName(m_doc.ModelType()));
    for (indCompare::Difference& d : differences) {
        // The sheet goes by the name its tree entry gives it, the name the dealer looks for
        // (the tree's root also names the model type: the sheet's title serves there).
        std::string name;
        if (QTreeWidgetItem* node = m_tree ? m_tree->FindByEntry(d.entry) : nullptr;
            node && node->parent() && plat::FromQt(node->text(0), name) && !name.empty())
            d.sheet = name;
    }
    std::string note;
    if (const int type = indDocument::ModelTypeIn(b); type != m_doc.ModelType())
        note = OvlFormat(g_GTex->GetLine("GI_Compare_OtherModel", 0),
                         {g_GTex->GetLine("GI_AppInd_Model", type)});
    if (!m_form)
        return;
    if (!m_compare) {
        m_compare = new cuiCompareWindow(m_form);
        m_compare->onOpen = [this](const indCompare::Difference& d) { OpenDifference(d); };
    }
    m_compare->Show(g_GTex->GetLine("GI_Compare_Names", 0), nameB, differences, note);
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

void indMain::OpenDifference(const indCompare::Difference& difference)
{
    if (!m_form || difference.entry.empty())
        return;
    // Through the tree where it lists the sheet, so that tree and sheet agree.
    if (QTreeWidgetItem* node = m_tree ? m_tree->FindByEntry(difference.entry) : nullptr)
        m_tree->Control()->setCurrentItem(node);
    if (!m_sheet || m_sheet->EntryName() != difference.entry)
        OpenSheet(difference.entry);
    if (m_sheet && m_sheet->Sheet()) {
        m_sheet->Sheet()->MoveToIdentity(difference.category, difference.id, difference.index);
        if (QWidget* grid = m_sheet->Grid())
            grid->setFocus();
    }
    m_form->raise();
    m_form->activateWindow();
}
