#include "SheetFixture.h"

#include <QFile>
#include <QTest>
#include <cstdlib>

#include "platform/TextUtil.h"
#include "support/TestServices.h"

QApplication& SheetsApp()
{
    static int argc = 1;
    static char name[] = "test_sheets";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

namespace {
const char* const kChoiceNames[] = {"Off", "Low", "Medium", "High"};
}  // namespace

int TestRules::Run(cmcCellCapsule* cap, int mode)
{
    cmcCellObj* cell = cap->cell;
    const int32_t idx = cell->index;
    if (mode == 0) {
        switch (cell->id) {
            case kIdText:
                cap->text = texts[idx];
                if (idx == warnIndex)
                    cap->flags |= cmcCellCapsule::kFlagWarning;
                break;
            case kIdChoice: {
                const int32_t v = choices[idx];
                cap->text = v >= 0 && v < 4 ? kChoiceNames[v] : "error";
                break;
            }
            case kIdListItem:
                cap->text = cell->altText ? *cell->altText : cell->Text();
                break;
            case kIdRowNo:
                cap->text = std::to_string(idx + 1);
                break;
            case kIdRepeat:
                cap->text = "R" + std::to_string(idx);
                break;
            case CL_PMenu_Paste:
                cell->SetUserFlag(cmcCellObj::kFlagDisabled, pasteDisabled);
                break;
            default:
                break;
        }
        return 0;
    }
    log.push_back(txt::Format("id=%d idx=%d key=%d cmd=%d mode=%d text=%s", cell->id, idx, cap->key,
                              cap->command, cap->inputMode, cap->inputText.c_str()));
    if (cap->command == CL_PMenu_Copy) {
        copyFirst = cap->rangeFirst;
        copyLast = cap->rangeLast;
        copySel = cap->selectionFlags;
        return 0;
    }
    if (cap->inputMode == cmcCellCapsule::kInputChoice) {
        if (cap->context && cap->context->cell && cap->context->cell->id == kIdListItem) {
            choices[idx] = cap->context->cell->index;
            choiceRectLeft = cap->rect ? cap->rect->left : -1;
            choiceBank = cap->context->bank;
            cap->Repaint(cmcCellCapsule::kRepaintSame);
        }
        return 0;
    }
    switch (cell->id) {
        case kIdText:
            if (cap->inputMode == cmcCellCapsule::kInputText) {
                texts[idx] = cap->inputText;
                cap->Repaint(cmcCellCapsule::kRepaintSame);
                return 0;
            }
            if (cap->key > 32 && cap->key < 127) {
                cap->text = std::string(1, static_cast<char>(cap->key));
                cap->selStart = 1;
                return cmcCellCapsule::kResultEditor;
            }
            if (cap->key == 13 || cap->key == 256) {
                cap->text = texts[idx];
                cap->selStart = 0;
                cap->selLength = static_cast<int32_t>(texts[idx].size());
                return cmcCellCapsule::kResultEditor;
            }
            return 0;
        case kIdChoice:
            if ((cap->key == 13 || cap->key == 256) && g_CellPopups) {
                if (!modelListParameter.empty())
                    g_CellPopups->OpenModelChoiceList(*cap, kIdListItem, choices[idx], store, "CL",
                                                      modelListParameter);
                else
                    g_CellPopups->OpenChoiceList(*cap, kIdListItem, choices[idx], store, "TL");
                return cmcCellCapsule::kResultPopup;
            }
            return 0;
        case kIdRepeat:
            ++repeatCalls;
            cap->repeatKey = 13;
            if (repeatMode >= 2) {
                cap->jump = 1;
                cap->jumpCategory = cell->category;
                cap->jumpId = kIdRepeat;
                cap->jumpIndex = repeatMode == 2 ? 999 : idx + 1;
            }
            return 0;
        default:
            return 0;
    }
}

std::vector<std::string> SheetTest::TestSheetLines()
{
    return {
        "#TS_Style",
        "(TitleString=Test channels)(FixedCols=1)(FixedRows=1)(MultiSelect=Cell)(ColSizing)",
        "#TS_BasicCell",
        "{($Basic)}",
        "#TS_Cells",
        "{($Hdr)}Ch|{($Hdr)}Name\\_\\_\\_\\_\\_\\_\\_\\_|{($Hdr)}Mode\\_\\_\\_\\_\\_\\_|{($Hdr)}"
        "Level\\_\\_\\_\\_",
        ":(LoopFrom 6)",
        "{($Hdr)(%CT_Mch.FlexMark[0])}|{($Val)(%CT_Mch.Flex0[0])}|{($Val)(%CT_Mch.Flex1[0])}|{("
        "$Num)(%CT_Mch.Flex0[100])}",
        ":(LoopTo)",
        "#",
    };
}

void SheetTest::SetUp()
{
    SheetsApp();
    ASSERT_TRUE(dir.isValid());
    evman = std::make_unique<cmcEvMan>();
    g_EvMan = evman.get();
    g_CellPopups = &popups;
    rules.store = &store;
    images = std::make_unique<cuiImageList>(
        QList<QIcon>{QIcon(), QIcon(), QIcon(), QIcon(), QIcon(), QIcon(), QIcon(), QIcon(),
                     QIcon(QStringLiteral(QV_DATA_DIR "/icons/imgIcon_Tree_WarnW_RB.svg")),
                     QIcon(QStringLiteral(QV_DATA_DIR "/icons/imgIcon_Tree_WarnE_RB.svg"))},
        16);
    cuiSheet::SetSleep([](int) {});
    for (int i = 0; i < 6; ++i) {
        rules.texts[i] = "Ch " + std::to_string(i + 1);
        rules.texts[100 + i] = std::to_string(10 * i);
        rules.choices[i] = i % 4;
    }
}

void SheetTest::TearDown()
{
    ProcessDeferred();
    window.reset();
    ProcessDeferred();
    g_CellPopups = nullptr;
    g_EvMan = nullptr;
    g_GTex = nullptr;
    cuiSheet::SetModelHost(nullptr);
    cuiSheet::SetSleep(nullptr);
}

void SheetTest::UseOverlay(const std::vector<std::string>& extra)
{
    std::vector<std::string> lines = {
        "Quorvex sheet test overlay",
        "#CellModel_Basic",
        "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-13,,,)(PopupMenu=TS_PMenu)",
        "#CellModel_Hdr",
        "^-WH(Color=clBtnFace)",
        "#CellModel_Val",
        "S<-WHBX",
        "#CellModel_Num",
        "S>-WHBX",
        "#CellModel_Lst",
        "S<-WH",
        "#TS_PMenu_BasicCell",
        "{($Basic)(%CT_PopupMenu.)}",
        "#TS_PMenu_Body",
        "+Copy\t{(%CT_PopupMenu.CL_PMenu_Copy:Ctrl+C)}",
        "+Paste\t{(%CT_PopupMenu.CL_PMenu_Paste:Ctrl+V)}",
        "#GI_CellWidthRegList",
        "TestSheet:TS",
        "Wide:WIDE",
        "#TL_Style",
        "",
        "#TL_BasicCell",
        "{($Basic)}",
        "#TL_Cells",
        "{($Lst)(%CT_Null.Flex2[0])}Off",
        "{($Lst)(%CT_Null.Flex2[1])}Low",
        "{($Lst)(%CT_Null.Flex2[2])}Medium",
        "{($Lst)(%CT_Null.Flex2[3])}High",
        "#",
    };
    lines.insert(lines.end(), extra.begin(), extra.end());
    lines.push_back("#End_Of_Ovl");
    const QString path = dir.filePath(QStringLiteral("TEST.OVL"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const std::string& l : lines) {
        f.write(l.data(), static_cast<qint64>(l.size()));
        f.write("\r\n");
    }
    f.close();
    store.Open(path.toStdString());
    g_GTex = &store;
}

std::unique_ptr<cuiSheet> SheetTest::Make(const std::string& entry, const std::string& display,
                                          bool show)
{
    if (!window) {
        window = std::make_unique<QWidget>();
        window->resize(640, 400);
    }
    auto sheet =
        std::make_unique<cuiSheet>(window.get(), nullptr, 0, 0, &store, entry, images.get());
    sheet->SetDisplayName(display);
    sheet->SetRules(&TestRules::Call, &rules);
    if (show) {
        sheet->Show();
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        sheet->Grid()->setFocus();
        QApplication::processEvents();
    }
    current = sheet.get();
    return sheet;
}

void SheetTest::Key(int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = current->Grid();
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

void SheetTest::Type(const QString& text)
{
    for (QChar ch : text)
        Key(0, Qt::NoModifier, QString(ch));
}

void SheetTest::ProcessDeferred()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
