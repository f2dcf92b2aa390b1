// Pictures of help and languages for a person to look at, written to the folder in
// QV_SHOTS_DIR: run test_shell --gtest_also_run_disabled_tests --gtest_filter='*Shots*'.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiHelpWindow.h"
#include "shell/cuiHtmlHelp.h"
#include "shell/cuiLanguage.h"
#include "shell/cuiSheetPage.h"
#include "shell/cuiToolBar.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace {

QString g_dir;

void Save(const QImage& image, const char* name)
{
    image.save(g_dir + QLatin1Char('/') + QLatin1String(name));
}

void Save(QWidget* w, const char* name)
{
    QCoreApplication::processEvents();
    Save(w->grab().toImage(), name);
}

// Windows as they stand on the desktop, painted together.
void SaveDesktop(const std::vector<QWidget*>& windows, const char* name)
{
    QCoreApplication::processEvents();
    QRect all;
    for (QWidget* w : windows)
        all |= w->geometry();
    QImage image(all.size(), QImage::Format_RGB32);
    image.fill(QColor(90, 100, 120));
    QPainter p(&image);
    for (QWidget* w : windows)
        p.drawPixmap(w->geometry().topLeft() - all.topLeft(), w->grab());
    p.end();
    Save(image, name);
}

QWidget* Box(const std::string& text, QMessageBox::Icon icon)
{
    auto* box =
        new QMessageBox(icon, plat::ToQt(g_GTex->GetLine("GI_Sys_AppTitle", 0)), plat::ToQt(text));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    QCoreApplication::processEvents();
    return box;
}

QWidget* OpenPopupWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup &&
            !qobject_cast<QMenu*>(w))
            return w;
    return nullptr;
}

TEST(HelpShots, DISABLED_Shots)
{
    g_dir = qEnvironmentVariable("QV_SHOTS_DIR");
    if (g_dir.isEmpty())
        GTEST_SKIP();
    QtTestApp();
    qvtest::ResetServices();
    qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok);
    const std::string key = "Software\\Tavo\\Quorvex";
    indEnviron environ("QvTest Shots " + std::to_string(getpid()), key, key);
    g_Environ = &environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    g_GTex = &mainGTex;
    g_BaseGTex = &baseGTex;
    g_HelpGTex = &helpGTex;
    g_EvMan = &evMan;
    environ.language = 0;
    auto main = std::make_unique<indMain>("TM5150Q", 7424);
    g_Main = main.get();
    auto form = std::make_unique<TForm1>();
    form->setGeometry(40, 40, 900, 560);
    main->Periodic();
    auto& boxes = qvtest::Services().boxes;

    // Help > Contents, a link, Back.
    main->ShowHelpContents();
    cuiHelpWindow* help = main->Help().Window();
    help->setGeometry(80, 80, 640, 460);
    Save(help, "help_contents.png");
    emit help->Browser()->anchorClicked(QUrl(QStringLiteral("scan.html")));
    Save(help, "help_link_scan.png");
    help->BackButton()->click();
    Save(help, "help_back.png");
    help->close();

    // The help folder gone: the error box quotes the path.
    boxes.Clear();
    boxes.AnswerAll(plat::BoxResult::Ok);
    main->Help().ShowContents("/tmp/quorvex-moved/help/en/index.html");
    QWidget* box = Box(boxes.Seen().back().text, QMessageBox::Critical);
    Save(box, "help_missing.png");
    box->close();

    // Pop-up help on a channel frequency cell (through the popup menu's Help command),
    // then on a cell without a topic.
    auto help1 = [&](const char* definition) {
        cmcCellObj cell;
        cell.ParseCell(definition, nullptr, nullptr);
        cmcCellCapsule c;
        c.cell = &cell;
        c.command = CL_PMenu_Help;
        indMain::Rules(main.get(), &c, 1);
    };
    QCursor::setPos(420, 260);
    help1("{(%CT_Mch.CL_Mch_FreqR)}");
    SaveDesktop({form.get(), main->Help().Popup()}, "popup_channel_frequency.png");
    boxes.Clear();
    boxes.AnswerAll(plat::BoxResult::Ok);
    help1("{(%CT_Mch.CL_Mch_BankText)}");
    box = Box(boxes.Seen().back().text, QMessageBox::Warning);
    box->move(300, 420);
    SaveDesktop({form.get(), main->Help().Popup(), box}, "popup_missing_topic.png");
    box->close();
    main->Help().CloseAll();

    Save(form.get(), "en_main.png");

    // The language window and its list.
    cuiLanguage* lang = main->OpenLanguageWindow();
    Save(lang, "language_window.png");
    cuiSheet* sheet = lang->Sheet();
    sheet->SendAction(0, 1, cmcCellCapsule::kKeyEnter, 0);
    if (QWidget* list = OpenPopupWindow()) {
        SaveDesktop({lang, list}, "language_list.png");
        list->close();
    }
    environ.language = 1;
    lang->OkButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main->Periodic();
    Save(form.get(), "ja_main_first_sheet.png");

    // Set Mode in Japanese, with a choice list open.
    QTreeWidget* tree = main->Tree()->Control();
    if (QTreeWidgetItem* n = main->Tree()->FindByEntry("GI_Sheet_SetMode"))
        tree->setCurrentItem(n);
    main->Periodic();
    Save(form.get(), "ja_main_setmode.png");
    if (main->Sheet() && main->Sheet()->Sheet()) {
        cuiSheet* s = main->Sheet()->Sheet();
        s->SendAction(1, 1, cmcCellCapsule::kKeyEnter, 0);
        if (QWidget* list = OpenPopupWindow()) {
            SaveDesktop({form.get(), list}, "ja_choice_list.png");
            list->close();
        }
    }
    // Menus with the captions whose second byte is "\" (View) and "|" (serial port).
    for (int n : {2, 3}) {
        QMenu* m = form->menuBar()->actions().value(n)->menu();
        if (!m)
            continue;
        m->popup(form->mapToGlobal(QPoint(10 + 60 * n, 20)));
        SaveDesktop({form.get(), m}, n == 2 ? "ja_menu_view.png" : "ja_menu_radio.png");
        m->hide();
    }
    // A tool bar hint.
    QAction* port = main->ToolBar()->Buttons().size() > 6 ? main->ToolBar()->Buttons()[6] : nullptr;
    if (port) {
        QWidget* button = main->ToolBar()->Control()->widgetForAction(port);
        QToolTip::showText(button->mapToGlobal(QPoint(8, 24)), port->toolTip(), button);
        QCoreApplication::processEvents();
        std::vector<QWidget*> shown{form.get()};
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->inherits("QTipLabel"))
                shown.push_back(w);
        SaveDesktop(shown, "ja_toolbar_hint.png");
    }
    // A message box of the new language.
    main->Doc().Work().SetByte(indDocument::kComment1, 'E');
    main->CheckModified();
    boxes.Clear();
    boxes.AnswerAll(plat::BoxResult::Cancel);
    main->NewDocument();
    box = Box(boxes.Seen().back().text, QMessageBox::Warning);
    Save(box, "ja_message_box.png");
    box->close();
    // The popup menu of a channel frequency cell, with its Help item, and the pop-up topic
    // that Help shows, in Japanese.
    static const char* kTypes[] = {"Lmr", "Pmr", "PmrD", "DPmr446"};
    main->OpenSheet(txt::Format("[St_ChBank]GI_Sheet_Mch_%s,Bank 0", kTypes[main->ModelType()]));
    if (cuiSheet* s = main->Sheet() ? main->Sheet()->Sheet() : nullptr) {
        for (int r = 0; r < s->RowCount(); ++r)
            if (s->CellAt(2, r).id == CL_Mch_FreqR || s->CellAt(2, r).id == CL_Mch_FreqR_Pmr) {
                s->MoveTo(2, r);
                break;
            }
        s->PopupMenuAt(QPoint(300, 40));
        SaveDesktop({form.get(), s->PopupMenu()}, "ja_channel_popup_menu.png");
        QAction* help = s->PopupMenu()->actions().back();
        s->PopupMenu()->hide();
        QCursor::setPos(420, 200);
        help->trigger();
        SaveDesktop({form.get(), main->Help().Popup()}, "ja_popup_channel_frequency.png");
        main->Help().CloseAll();
    }
    // Japanese help.
    main->ShowHelpContents();
    main->Help().Window()->setGeometry(80, 80, 640, 460);
    emit main->Help().Window()->Browser()->anchorClicked(QUrl(QStringLiteral("radio.html")));
    Save(main->Help().Window(), "ja_help_radio.png");

    form.reset();
    main.reset();
    g_Main = nullptr;
    g_EvMan = nullptr;
    g_GTex = g_BaseGTex = nullptr;
    g_HelpGTex = nullptr;
    g_Environ = nullptr;
    txt::SetCodePage(1252);
}

}  // namespace
