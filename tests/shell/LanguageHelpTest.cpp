// Help and languages as the dealer meets them: the help window with its links, pop-up
// topics of cells, the language window's six ways out, and a language change that rebuilds
// every text the window shows while the document stays as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "cells/cmcCellIds.h"
#include "cells/cmcFCache.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/OverlayLanguages.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiHelpWindow.h"
#include "shell/cuiHtmlHelp.h"
#include "shell/cuiLanguage.h"
#include "shell/cuiMenu.h"
#include "shell/cuiSheetPage.h"
#include "shell/cuiToolBar.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// Japanese texts as the overlay stores them (code page 932).
QString Ja(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class LanguageHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        qvtest::ResetServices();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ = std::make_unique<indEnviron>("QvTest Lang " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_lang_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
    }
    void Start()
    {
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        form = std::make_unique<TForm1>();
        main->Periodic();  // opens the first sheet
    }
    void TearDown() override
    {
        form.reset();
        main.reset();
        g_Main = nullptr;
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = nullptr;
        g_HelpGTex = nullptr;
        environ.reset();
        g_Environ = nullptr;
        txt::SetCodePage(1252);
        fs::remove_all(dir);
    }
    qvtest::TestMessageBoxes& boxes() { return qvtest::Services().boxes; }
    QAction* TopItem(int n) { return form->menuBar()->actions().value(n); }
    static void FlushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    // The language cell's choice, as the list hands it to the cell.
    void Choose(cuiLanguage* window, int language)
    {
        cuiSheet* sheet = window->Sheet();
        const cmcCellObj* select = nullptr;
        for (int r = 0; r < sheet->RowCount() && !select; ++r)
            for (int c = 0; c < sheet->ColCount(); ++c)
                if (sheet->CellAt(c, r).id == CL_Langage_Select)
                    select = &sheet->CellAt(c, r);
        ASSERT_NE(select, nullptr);
        cmcCellObj item;
        item.ParseCell(txt::Format("{(%%Flex_Language_ChNo[%d])}", language), nullptr, nullptr);
        cmcCellCapsule picked;
        picked.cell = &item;
        cmcCellCapsule c;
        c.cell = const_cast<cmcCellObj*>(select);
        c.context = &picked;
        c.inputMode = cmcCellCapsule::kInputChoice;
        indMain::Rules(main.get(), &c, 1);
        EXPECT_EQ(c.text, ovlLang::Name(baseGTex, language));
    }
    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
};

TEST_F(LanguageHelpTest, TheLanguageWindowsSixWaysOut)
{
    enum Way { Ok, Cancel, TitleBarClose };
    struct Case {
        const char* what;
        int choose;  // -1: choose the same language again
        Way way;
        int stored;
        bool rebuilt;
    };
    const Case cases[] = {
        {"another language, OK", 1, Ok, 1, true},
        {"another language, Cancel", 1, Cancel, 0, false},
        {"another language, title bar", 1, TitleBarClose, 1, false},  // takes effect next start
        {"the same language, OK", 0, Ok, 0, false},
        {"the same language, Cancel", 0, Cancel, 0, false},
        {"the same language, title bar", 0, TitleBarClose, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        environ->language = 0;
        Start();
        const QPointer<QAction> file = TopItem(0);
        ASSERT_TRUE(file);
        cuiLanguage* window = main->OpenLanguageWindow();
        EXPECT_FALSE(form->isEnabled());
        EXPECT_TRUE(window->isEnabled());
        Choose(window, c.choose);
        EXPECT_EQ(environ->language, c.choose);  // stored at once
        switch (c.way) {
            case Ok:
                window->OkButton()->click();
                break;
            case Cancel:
                window->CancelButton()->click();
                break;
            case TitleBarClose:
                window->close();
                break;
        }
        FlushDeletes();
        EXPECT_EQ(environ->language, c.stored);
        EXPECT_EQ(file.isNull(), c.rebuilt);
        EXPECT_EQ(txt::CodePage(), c.rebuilt ? 932 : 1252);
        EXPECT_TRUE(form->isEnabled());
        form.reset();
        main.reset();
        txt::SetCodePage(1252);
    }
}

TEST_F(LanguageHelpTest, AStoredLanguageOpensAtTheNextStartWithItsCodePage)
{
    environ->language = 1;
    Start();
    EXPECT_EQ(fs::path(mainGTex.FileName()).filename(), "TM5150QJ.OVL");
    EXPECT_EQ(txt::CodePage(), 932);
    EXPECT_EQ(TopItem(0)->text(), Ja("ファイル(&F)"));
}

TEST_F(LanguageHelpTest, TheFirstStartSpeaksTheDesktopsLanguage)
{
    struct Case {
        const char* lang;
        bool firstStart;
        int expected;
    };
    const Case cases[] = {{"ja_JP.UTF-8", true, 1},
                          {"ja_JP.UTF-8", false, 0},
                          {"fr_FR.UTF-8", true, 0},
                          {"en_GB.UTF-8", true, 0}};
    const QByteArray lcAll = qgetenv("LC_ALL"), lcMessages = qgetenv("LC_MESSAGES"),
                     lang = qgetenv("LANG");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        qputenv("LANG", c.lang);
        environ->language = 0;
        environ->firstStart = c.firstStart;
        main = std::make_unique<indMain>("TM5150Q", 7424);
        EXPECT_EQ(environ->language, c.expected);
        main.reset();
        txt::SetCodePage(1252);
    }
    qputenv("LC_ALL", lcAll);
    qputenv("LC_MESSAGES", lcMessages);
    qputenv("LANG", lang);
    if (lcAll.isEmpty())
        qunsetenv("LC_ALL");
    if (lcMessages.isEmpty())
        qunsetenv("LC_MESSAGES");
}

TEST_F(LanguageHelpTest, ALanguageChangeRebuildsEveryTextAndKeepsTheDocument)
{
    Start();
    // An edit in progress and a changed image.
    main->Doc().Work().SetByte(indDocument::kComment1, 'E');
    main->CheckModified();
    ASSERT_TRUE(main->Doc().Modified());
    const std::vector<uint8_t> image(main->Doc().Work().Data(),
                                     main->Doc().Work().Data() + main->Doc().Work().GetSize());
    cmcFCache* oldCache = &main->Cache();
    const std::string englishOff = main->Cache().NameOf("GI_Sheet_Sel_UserSetEnable", Flex0, 0);

    environ->language = 1;
    ASSERT_TRUE(main->ChangeLanguage(0));
    // Menu, with the caption whose first character ends in a backslash byte whole.
    EXPECT_EQ(TopItem(0)->text(), Ja("ファイル(&F)"));
    EXPECT_EQ(TopItem(2)->text(), Ja("表示(&V)"));
    QMenu* radio = TopItem(3)->menu();
    ASSERT_NE(radio, nullptr);
    bool port = false;
    for (QAction* a : radio->actions())
        port = port || a->text() == Ja("シリアルポート 1(&1)");
    EXPECT_TRUE(port) << "a caption whose second byte is \"|\" shows whole";
    // Tool bar hints.
    ASSERT_FALSE(main->ToolBar()->Buttons().empty());
    EXPECT_EQ(main->ToolBar()->Buttons().front()->toolTip(), Ja("新規作成"));
    // Tree, choice lists (the cache was parsed anew), status bar, title.
    EXPECT_TRUE(main->Tree()->Control()->topLevelItem(0)->text(0).startsWith(Ja("無線機:")));
    EXPECT_NE(&main->Cache(), oldCache);
    EXPECT_EQ(g_FCache, &main->Cache());
    EXPECT_NE(main->Cache().NameOf("GI_Sheet_Sel_UserSetEnable", Flex0, 0), englishOff);
    EXPECT_EQ(plat::ToQt(main->Cache().NameOf("GI_Sheet_Sel_UserSetEnable", Flex0, 0)), Ja("無効"));
    EXPECT_TRUE(main->MessagePanel()->text().isEmpty());
    // The sheet reopens from the new overlay.
    EXPECT_EQ(main->Sheet(), nullptr);
    main->Periodic();
    ASSERT_NE(main->Sheet(), nullptr);
    EXPECT_TRUE(main->Sheet()->TitleText().contains(Ja("無線機")));
    // The document is untouched.
    EXPECT_TRUE(main->Doc().Modified());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), main->Doc().Work().Data()));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("*")));
    // Messages come from the new overlay.
    boxes().Answer(plat::BoxResult::Cancel);
    main->NewDocument();
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_TRUE(plat::ToQt(boxes().Seen()[0].text).contains(Ja("保存されていません")));
    EXPECT_TRUE(main->Doc().Modified());
}

TEST_F(LanguageHelpTest, AMissingOrDamagedOverlayKeepsTheCurrentLanguage)
{
    Start();
    const std::string base =
        WriteFile("base.OVL",
                  "b\n#GI_Sys_Language\nEnglish\tTM5150QE.OVL\t1252\ten\n"
                  "Japanese\tTM5150QJ.OVL\t932\tja\nMissing\tNOPE_QX.OVL\t1252\tqx\n"
                  "Damaged\tTM5150Q.OVL\t1252\tqy\n#End_Of_Ovl\n");
    baseGTex.Open(base);
    const QPointer<QAction> file = TopItem(0);
    for (int language : {2, 3, 7}) {
        SCOPED_TRACE(language);
        boxes().Clear();
        boxes().Answer(plat::BoxResult::Ok);
        environ->language = language;
        EXPECT_FALSE(main->ChangeLanguage(0));
        EXPECT_EQ(environ->language, 0);
        ASSERT_EQ(boxes().Seen().size(), 1u);
        EXPECT_EQ(boxes().Seen()[0].icon, plat::BoxIcon::Error);
        if (language == 2) {
            EXPECT_NE(boxes().Seen()[0].text.find("NOPE_QX.OVL"), std::string::npos);
        }
        EXPECT_TRUE(file);  // nothing was rebuilt
        EXPECT_EQ(txt::CodePage(), 1252);
    }
}

TEST_F(LanguageHelpTest, TheHelpWindowFollowsLinksAndGoesBack)
{
    Start();
    main->ShowHelpContents();
    cuiHelpWindow* w = main->Help().Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    QTextBrowser* b = w->Browser();
    EXPECT_TRUE(b->source().path().endsWith(QStringLiteral("/help/en/index.html")));
    EXPECT_TRUE(b->toPlainText().contains(QStringLiteral("Scan")));
    EXPECT_FALSE(w->BackButton()->isEnabled());
    emit b->anchorClicked(QUrl(QStringLiteral("scan.html")));
    EXPECT_TRUE(b->source().path().endsWith(QStringLiteral("/help/en/scan.html")));
    EXPECT_TRUE(b->toPlainText().contains(QStringLiteral("Stop Time")));
    EXPECT_TRUE(w->BackButton()->isEnabled());
    w->BackButton()->click();
    EXPECT_TRUE(b->source().path().endsWith(QStringLiteral("/help/en/index.html")));
    EXPECT_TRUE(w->ForwardButton()->isEnabled());
    EXPECT_TRUE(w->Find(QStringLiteral("Memory Channels")));
    EXPECT_FALSE(w->Find(QStringLiteral("no such words here")));
    // A web link goes to the desktop's browser; the window stays where it is.
    emit b->anchorClicked(QUrl(QStringLiteral("https://www.example.org/quorvex/")));
    EXPECT_EQ(qvtest::Services().desktop.openedUrls.size(), 1u);
    EXPECT_TRUE(b->source().path().endsWith(QStringLiteral("/help/en/index.html")));
    // Its size is remembered.
    w->resize(640, 480);
    w->close();
    const indEnviron::WindowEntry* e = environ->GetWindowEntry(cuiHelpWindow::kPlaceName);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->width, 640);
    EXPECT_EQ(e->height, 480);
}

TEST_F(LanguageHelpTest, AMissingHelpFileIsReportedWithItsPath)
{
    Start();
    boxes().Answer(plat::BoxResult::Ok);
    const std::string path = (dir / "help" / "en" / "index.html").string();
    EXPECT_EQ(main->Help().ShowContents(path), cuiHtmlHelp::kFileMissing);
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(boxes().Seen()[0].icon, plat::BoxIcon::Error);
    EXPECT_NE(boxes().Seen()[0].text.find(path), std::string::npos);
    EXPECT_EQ(main->Help().Window(), nullptr);
}

TEST_F(LanguageHelpTest, HelpOnACellShowsItsTopicAndACellWithoutOneBringsBackTheLastPopup)
{
    Start();
    auto help = [&](const char* definition) {
        cmcCellObj cell;
        cell.ParseCell(definition, nullptr, nullptr);
        cmcCellCapsule c;
        c.cell = &cell;
        c.command = CL_PMenu_Help;
        indMain::Rules(main.get(), &c, 1);
    };
    QCursor::setPos(600, 400);
    help("{(%CT_Null.CL_Comm_DealerPasscode)}");
    QWidget* popup = main->Help().Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(main->Help().PopupBrowser()->toPlainText().contains(QStringLiteral("six digits"),
                                                                    Qt::CaseInsensitive));
    const QRect shown = popup->geometry();

    boxes().Answer(plat::BoxResult::Ok);
    help("{(%CT_Null.CL_Mch_BankText)}");  // no topic
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(boxes().Seen()[0].icon, plat::BoxIcon::Warning);
    EXPECT_EQ(boxes().Seen()[0].text, mainGTex.GetLine("GI_Sys_HtmlHelp_Error", 1));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->geometry(), shown);
    EXPECT_TRUE(main->Help().PopupBrowser()->toPlainText().contains(QStringLiteral("six digits"),
                                                                    Qt::CaseInsensitive));
}

TEST_F(LanguageHelpTest, F1InASheetShowsTheCurrentCellsTopicAtTheCell)
{
    Start();
    ASSERT_NE(main->Sheet(), nullptr);
    QWidget* grid = main->Sheet()->Grid();
    ASSERT_NE(grid, nullptr);
    // The sheet keeps F1 from the menu's contents shortcut ...
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_F1, Qt::NoModifier);
    over.ignore();
    QApplication::sendEvent(grid, &over);
    EXPECT_TRUE(over.isAccepted());
    // ... and shows the current cell's topic below it.
    QCursor::setPos(5, 5);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(grid, &press);
    QWidget* popup = main->Help().Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(main->Help().PopupBrowser()->toPlainText().isEmpty());
    EXPECT_GT(popup->geometry().top(), grid->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_EQ(main->Help().Window(), nullptr);
}

TEST_F(LanguageHelpTest, TheTopicOfAChannelFrequencyLeadsToItsText)
{
    Start();
    const int context = main->HelpContextOf(CL_Mch_FreqR);
    ASSERT_NE(context, 0);
    EXPECT_EQ(main->HelpContextOf(CL_Mch_FreqR_Pmr), context);
    EXPECT_EQ(main->Help().ShowPopupTopic(main->HelpFilePath(), context, QPoint(100, 100)),
              cuiHtmlHelp::kShown);
    EXPECT_TRUE(main->Help().PopupBrowser()->toPlainText().contains(QStringLiteral("MHz")));
}

TEST_F(LanguageHelpTest, TopicHtmlTakesTheWholeElementOfTheAnchor)
{
    const std::string page =
        "<body><div class=\"topic\" id=\"a\"><p>A <div>inner</div> end</p></div>"
        "<div class=\"topic\" id=\"b\">B</div></body>";
    EXPECT_EQ(cuiHtmlHelp::TopicHtml(page, "a"),
              "<div class=\"topic\" id=\"a\"><p>A <div>inner</div> end</p></div>");
    EXPECT_EQ(cuiHtmlHelp::TopicHtml(page, "b"), "<div class=\"topic\" id=\"b\">B</div>");
    EXPECT_EQ(cuiHtmlHelp::TopicHtml(page, "c"), "");
    EXPECT_EQ(cuiHtmlHelp::TopicHtml(page, ""), page);
}

TEST_F(LanguageHelpTest, ALanguageChangeCommitsTheOpenEditorFirst)
{
    Start();
    cuiSheet* sheet = main->Sheet() ? main->Sheet()->Sheet() : nullptr;
    ASSERT_NE(sheet, nullptr);
    int col = -1;
    int row = -1;
    for (int r = 0; r < sheet->RowCount() && col < 0; ++r)
        for (int c = 0; c < sheet->ColCount(); ++c)
            if (sheet->CellAt(c, r).id == CL_Comm_CloneComment1) {
                col = c;
                row = r;
                break;
            }
    ASSERT_GE(col, 0);
    sheet->MoveTo(col, row);
    sheet->OpenEditor(col, row);
    ASSERT_TRUE(sheet->EditorVisible());
    sheet->Editor()->setPlainText(QStringLiteral("FLEET 7"));
    environ->language = 1;
    ASSERT_TRUE(main->ChangeLanguage(0));
    const uint8_t* image = main->Doc().Work().Data();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image + indDocument::kComment1), 7),
              "FLEET 7");
    EXPECT_TRUE(main->Doc().Modified());
}

// The channel sheet of the first bank with its first receive frequency current.
cuiSheet* OpenFirstFrequency(indMain& main)
{
    static const char* kTypes[] = {"Lmr", "Pmr", "PmrD", "DPmr446"};
    main.OpenSheet(txt::Format("[St_ChBank]GI_Sheet_Mch_%s,Bank 0", kTypes[main.ModelType()]));
    cuiSheet* sheet = main.Sheet() ? main.Sheet()->Sheet() : nullptr;
    for (int r = 0; sheet && r < sheet->RowCount(); ++r)
        for (int c = 0; c < sheet->ColCount(); ++c)
            if (sheet->CellAt(c, r).id == CL_Mch_FreqR ||
                sheet->CellAt(c, r).id == CL_Mch_FreqR_Pmr) {
                sheet->MoveTo(c, r);
                return sheet;
            }
    return nullptr;
}

QAction* LastItem(QMenu* menu)
{
    return menu && !menu->actions().isEmpty() ? menu->actions().back() : nullptr;
}

TEST_F(LanguageHelpTest, ThePopupMenusHelpOnAChannelFrequencyShowsItsTopicInEitherLanguage)
{
    Start();
    struct Case {
        int language;
        const char* caption;
        const char* text;
    };
    for (const Case& k : {Case{0, "Help", "MHz"}, Case{1, "ヘルプ", "受信周波数"}}) {
        if (k.language != environ->language) {
            environ->language = k.language;
            ASSERT_TRUE(main->ChangeLanguage(0));
        }
        cuiSheet* sheet = OpenFirstFrequency(*main);
        ASSERT_NE(sheet, nullptr) << k.language;
        sheet->PopupMenuAt(QPoint(2, 2));
        QAction* help = LastItem(sheet->PopupMenu());
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->text(), Ja(k.caption));
        EXPECT_TRUE(help->isEnabled());
        sheet->PopupMenu()->hide();
        help->trigger();
        QWidget* popup = main->Help().Popup();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isVisible());
        EXPECT_TRUE(main->Help().PopupBrowser()->toPlainText().contains(Ja(k.text)))
            << main->Help().PopupBrowser()->toPlainText().toStdString();
        EXPECT_EQ(main->Help().Window(), nullptr);
        popup->hide();
    }
}

TEST_F(LanguageHelpTest, EverySettingsSheetsPopupMenuEndsInHelp)
{
    Start();
    for (const char* reference : {"GI_Sheet_Radio", "GI_Sheet_KeyDisp", "GI_Sheet_Memory_CH_Top"}) {
        main->OpenSheet(reference);
        cuiSheet* sheet = main->Sheet() ? main->Sheet()->Sheet() : nullptr;
        ASSERT_NE(sheet, nullptr) << reference;
        sheet->PopupMenuAt(QPoint(2, 2));
        QAction* help = LastItem(sheet->PopupMenu());
        ASSERT_NE(help, nullptr) << reference;
        EXPECT_EQ(help->text(), QStringLiteral("Help")) << reference;
        sheet->PopupMenu()->hide();
    }
}

TEST_F(LanguageHelpTest, AKeyOrPortHasTheHelpOfTheFunctionItIsGiven)
{
    Start();
    cmcEeprom& work = main->Doc().Work();
    const int monitor = helpGTex.ContextOf("Fn_monitor");
    const int scan = helpGTex.ContextOf("Fn_scan");
    const int ptt = helpGTex.ContextOf("Fn_ptt");
    const int busy = helpGTex.ContextOf("Fn_busy");
    ASSERT_NE(monitor, 0);
    ASSERT_NE(scan, 0);
    work.SetByte(0x0864, 1);     // key P0: monitor
    work.SetByte(0x1CB6, 0x80);  // port 1: an input ...
    work.SetByte(0x1CB7, 1);     // ... for PTT
    work.SetByte(0x1CB8, 0x00);  // port 2: an output ...
    work.SetByte(0x1CB9, 1);     // ... while busy
    EXPECT_EQ(main->HelpContextOf(CL_KDisp_Key_Conv_P0), monitor);
    EXPECT_EQ(main->HelpContextOf(CL_ExtPort_InOut_1), ptt);
    EXPECT_EQ(main->HelpContextOf(CL_ExtPort_InOut_2), busy);
    work.SetByte(0x0864, 3);
    EXPECT_EQ(main->HelpContextOf(CL_KDisp_Key_Conv_P0), scan);
    // In Japanese the names differ; the function is still found.
    environ->language = 1;
    ASSERT_TRUE(main->ChangeLanguage(0));
    EXPECT_EQ(main->HelpContextOf(CL_KDisp_Key_Conv_P0), scan);
    EXPECT_EQ(main->HelpContextOf(CL_ExtPort_InOut_1), ptt);
    // The port's direction has the help of the setting itself.
    EXPECT_EQ(main->HelpContextOf(CL_ExtPort_InOut_1_Dir),
              helpGTex.CellContext("CL_ExtPort_InOut_1_Dir", CL_ExtPort_InOut_1_Dir));
    EXPECT_NE(main->HelpContextOf(CL_ExtPort_InOut_1_Dir), 0);
}

TEST_F(LanguageHelpTest, TheLanguageCellsPopupMenuGivesItsHelp)
{
    Start();
    cuiLanguage* window = main->OpenLanguageWindow();
    ASSERT_NE(window, nullptr);
    cuiSheet* sheet = window->Sheet();
    sheet->PopupMenuAt(QPoint(2, 2));
    QAction* help = LastItem(sheet->PopupMenu());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), QStringLiteral("Help"));
    sheet->PopupMenu()->hide();
    help->trigger();
    ASSERT_NE(main->Help().Popup(), nullptr);
    EXPECT_TRUE(main->Help().Popup()->isVisible());
    EXPECT_TRUE(main->Help().PopupBrowser()->toPlainText().contains(QStringLiteral("language")));
    EXPECT_EQ(environ->language, 0);
    window->close();
    FlushDeletes();
}

}  // namespace
