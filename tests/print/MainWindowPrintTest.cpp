// Printing wired to the program's main window: its sheet factory, its tree and the shipped
// overlay, the way the print commands will run it.

#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "PrintFixture.h"
#include "common/EventIds.h"
#include "overlay/cmcHelpGTex.h"
#include "print/cuiPreview.h"
#include "shell/TForm1.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace {

// What the main window gives the printer.
class MainPrintHost : public cuiPrintHost {
public:
    explicit MainPrintHost(cuiMain& main) : m_main(main) {}
    QWidget* Owner() override { return m_main.Form(); }
    cuiSheet* CreatePrintSheet(QWidget* host, const std::string& reference) override
    {
        // The page belongs to host; its sheet to the page. Entries without a sheet yet
        // show a notice and print nothing.
        return m_main.CreateSheet(host, reference)->Sheet();
    }
    std::vector<std::string> SheetReferences() override
    {
        std::vector<std::string> refs;
        for (QTreeWidgetItem* n : m_main.Tree()->Nodes())
            if (cmcCellObj* c = cuiTree::CellOf(n); c && c->altText)
                refs.push_back(*c->altText);
        return refs;
    }
    void CommitEdits() override
    {
        if (g_EvMan)
            g_EvMan->Send(ev::kCommitEdits);
    }

private:
    cuiMain& m_main;
};

}  // namespace

TEST(MainWindowPrint, PrintAllOfTheShippedTreeToPdf)
{
    PrintApp();
    QTemporaryDir dir;
    const std::string key = "Software\\Tavo\\Quorvex";
    indEnviron env("QvPrintTest Main " + std::to_string(getpid()), key, key);
    g_Environ = &env;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    g_GTex = &mainGTex;
    g_BaseGTex = &baseGTex;
    g_HelpGTex = &helpGTex;
    g_EvMan = &evMan;
    {
        auto main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        auto form = std::make_unique<TForm1>();
        form->show();
        MainPrintHost host(*main);
        ASSERT_FALSE(host.SheetReferences().empty());
        // The first tree entry that has a sheet is the current one.
        for (const std::string& ref : host.SheetReferences()) {
            main->OpenSheet(ref);
            if (main->Sheet() && main->Sheet()->Sheet())
                break;
        }
        ASSERT_TRUE(main->Sheet() && main->Sheet()->Sheet());

        cuiPrinter printer(&host, g_GTex, form->ToolBarImages());
        ScriptedSetup setup;
        setup.file = dir.filePath(QStringLiteral("all.pdf"));
        printer.SetSetup(&setup);
        int previewPages = 0;
        printer.runPreview = [&previewPages](cuiPreview& p) {
            previewPages = p.PageCount();
            p.resize(800, 1000);
            p.ShowPage(0);
            p.grab().save(QStringLiteral("/tmp/qv-print-main-preview.png"));
            return true;
        };
        printer.PrintSheets(true, main->Sheet()->Sheet());
        EXPECT_FALSE(form->isEnabled());
        for (int i = 0; i < 200 && printer.JobRunning(); ++i)
            qvtest::Services().timers.Advance(cuiPrinter::kJobIntervalMs);
        EXPECT_FALSE(printer.JobRunning());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_EQ(printer.LastOutcome(), cuiPrinter::Outcome::Printed);
        EXPECT_GT(previewPages, 0);
        EXPECT_EQ(PdfPages(setup.file), previewPages);
        for (int p = 1; p <= previewPages; ++p)
            EXPECT_NE(PdfText(setup.file, p).find("Quorvex 1.0"), std::string::npos) << p;
        form.reset();
        main.reset();
        g_Main = nullptr;
    }
    g_EvMan = nullptr;
    g_GTex = g_BaseGTex = g_HelpGTex = nullptr;
    g_Environ = nullptr;
}
