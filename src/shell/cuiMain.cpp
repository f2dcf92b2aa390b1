#include "shell/cuiMain.h"

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEvMan.h"
#include "common/cmcTask.h"
#include "common/cmcTick.h"
#include "common/indEnviron.h"
#include "link/cmcPortTable.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "maker/cuiDebugWin.h"
#include "maker/cuiEeDebugWin.h"
#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/OverlayLanguages.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "print/cuiPrinter.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"
#include "sheets/model/iuiSh_ChBank.h"
#include "sheets/model/iuiSh_Common.h"
#include "sheets/model/iuiSh_Mch.h"
#include "shell/SheetReference.h"
#include "shell/TForm1.h"
#include "shell/cuiCloneProgress.h"
#include "shell/cuiCloneUi.h"
#include "shell/cuiHtmlHelp.h"
#include "shell/cuiLanguage.h"
#include "shell/cuiMainPrintHost.h"
#include "shell/cuiMenu.h"
#include "shell/cuiOptDialog.h"
#include "shell/cuiSheetPage.h"
#include "shell/cuiToolBar.h"
#include "shell/iuiTree.h"

cuiMain* g_Main = nullptr;

namespace {

// The desktop's language, as the C library would take it for messages.
std::string DesktopLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray v = qgetenv(name);
        if (!v.isEmpty())
            return v.toStdString();
    }
    return std::string();
}

// F1 in a sheet's grid asks for the current cell's help rather than the contents that the
// menu's F1 opens.
class F1Claim : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
        return false;
    }
};

void PeriodicTask(void* context, cmcTask*)
{
    static_cast<cuiMain*>(context)->Periodic();
}

std::string DocumentsFolder()
{
    std::string out;
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!docs.isEmpty() && QDir(docs).exists())
        plat::FromQt(docs, out);
    if (out.empty())
        plat::FromQt(QDir::currentPath(), out);
    return out;
}

}  // namespace

void cuiMain::OpenMainOverlay(int language)
{
    // The code page is set first: the store's readers split lines by it.
    txt::SetCodePage(ovlLang::CodePage(*g_BaseGTex, language));
    const std::string file = ovlLang::File(*g_BaseGTex, language);
    g_GTex->Open(file.empty() ? std::string() : ProgramDir() + file);
}

std::string cuiMain::ProgramDir()
{
    std::string dir;
    plat::FromQt(QCoreApplication::applicationDirPath(), dir);
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

cuiMain::cuiMain(const std::string& programCode, int imageSize)
    : m_programCode(programCode), m_imageSize(imageSize)
{
    const std::string dir = ProgramDir();
    g_BaseGTex->Open(txt::Format("%s%s.OVL", dir.c_str(), m_programCode.c_str()));
    const int count = ovlLang::Count(*g_BaseGTex);
    if (g_Environ) {
        // The very first start speaks the desktop's language when we ship it.
        if (g_Environ->firstStart)
            if (const int n = ovlLang::ForLocale(*g_BaseGTex, DesktopLocale()); n >= 0)
                g_Environ->language = n;
        if (g_Environ->language >= count || g_Environ->language < 0)
            g_Environ->language = 0;
        // A language whose overlay has gone since the last run starts in the first one.
        if (g_Environ->language != 0 &&
            !ovlLang::Usable(dir + ovlLang::File(*g_BaseGTex, g_Environ->language)))
            g_Environ->language = 0;
    }
    OpenMainOverlay(g_Environ ? g_Environ->language : 0);
    if (g_HelpGTex)
        g_HelpGTex->Open(txt::Format("%s%sH.OVL", dir.c_str(), m_programCode.c_str()));

    m_cache = std::make_unique<cmcFCache>(g_GTex);
    m_currentDirectory = g_Environ && !g_Environ->currentDirectory.empty()
                             ? g_Environ->currentDirectory
                             : DocumentsFolder();
    m_doc.SetProgramDir(dir);
    m_task = new cmcTask;
    m_task->SetHandler(&PeriodicTask, this);
    m_task->SetInterval(-1);
    fileDialog = [this](bool save, const std::string& name) {
        const QString filter = plat::ToQt(g_GTex->GetLine("GI_Sys_Dialog_FOpen", 1));
        const QString ext = plat::ToQt(g_GTex->GetLine("GI_Sys_Dialog_FOpen", 0));
        QFileDialog dialog(m_form, QString(), plat::ToQt(CurrentDirectory()), filter);
        dialog.setDefaultSuffix(ext);
        dialog.setOption(QFileDialog::DontUseNativeDialog,
                         qEnvironmentVariableIsSet("QV_QT_FILE_DIALOG"));
        if (save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.selectFile(plat::ToQt(name));
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        std::string out;
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            plat::FromQt(dialog.selectedFiles().first(), out);
        return out;
    };
    execDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (g_EvMan)
        g_EvMan->Subscribe(&cuiMain::OnEvent, this);
}

cuiMain::~cuiMain()
{
    if (m_information)
        delete m_information.data();
    if (m_about)
        delete m_about.data();
    m_doc.CloneMan().SetUi(nullptr);
    cmcTask::Dispose(m_task);
    if (g_EvMan)
        g_EvMan->Unsubscribe(&cuiMain::OnEvent, this);
    m_help.reset();
    delete m_tree;
    delete m_toolBar;
    delete m_menu;
}

const std::string& cuiMain::CurrentDirectory() const
{
    if (g_Environ && !g_Environ->currentDirectory.empty())
        return g_Environ->currentDirectory;
    return m_currentDirectory;
}

void cuiMain::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<cuiMain*>(context)->HandleEvent(event);
}

void cuiMain::HandleEvent(const cmcEvent& event)
{
    switch (event.id) {
        case ev::kRefreshUi:
            if (g_EvMan) {
                g_EvMan->Send(ev::kRefreshMenu);
                g_EvMan->Send(ev::kRefreshToolBar);
            }
            break;
        case ev::kShowAbout:
            ShowAbout();
            break;
        case ev::kOpenDebugCompareWindow:
            ShowDebugCompare();
            break;
        case ev::kStatusMessage:
            if (m_messagePanel)
                m_messagePanel->setText(plat::ToQt(event.Text()));
            break;
        case ev::kCopyToCompareImage:
            m_doc.Compare().Assign(m_doc.Work());
            break;
        case ev::kOpenDebugWindow:
            // The windows free themselves when closed, and with the main form at the latest.
            if (m_form)
                new cuiDebugWin(m_form);
            break;
        case ev::kOpenEepromDebugWindow:
            if (m_form && g_GTex) {
                if (!m_imageList)
                    m_imageList = std::make_unique<cuiImageList>(m_treeImages);
                new cuiEeDebugWin(m_form, g_GTex->GetLine("GI_Sys_AppTitle", 0), g_GTex,
                                  "GI_Sheet_EeDebugWin", m_imageList.get());
            }
            break;
        default:
            break;
    }
}

void cuiMain::CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                       const QList<QIcon>& toolBarImages)
{
    int type = g_Environ ? g_Environ->modelType : 0;
    if (type < 0 || type > 3)
        type = 0;
    if (g_Environ)
        g_Environ->modelType = type;
    m_doc.Start(type);

    m_form = form;
    m_treeImages = treeImages;
    m_toolBarImages = toolBarImages;

    m_menu = new cuiMenu(form->menuBar(), *g_GTex, "GI_Menu_Main", toolBarImages);
    BuildMenu();
    m_toolBar = new cuiToolBar(form, *g_GTex, "GI_ToolBar_Main", toolBarImages);
    m_toolBar->Build();
    m_toolBar->Control()->setVisible(!g_Environ || g_Environ->toolbarVisible);
    m_printHost = std::make_unique<cuiMainPrintHost>(*this);
    m_printer = std::make_unique<cuiPrinter>(m_printHost.get(), g_GTex, toolBarImages);

    // Tree panel on the left, sheet page on the right.
    m_splitter = new QSplitter(Qt::Horizontal, form);
    m_splitter->setObjectName(QStringLiteral("MainSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(3);
    m_leftPanel = new QWidget(m_splitter);
    m_leftPanel->setObjectName(QStringLiteral("LeftPanel"));
    m_leftPanel->setMinimumWidth(8);
    auto* leftLayout = new QVBoxLayout(m_leftPanel);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_rightPanel = new QWidget(m_splitter);
    m_rightPanel->setObjectName(QStringLiteral("RightPanel"));
    auto* rightLayout = new QVBoxLayout(m_rightPanel);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_splitter->addWidget(m_leftPanel);
    m_splitter->addWidget(m_rightPanel);
    m_splitter->setStretchFactor(1, 1);
    const int treeWidth = g_Environ ? std::max(8, g_Environ->splitterV) : 200;
    m_splitter->setSizes({treeWidth, std::max(1, form->width() - treeWidth)});
    form->setCentralWidget(m_splitter);

    m_cloneUi = std::make_unique<cuiCloneUi>(form);
    m_doc.CloneMan().SetUi(m_cloneUi.get());

    m_messagePanel = new QLabel(form);
    m_messagePanel->setObjectName(QStringLiteral("MessagePanel"));
    form->statusBar()->addWidget(m_messagePanel, 1);

    RefreshTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);

    // A desktop session that ends asks like closing the window does.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, form, [this](QSessionManager& sm) {
        if (!CloseQuery())
            sm.cancel();
    });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, form,
                     [this](Qt::ApplicationState s) { appInactive = s != Qt::ApplicationActive; });

    m_task->SetInterval(50);
    UpdateTitle();
    form->show();
}

void cuiMain::BuildMenu()
{
    m_menu->Build();
    // The edit menu holds the current sheet's popup items; until a sheet gives some it
    // shows a placeholder.
    if (QAction* edit = m_menu->FindById(CL_Menu_Edit_Top); edit && !edit->menu() && g_EvMan)
        g_EvMan->SendText(ev::kAppendSubMenu, reinterpret_cast<intptr_t>(m_menu), CL_Menu_Edit_Top,
                          "GI_PMenu_NoItem");
}

void cuiMain::RefreshTitle()
{
    if (!m_leftPanel)
        return;
    CloseSheet();
    delete m_tree;
    m_tree = new iuiTree(m_leftPanel, *g_GTex, "GI_Tree_Main", m_treeImages, m_doc.Work());
    m_leftPanel->layout()->addWidget(m_tree->Control());
    m_tree->Control()->hide();
    m_tree->Build();
    QTreeWidget* t = m_tree->Control();
    QObject::connect(t, &QTreeWidget::itemExpanded, t, [this] { CountWarnings(); });
    QObject::connect(t, &QTreeWidget::itemCollapsed, t, [this] { CountWarnings(); });
    QObject::connect(t, &QTreeWidget::currentItemChanged, t, [this] { OnTreeSelection(); });
    CountWarnings();
    t->show();
    if (g_EvMan)
        g_EvMan->Send(ev::kTreeRebuilt);
    if (t->topLevelItemCount() > 0 && !t->currentItem())
        t->setCurrentItem(t->topLevelItem(0));
}

void cuiMain::OnTreeSelection()
{
    if (!m_tree)
        return;
    cmcCellObj* cell = m_tree->SelectedCell();
    if (!cell)
        return;
    if (m_sheet && cell->altText && m_sheet->DisplayName() == *cell->altText)
        return;
    ExecuteCell(cell);
}

int cuiMain::RunRules(cmcCellCapsule& capsule, int mode)
{
    return m_rulesFn ? m_rulesFn(m_rulesContext, &capsule, mode) : 0;
}

void cuiMain::ExecuteCell(cmcCellObj* cell)
{
    if (!cell)
        return;
    cmcCellCapsule capsule;
    capsule.cell = cell;
    capsule.key = cmcCellCapsule::kKeyEnter;
    RunRules(capsule, 1);
}

cuiSheetPage* cuiMain::CreateSheet(QWidget* parent, const std::string& reference)
{
    std::string title;
    if (m_tree)
        if (QTreeWidgetItem* n = m_tree->FindBySheet(reference))
            plat::FromQt(n->text(0), title);
    // A sheet's own title line, when its overlay gives one, wins over the tree caption.
    const SheetReference r = SheetReference::Split(reference);
    const std::string key = r.entry + "_Title";
    if (g_GTex->HasKey(key))
        title = g_GTex->GetLine(key, 0);
    auto* page = new cuiSheetPage(parent, *g_GTex, reference, title);
    if (g_GTex->HasKey(r.entry + "_Cells")) {
        if (!m_imageList)
            m_imageList = std::make_unique<cuiImageList>(m_treeImages);
        cuiSheet* sheet = nullptr;
        if (r.kind == "St_Common")
            sheet =
                new iuiSh_Common(page->Body(), nullptr, 0, 0, g_GTex, r.entry, m_imageList.get());
        else if (r.kind == "St_ChBank")
            sheet =
                new iuiSh_ChBank(page->Body(), nullptr, 0, 0, g_GTex, r.entry, m_imageList.get());
        else if (r.hasParameter && !r.parameter.empty() && r.parameter[0] == 'M')
            sheet = new iuiSh_Mch(page->Body(), nullptr, 0, 0, g_GTex, r.entry, m_imageList.get());
        else
            sheet = new cuiSheet(page->Body(), nullptr, 0, 0, g_GTex, r.entry, m_imageList.get());
        sheet->SetDisplayName(reference);
        if (r.hasParameter)
            sheet->SetParameter(r.parameter);
        page->AttachSheet(sheet);
    }
    return page;
}

void cuiMain::OpenSheet(const std::string& reference)
{
    if (!m_rightPanel)
        return;
    CloseSheet();
    m_sheet = CreateSheet(m_rightPanel, reference);
    const std::string entry = m_sheet->EntryName();
    for (const SheetPosition& p : m_positions)
        if (p.name == entry) {
            m_sheet->SetSavedPosition(p.col, p.row, p.leftCol, p.topRow);
            break;
        }
    m_rightPanel->layout()->addWidget(m_sheet);
    m_sheet->show();
    m_sheet->ShowSheet(resetColumnWidths);
    if (QWidget* grid = m_sheet->Grid()) {
        if (!m_f1Claim)
            m_f1Claim = std::make_unique<F1Claim>();
        grid->installEventFilter(m_f1Claim.get());
    }
    resetColumnWidths = false;
    if (m_focusGridOnOpen && m_sheet->Grid() && m_sheet->Grid()->focusPolicy() != Qt::NoFocus)
        m_sheet->Grid()->setFocus();
    else if (m_tree)
        m_tree->Control()->setFocus();
}

void cuiMain::CloseSheet()
{
    if (!m_sheet)
        return;
    int col, row, left, top;
    if (m_sheet->CurrentPosition(&col, &row, &left, &top)) {
        const std::string name = m_sheet->EntryName();
        m_positions.remove_if([&name](const SheetPosition& p) { return p.name == name; });
        m_positions.push_front({name, col, row, left, top});
    }
    m_focusGridOnOpen = m_tree && !m_tree->Control()->hasFocus() &&
                        m_sheet->isAncestorOf(QApplication::focusWidget());
    delete m_sheet;
    m_sheet = nullptr;
}

void cuiMain::Periodic()
{
    if (!m_sheet && m_form && m_form->isVisible()) {
        if (m_tree && m_tree->SelectedCell())
            ExecuteCell(m_tree->SelectedCell());
        else if (!m_tree && !m_positions.empty())
            OpenSheet(m_positions.front().name);
    }
    if (m_recheck && m_recheck->Remaining() == 0) {
        m_recheck.reset();
        CountWarnings();
        if (g_EvMan)
            g_EvMan->Post(ev::kEepromDebugRefresh);
    }
}

void cuiMain::StartWarningRecheck()
{
    if (!m_recheck)
        m_recheck = std::make_unique<cmcTick>();
    m_recheck->Start(250);
}

void cuiMain::CountWarnings(int* errors, int* warnings)
{
    int e = 0, w = 0;
    if (errors)
        *errors = 0;
    if (warnings)
        *warnings = 0;
    if (!m_tree)
        return;
    std::vector<std::string> errorList, warningList;
    cmcCellObj cell;
    bool lastHasAlt = false;
    auto evaluate = [&](const std::string& definition, int bank) {
        cell = cmcCellObj();
        cell.ParseCell(definition, nullptr, nullptr);
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        if (bank >= 0) {
            cell.index = bank;
            // Each bank's check looks at its own bank.
            capsule.bank = bank;
        }
        RunRules(capsule, 0);
        lastHasAlt = cell.altText.has_value();
        const std::string ref = cell.altText.value_or("");
        if (capsule.flags & cmcCellCapsule::kFlagError) {
            errorList.push_back(ref);
            ++e;
        } else if (capsule.flags & cmcCellCapsule::kFlagWarning) {
            warningList.push_back(ref);
            ++w;
        }
    };
    for (int n = 0;; ++n) {
        const std::string line = g_GTex->GetLine("GI_WarningCheckList", n);
        if (!line.empty() && line[0] == '#')
            break;
        evaluate(line, -1);
    }
    for (int b = 0; b < 8; ++b)
        evaluate(txt::Format("{(%%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}",
                             indDocument::ModelTypeName(m_doc.ModelType()), b),
                 b);
    if (lastHasAlt) {
        QTreeWidget* t = m_tree->Control();
        if (t->topLevelItemCount() > 0)
            m_tree->ClearMarks(t->topLevelItem(0));
        for (int i = t->topLevelItemCount() - 1; i >= 0; --i) {
            m_tree->Mark(t->topLevelItem(i), warningList, cuiTree::kWarningMark);
            m_tree->Mark(t->topLevelItem(i), errorList, cuiTree::kErrorMark);
        }
    }
    if (errors)
        *errors = e;
    if (warnings)
        *warnings = w;
}

// ---- state and title ----

void cuiMain::MarkModified()
{
    m_doc.MarkModified();
    UpdateTitle();
}

void cuiMain::CheckModified()
{
    if (m_doc.CheckModified())
        UpdateTitle();
}

void cuiMain::MarkSaved()
{
    m_doc.MarkSaved();
    UpdateTitle();
}

QString cuiMain::TitleText() const
{
    std::string name = m_doc.DisplayName();
    const std::string app = g_GTex->GetLine("GI_Sys_AppTitle", 0);
    QString t = plat::ToQt(name);
    if (m_doc.Modified())
        t += QStringLiteral(" *");
    return t + QStringLiteral(" - ") + plat::ToQt(app);
}

void cuiMain::UpdateTitle()
{
    if (!m_form)
        return;
    m_form->setWindowTitle(TitleText());
}

// ---- document commands ----

cuiMain::Answer cuiMain::ConfirmDiscard(bool another)
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    const std::string text =
        another ? g_GTex->GetLines("GI_Mess_Confirm_WriteAnother")
                : OvlFormat(g_GTex->GetLines("GI_Mess_Confirm_WriteFile"), {m_doc.DisplayName()});
    if (!m_doc.Modified())
        return kYes;
    const plat::BoxResult r =
        OverlayTextBox(text, plat::BoxIcon::Warning, plat::BoxButtons::YesNoCancel);
    if (r == plat::BoxResult::Yes) {
        const int saved = (m_doc.Untitled() || another) ? SaveAs() : SaveFile(m_doc.Path());
        return saved == 0 ? kYes : kCancel;
    }
    return r == plat::BoxResult::No ? kNo : kCancel;
}

void cuiMain::NewDocument()
{
    if (ConfirmDiscard(false) == kCancel)
        return;
    m_doc.NewDocument();
    UpdateTitle();
    CloseSheet();
    RefreshTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kTreeRebuilt);
}

int cuiMain::OpenDocument()
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    const std::string path = fileDialog ? fileDialog(false, std::string()) : std::string();
    if (path.empty())
        return indDocument::kCancelled;
    return OpenFile(path);
}

int cuiMain::OpenFile(const std::string& path)
{
    if (ConfirmDiscard(m_doc.IsDocumentPath(path)) == kCancel)
        return indDocument::kCancelled;
    if (m_form)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    const int type = m_doc.ModelType();
    const int code = m_doc.OpenFile(path);
    if (m_form)
        QApplication::restoreOverrideCursor();
    if (code == kClnOk) {
        if (g_Environ)
            g_Environ->modelType = m_doc.ModelType();
        CloseSheet();
        if (g_EvMan)
            g_EvMan->Send(ev::kTreeRebuilt);
    }
    UpdateTitle();
    if (code == kClnOk || type != m_doc.ModelType())
        RefreshTitle();
    return code;
}

int cuiMain::SaveDocument()
{
    return m_doc.Untitled() ? SaveAs() : SaveFile(m_doc.Path());
}

int cuiMain::SaveAs()
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    const std::string path = fileDialog ? fileDialog(true, m_doc.DisplayName()) : std::string();
    if (path.empty())
        return indDocument::kCancelled;
    return SaveFile(path);
}

bool cuiMain::ConfirmUnkept(bool cloneWrite)
{
    const std::vector<int> blocks = m_doc.UnkeptChanges();
    if (blocks.empty())
        return true;
    // Each line of the entry: a block identifier, a tab and the sheet that edits it.
    std::vector<std::string> sheets;
    for (int n = 0;; ++n) {
        const std::string line = g_GTex->GetLine("GI_App_UnkeptBlocks", n);
        if (!line.empty() && line[0] == '#')
            break;
        const std::string id = txt::Field(line, '\t', 0).value_or("");
        const std::string sheet = txt::Field(line, '\t', 1).value_or("");
        for (int b : blocks)
            if (id == std::to_string(b) &&
                std::find(sheets.begin(), sheets.end(), sheet) == sheets.end())
                sheets.push_back(sheet);
    }
    // Settings no sheet of ours edits yet are still named, as a group.
    if (sheets.empty())
        sheets.push_back(g_GTex->GetLine("GI_App_UnkeptOther", 0));
    std::string list;
    for (const std::string& s : sheets)
        list += "\n    " + s;
    const std::string text =
        OvlFormat(g_GTex->GetLines(cloneWrite ? "GI_AppMess_Confirm_UnkeptWrite"
                                              : "GI_AppMess_Confirm_UnkeptChanges"),
                  {list});
    return OverlayTextBox(text, plat::BoxIcon::Warning, plat::BoxButtons::OkCancel) ==
           plat::BoxResult::Ok;
}

int cuiMain::SaveFile(const std::string& path)
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    if (!ConfirmUnkept())
        return indDocument::kCancelled;
    if (m_form)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    const int code = m_doc.SaveFile(path);
    if (m_form)
        QApplication::restoreOverrideCursor();
    UpdateTitle();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshMenu);
    return code;
}

// ---- closing ----

bool cuiMain::CloseQuery()
{
    if (m_form && !m_form->isEnabled())
        return false;
    if (ConfirmDiscard(false) == kCancel)
        return false;
    return true;
}

void cuiMain::OnClose()
{
    if (!m_form)
        return;
    // The printer's windows belong to the form, which goes before this object does.
    m_printer.reset();
    if (g_Environ) {
        const QRect r = m_form->isMaximized() || m_form->isMinimized() ? m_form->normalGeometry()
                                                                       : m_form->geometry();
        g_Environ->left = r.x();
        g_Environ->top = r.y();
        g_Environ->width = r.width();
        g_Environ->height = r.height();
        if (m_splitter && !m_splitter->sizes().isEmpty())
            g_Environ->splitterV = m_splitter->sizes().first();
    }
    m_task->SetInterval(-1);
    CloseSheet();
    delete m_tree;
    m_tree = nullptr;
}

void cuiMain::EndPrinting()
{
    if (m_printer)
        m_printer->FinishJob();
}

void cuiMain::PrintSheets(bool all)
{
    if (m_printer)
        m_printer->PrintSheets(all, m_sheet ? m_sheet->Sheet() : nullptr);
}

// ---- help and language ----

cuiHtmlHelp& cuiMain::Help()
{
    if (!m_help)
        m_help = std::make_unique<cuiHtmlHelp>(m_form);
    return *m_help;
}

std::string cuiMain::HelpFilePath() const
{
    return ProgramDir() + g_GTex->GetLine("GI_Sys_MyHelpFile", 0);
}

void cuiMain::ShowHelpContents()
{
    Help().ShowContents(HelpFilePath());
}

void cuiMain::AnchorHelpAtCurrentCell()
{
    m_helpAtCell = false;
    cuiSheet* sheet = m_sheet ? m_sheet->Sheet() : nullptr;
    cuiGrid* grid = sheet ? sheet->Grid() : nullptr;
    if (!grid)
        return;
    const QRect r = grid->CellRect(grid->Col(), grid->Row());
    if (r.isEmpty())
        return;
    m_helpAt = grid->viewport()->mapToGlobal(QPoint(r.center().x(), r.bottom() + 1));
    m_helpAtCell = true;
}

void cuiMain::ShowHelpTopic(int context)
{
    const QPoint at = m_helpAtCell ? m_helpAt : QCursor::pos();
    m_helpAtCell = false;
    Help().ShowPopupTopic(HelpFilePath(), context, at);
}

cuiLanguage* cuiMain::OpenLanguageWindow()
{
    if (!m_imageList)
        m_imageList = std::make_unique<cuiImageList>(m_treeImages);
    return new cuiLanguage(m_form, g_GTex->GetLine("GI_Sys_AppTitle", 0), g_GTex,
                           "GI_Sheet_LanguageSel", m_imageList.get(),
                           [this](int previous) { ChangeLanguage(previous); });
}

bool cuiMain::ChangeLanguage(int previous)
{
    // Open editors keep what was typed before the texts change under them.
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    const int language = g_Environ ? g_Environ->language : 0;
    const std::string dir = ProgramDir();
    const bool listed = language >= 0 && language < ovlLang::Count(*g_BaseGTex);
    const std::string file = listed ? ovlLang::File(*g_BaseGTex, language) : std::string();
    const std::string path = file.empty() ? std::string() : dir + file;
    if (!listed || !ovlLang::Usable(path)) {
        if (g_Environ)
            g_Environ->language = previous;
        OverlayTextBox(
            OvlFormat(g_GTex->GetLines("GI_AppMess_LanguageUnusable"),
                      {listed ? ovlLang::Name(*g_BaseGTex, language) : std::string(), path}),
            plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return false;
    }
    CloseSheet();
    if (m_help)
        m_help->CloseAll();
    OpenMainOverlay(language);
    if (g_HelpGTex)
        g_HelpGTex->Open(dir + g_GTex->GetLine("GI_Sys_MyHelpOvl", 0));
    // Choice lists were parsed from the old overlay.
    cmcFCache* old = m_cache.get();
    m_cache = std::make_unique<cmcFCache>(g_GTex);
    if (g_FCache == old)
        g_FCache = m_cache.get();
    if (m_form) {
        m_form->ApplyOverlayFont();
        QApplication::setApplicationName(plat::ToQt(g_GTex->GetLine("GI_Sys_AppTitle", 0)));
    }
    if (m_menu)
        BuildMenu();
    if (m_toolBar)
        m_toolBar->Build();
    if (m_messagePanel)
        m_messagePanel->clear();
    OnLanguageChanged();
    RefreshTitle();
    UpdateTitle();
    CloseSheet();
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);
    return true;
}

// ---- radio commands ----

void cuiMain::UseLinkPort(IPort* port)
{
    m_doc.UseLinkPort(port);
    m_doc.CloneMan().SetUi(m_cloneUi.get());
}

void cuiMain::ApplyLinkSettings()
{
    indCloneMan& man = m_doc.CloneMan();
    if (g_Environ) {
        man.SetPort(g_Environ->comPort);
        man.SetHighSpeed(g_Environ->comSpeedHigh != 0);
    }
    man.SetImageSize(m_imageSize);
}

void cuiMain::CloneRead()
{
    if (m_doc.CloneMan().IsBusy())
        return;
    if (ConfirmDiscard(false) == kCancel)
        return;
    ApplyLinkSettings();
    m_doc.CloneMan().Connect(&cuiMain::OnReadConnected, this);
}

void cuiMain::OnReadConnected(void* context, dst_CDrv_Result* result)
{
    static_cast<cuiMain*>(context)->OnCloneReadConnected(result);
}

void cuiMain::OnCloneReadConnected(dst_CDrv_Result* result)
{
    if (!result || result->result != 0 || m_doc.CloneMan().IsBusy())
        return;
    ReadRadioRanges(&cuiMain::OnReadDone, this);
}

bool cuiMain::ReadRadioRanges(void (*done)(void*, dst_CDrv_Result*), void* context)
{
    std::vector<int32_t> ranges;
    if (const int refused = m_doc.CloneReadRanges(ranges); refused != 0) {
        OverlayTextBox(indCloneMan::MessageFor(refused, 2, 0, std::string(), std::string()),
                       plat::BoxIcon::Error, plat::BoxButtons::Ok);
        return false;
    }
    ApplyLinkSettings();
    return m_doc.CloneMan().Read(ranges.data(), done, context);
}

void cuiMain::OnReadDone(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<cuiMain*>(context);
    if (!result || result->result != 0)
        return;
    const int type = self->m_doc.ModelType();
    self->m_doc.TakeCloneRead(result->image);
    self->KeepReadBackup(result->image);
    if (g_Environ)
        g_Environ->modelType = self->m_doc.ModelType();
    self->AfterCloneRead();
    self->UpdateTitle();
    self->CloseSheet();
    if (type != self->m_doc.ModelType())
        self->RefreshTitle();
    else if (g_EvMan)
        g_EvMan->Send(ev::kTreeRebuilt);
}

void cuiMain::KeepReadBackup(const cmcEeprom& received)
{
    const std::string path = m_doc.BackupCloneRead(received, std::time(nullptr));
    if (path.empty()) {
        OverlayTextBox(OvlFormat(g_GTex->GetLines("GI_Mess_Backup_Failed"), {m_doc.BackupFolder()}),
                       plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return;
    }
    // A message of its own for a while: the sheet that opens next clears the message panel.
    if (m_form)
        m_form->statusBar()->showMessage(
            plat::ToQt(OvlFormat(g_GTex->GetLine("GI_Mess_Backup_Kept", 0), {path})), 20000);
}

void cuiMain::StartCloneWrite()
{
    if (m_doc.CloneMan().IsBusy())
        return;
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
    ApplyLinkSettings();
    m_doc.CloneMan().Connect(&cuiMain::OnWriteConnected, this);
}

void cuiMain::OnWriteConnected(void* context, dst_CDrv_Result* result)
{
    static_cast<cuiMain*>(context)->OnCloneWriteConnected(result);
}

void cuiMain::OnCloneWriteConnected(dst_CDrv_Result* result)
{
    if (!result || result->result != 0 || m_doc.CloneMan().IsBusy())
        return;
    cmcEeprom copy;
    std::vector<int32_t> ranges;
    m_doc.PrepareCloneWrite(copy, ranges);
    WriteImage(copy, ranges);
}

void cuiMain::WriteImage(const cmcEeprom& image, const std::vector<int32_t>& ranges)
{
    ApplyLinkSettings();
    m_doc.CloneMan().Write(image, ranges.data(), &cuiMain::OnWriteDone, this);
}

void cuiMain::OnWriteDone(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<cuiMain*>(context);
    if (!result || result->result != 0)
        return;
    self->CloseSheet();
    OverlayBox("GI_Mess_CloneWrite_Succeeded", plat::BoxIcon::Information, plat::BoxButtons::Ok);
}

void cuiMain::CloneInfo()
{
    if (m_doc.CloneMan().IsBusy())
        return;
    ApplyLinkSettings();
    m_doc.CloneMan().Connect(&cuiMain::OnInfoConnected, this);
}

void cuiMain::OnInfoConnected(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<cuiMain*>(context);
    if (!result || result->result != 0 || !self->m_form)
        return;
    if (self->m_information)
        delete self->m_information.data();
    if (!self->m_imageList)
        self->m_imageList = std::make_unique<cuiImageList>(self->m_treeImages);
    self->m_information = new cuiInformation(self->m_form, AppTitle(), g_GTex, "GI_Sheet_CloneInfo",
                                             self->m_imageList.get());
    self->m_information->show();
    self->m_information->OkButton()->setFocus();
}

// ---- dialogs ----

namespace {

// The serial devices of the port list, as the port dialog shows them.
struct PortRow {
    int number;
    std::string stableName;  // the /dev/serial/by-id name, when there is one
    std::string device;      // the device node it leads to
    bool mayOpen;
};

std::vector<PortRow> PortRows(const cmcPortTable& table)
{
    std::vector<PortRow> rows;
    for (const cmcPortTable::Entry& e : table.Entries()) {
        PortRow r{e.number, std::string(), e.device, true};
        if (e.device.find("/serial/by-id/") != std::string::npos)
            r.stableName = e.device;
        char resolved[4096];
        if (realpath(e.device.c_str(), resolved))
            r.device = resolved;
        r.mayOpen = access(r.device.c_str(), R_OK | W_OK) == 0 || errno != EACCES;
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

bool cuiMain::PortDialog()
{
    cuiOptDialog::Shape shape;
    shape.prefix = "GI_AppInd_Opt_ComSel_";
    shape.maxBytes = 4;
    shape.widthSample = "255WWWW";
    cuiOptDialog dialog(m_form, shape);
    dialog.SetText(std::to_string(g_Environ ? g_Environ->comPort : 1));

    // The devices found, to pick one instead of typing its number.
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* list = new QTreeWidget(box);
    list->setObjectName(QStringLiteral("PortList"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({plat::ToQt(g_GTex->GetLine("GI_AppInd_Opt_ComSel_Columns", 0)),
                           plat::ToQt(g_GTex->GetLine("GI_AppInd_Opt_ComSel_Columns", 1)),
                           plat::ToQt(g_GTex->GetLine("GI_AppInd_Opt_ComSel_Columns", 2))});
    auto* state = new QLabel(box);
    state->setObjectName(QStringLiteral("PortState"));
    state->setWordWrap(true);
    state->setTextFormat(Qt::PlainText);
    const std::vector<PortRow> rows = PortRows(portTable ? *portTable : cmcPortTable::System());
    for (const PortRow& r : rows) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, QString::number(r.number));
        item->setText(1, plat::ToQt(r.stableName.empty() ? std::string("-") : r.stableName));
        item->setText(2, plat::ToQt(r.device));
        if (!r.mayOpen) {
            item->setForeground(0, list->palette().color(QPalette::Disabled, QPalette::Text));
            item->setToolTip(
                2, plat::ToQt(txt::Format(g_GTex->GetLines("GI_AppInd_Opt_ComSel_NoAccess").c_str(),
                                          r.device.c_str())));
        }
        if (g_Environ && r.number == g_Environ->comPort)
            list->setCurrentItem(item);
    }
    if (rows.empty())
        state->setText(plat::ToQt(g_GTex->GetLines("GI_AppInd_Opt_ComSel_NoDevices")));
    auto describe = [rows, state](int number) {
        state->clear();
        for (const PortRow& r : rows)
            if (r.number == number && !r.mayOpen)
                state->setText(plat::ToQt(txt::Format(
                    g_GTex->GetLines("GI_AppInd_Opt_ComSel_NoAccess").c_str(), r.device.c_str())));
    };
    QObject::connect(list, &QTreeWidget::currentItemChanged, box,
                     [&dialog, describe](QTreeWidgetItem* item) {
                         if (!item)
                             return;
                         dialog.Edit()->setText(item->text(0));
                         describe(item->text(0).toInt());
                     });
    if (g_Environ)
        describe(g_Environ->comPort);
    list->resizeColumnToContents(0);
    list->resizeColumnToContents(1);
    list->resizeColumnToContents(2);
    int width = 24;
    for (int c = 0; c < 3; ++c)
        width += list->columnWidth(c);
    list->setMinimumSize(std::clamp(width, 360, 900), 140);
    layout->addWidget(list);
    layout->addWidget(state);
    state->setMinimumHeight(QFontMetrics(state->font()).lineSpacing() * 3);
    box->setFixedSize(list->minimumWidth(), 140 + state->minimumHeight() + 6);
    dialog.SetExtra(box);

    dialog.check = [](cuiOptDialog& d) {
        std::string text;
        d.Text(text);
        const std::string trimmed = txt::Trim(text);
        const bool digits =
            !trimmed.empty() && trimmed.find_first_not_of("0123456789") == std::string::npos;
        const int number = digits && trimmed.size() <= 4 ? std::stoi(trimmed) : 0;
        if (number < 1 || number > 256) {
            OverlayBox("GI_AppInd_Opt_ComSel_OutofRange", plat::BoxIcon::Error,
                       plat::BoxButtons::Ok);
            d.Edit()->setFocus();
            return false;
        }
        if (g_Environ)
            g_Environ->comPort = number;
        return true;
    };
    const bool accepted = execDialog(dialog) == QDialog::Accepted;
    if (accepted && g_EvMan)
        g_EvMan->Send(ev::kRefreshUi);
    return accepted;
}

bool cuiMain::ClonePasswordDialog()
{
    cuiOptDialog::Shape shape;
    shape.prefix = "GI_AppInd_Opt_ClonePwd_";
    shape.maxBytes = 16;
    shape.masked = true;
    shape.widthSample = "****************WWWW";
    shape.widenForEdit = true;
    cuiOptDialog dialog(m_form, shape);
    dialog.check = [this](cuiOptDialog& d) {
        std::string text;
        if (!d.Text(text) || text.empty() || text.size() > 16) {
            OverlayBox("GI_AppInd_Opt_ClonePwd_OutofRange", plat::BoxIcon::Error,
                       plat::BoxButtons::Ok);
            d.Edit()->setFocus();
            return false;
        }
        m_doc.CloneMan().SetPassword(text);
        m_doc.CloneMan().SetSendPassword(true);
        return true;
    };
    return execDialog(dialog) == QDialog::Accepted;
}

bool cuiMain::AdjustPasswordDialog()
{
    const std::string stored = g_Environ ? g_Environ->adjustMode : std::string();
    if (stored.empty())
        m_adjustUnlocked = true;
    if (m_adjustUnlocked)
        return true;
    cuiOptDialog::Shape shape;
    shape.prefix = "GI_AppInd_Opt_AdjReadPwd_";
    shape.maxBytes = 8;
    shape.masked = true;
    shape.widthSample = "WWWWWWWWWWWW";
    shape.heightSample = shape.widthSample;
    shape.widenForEdit = true;
    cuiOptDialog dialog(m_form, shape);
    dialog.check = [this, stored](cuiOptDialog& d) {
        std::string text;
        const bool encoded = d.Text(text);
        // Eight bytes, padded with zero bytes, decide.
        auto padded = [](std::string t) {
            t.resize(8, '\0');
            return t;
        };
        if (encoded && !text.empty() && text.size() <= 8 && padded(text) == padded(stored)) {
            m_adjustUnlocked = true;
            if (g_EvMan)
                g_EvMan->Post(ev::kRedrawAll);
        } else {
            OverlayBox("GI_AppInd_Opt_AdjReadPwd_Error", plat::BoxIcon::Error,
                       plat::BoxButtons::Ok);
        }
        return true;
    };
    execDialog(dialog);
    return m_adjustUnlocked;
}

namespace {

// The About box: passes every typed character to the main object.
class AboutWindow : public QDialog {
public:
    AboutWindow(cuiMain& main, QWidget* owner) : QDialog(nullptr), m_main(main), m_owner(owner)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("About"));
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        setWindowTitle(plat::ToQt(g_GTex->GetLine("GI_App_About_Caption", 0)));
        const QIcon icon = owner ? owner->windowIcon() : QIcon();
        const int iw = 32, ih = 32;
        auto* image = new QLabel(this);
        image->setPixmap(icon.pixmap(iw, ih));
        image->setGeometry(iw / 2, ih / 2, iw, ih);
        const indEnviron* env = g_Environ;
        const std::string text = txt::Format(
            g_GTex->GetLines("GI_App_About_Label_Reg").c_str(), env ? env->userName.c_str() : "",
            env ? env->companyName.c_str() : "", env ? env->serialNumber.c_str() : "");
        m_label = new QLabel(plat::ToQt(text), this);
        m_label->setObjectName(QStringLiteral("AboutText"));
        m_label->setTextFormat(Qt::PlainText);
        m_label->adjustSize();
        m_label->move(iw * 3 / 2, 0);
        auto* button = new QPushButton(plat::ToQt(g_GTex->GetLine("GI_App_About_Button", 0)), this);
        button->setDefault(true);
        button->setGeometry(m_label->geometry().right() + 1 + 2 * iw, ih / 4, iw * 5 / 2,
                            button->sizeHint().height());
        QObject::connect(button, &QPushButton::clicked, this, &QDialog::close);
        setFixedSize(button->geometry().right() + 1 + ih / 4,
                     m_label->geometry().bottom() + 1 + ih / 2);
        if (m_owner) {
            m_owner->setEnabled(false);
            QRect r(QPoint(0, 0), size());
            r.moveCenter(m_owner->frameGeometry().center());
            move(r.topLeft());
        }
    }
    ~AboutWindow() override
    {
        if (m_owner) {
            m_owner->setEnabled(true);
            m_owner->activateWindow();
            m_owner->setFocus();
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const QString t = event->text();
        if (t.size() == 1 && t.at(0).unicode() >= 0x20 && t.at(0).unicode() < 0x7F)
            m_main.OnKeyChar(static_cast<char>(t.at(0).unicode()));
        QDialog::keyPressEvent(event);
    }

private:
    cuiMain& m_main;
    QPointer<QWidget> m_owner;
    QLabel* m_label = nullptr;
};

}  // namespace

void cuiMain::ShowAbout()
{
    if (m_about)
        return;
    ResetTypedKeys();
    m_about = new AboutWindow(*this, m_form);
    m_about->show();
}

void cuiMain::ShowDebugCompare()
{
    QDialog form(m_form);
    form.setWindowTitle(QStringLiteral("Debug compare"));
    if (m_leftPanel) {
        const QPoint at = m_leftPanel->mapToGlobal(QPoint(0, 0));
        form.setGeometry(QRect(at, m_leftPanel->size()));
    }
    auto* layout = new QVBoxLayout(&form);
    auto* memo = new QPlainTextEdit(&form);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Close"), &form);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &form, &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    const cmcEeprom& snap = m_doc.Compare();
    const cmcEeprom& work = m_doc.Work();
    QString text;
    if (snap.GetSize() != work.GetSize()) {
        text = QStringLiteral("Not match size !");
    } else {
        for (int32_t a = 0; a < work.GetSize(); ++a)
            if (snap.GetByte(a) != work.GetByte(a))
                text += plat::ToQt(
                    txt::Format("%04X : %02X -> %02X\n", a, snap.GetByte(a), work.GetByte(a)));
    }
    memo->setPlainText(text);
    m_doc.Compare().Assign(work);
    execDialog(form);
}
