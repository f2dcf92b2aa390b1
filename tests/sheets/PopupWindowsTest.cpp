#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "SheetFixture.h"
#include "cells/FlagBitsCodec.h"
#include "cells/Segchar.h"
#include "cells/SegmentText.h"
#include "cells/SegmentTextCodec.h"
#include "cells/UserCharCodec.h"
#include "common/EventIds.h"
#include "maker/cuiSegEdit.h"
#include "sheets/cuiFBitsR.h"
#include "sheets/cuiFSegText.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheetMenu.h"

namespace {

constexpr int kText = 0x10;  // an 8-character segment text
constexpr int kUser = 0x40;  // the 16 user character patterns

// The five flags as the field stores them: flag k (sentence k + 1) in bit 7 - k.
constexpr int32_t S(int32_t fiveBits)
{
    return fiveBits << 3;
}

// Rules over a small image with the codecs of a flag field (Flex0, five sentence flags),
// an 8-character segment text (Flex1) and the user characters (Flex2, by index).
struct CodecRules {
    uint8_t image[256] = {};
    int32_t flags = 0;
    int choices = 0;  // answers that reached the rules as choices
    FlagBitsCodec flagCodec;

    CodecRules()
    {
        flagCodec.firstBit = 1;
        flagCodec.lastBit = 5;
        flagCodec.labelKind = 5;
        std::memset(image + kText, ' ', 8);
    }
    static int Call(void* self, cmcCellCapsule* cap, int mode)
    {
        return static_cast<CodecRules*>(self)->Run(cap, mode);
    }
    int Run(cmcCellCapsule* cap, int mode)
    {
        if (!cap->cell)
            return 0;
        int repaint = 0;
        int opened = 0;
        int changed = 0;
        if (mode == 1 && cap->inputMode == cmcCellCapsule::kInputChoice)
            ++choices;
        switch (cap->cell->id) {
            case Flex0: {
                int32_t v = flags;
                changed = flagCodec.Run(*cap, &v, repaint, opened);
                flags = v;
                break;
            }
            case Flex1: {
                SegmentTextCodec codec;
                codec.length = 8;
                codec.userChars = image + kUser;
                changed = codec.Run(*cap, image + kText, repaint, opened);
                break;
            }
            case Flex2: {
                UserCharCodec codec;
                changed =
                    codec.Run(*cap, image + kUser + 2 * (cap->cell->index & 15), repaint, opened);
                break;
            }
            default:
                break;
        }
        if (changed && mode == 1)
            cap->Repaint(cmcCellCapsule::kRepaintSame);
        return opened;
    }
};

const char* const kHostLines[] = {
    "#HOST_Style",
    "(FixedCols=0)(FixedRows=0)",
    "#HOST_BasicCell",
    "{($Basic)}",
    "#HOST_Cells",
    "{S<-WH(%Flex0[0])}Flags_____|{S<-WH(%Flex1[0])}Name______________|{S<-WH(%Flex2[0])}UC__",
    "#",
    "#End_Of_Ovl",
    nullptr,
};

template <class T>
T* FormIn(QWidget* window)
{
    if (!window)
        return nullptr;
    for (QObject* o : window->children())
        if (auto* f = dynamic_cast<T*>(o))
            return f;
    return nullptr;
}

template <class T>
T* OpenForm()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (T* f = FormIn<T>(w))
                return f;
    return nullptr;
}

int DarkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 96;
    return n;
}

class PopupWindowsTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        store.Open(QV_BIN_DIR "/TM5150QE.OVL");
        g_GTex = &store;
        Segchar::ResetOverlay();
        hostStore.UseLines(kHostLines);
        window = std::make_unique<QWidget>();
        window->resize(640, 300);
        host = std::make_unique<cuiSheet>(window.get(), nullptr, 0, 0, &hostStore, "HOST",
                                          images.get());
        host->SetRules(&CodecRules::Call, &codec);
        host->Show();
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        host->Grid()->setFocus();
        current = host.get();
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (FormIn<cuiPopupForm>(w))
                w->hide();
        ProcessDeferred();
        host.reset();
        SheetTest::TearDown();
        Segchar::ResetOverlay();
    }
    void EnterOn(int col)
    {
        host->MoveTo(col, 0);
        host->SendAction(col, 0, cmcCellCapsule::kKeyEnter, 0);
    }
    cuiFBitsR* OpenFlags(int32_t flags)
    {
        codec.flags = flags;
        EnterOn(0);
        return OpenForm<cuiFBitsR>();
    }
    // The column of bit cell j in the flag window's sheet.
    static int BitCol(cuiSheet* sheet, int j)
    {
        for (int c = 0; c < sheet->ColCount(); ++c)
            if (sheet->CellAt(c, 3).id == CL_FBits && sheet->CellAt(c, 3).index == j)
                return c;
        return -1;
    }
    static bool ErrorMark(cuiSheet* sheet, int col)
    {
        cmcCellCapsule cap;
        cap.cell = const_cast<cmcCellObj*>(&sheet->CellAt(col, 3));
        sheet->Rules()(sheet->RulesContext(), &cap, 0);
        return (cap.flags & cmcCellCapsule::kFlagError) != 0;
    }

    cmcGTex hostStore;
    CodecRules codec;
    std::unique_ptr<cuiSheet> host;
};

TEST_F(PopupWindowsTest, FlagBitsWindowOpensNextToTheCellAndOkChangesExactlyTheToggledBit)
{
    cuiFBitsR* form = OpenFlags(S(0b00101));  // sentences 3 and 5 (flags 2 and 4)
    ASSERT_NE(form, nullptr);
    QWidget* popup = form->Window();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), popup);
    const QRect cell = host->Grid()->CellRect(0, 0);
    const QPoint below = host->Grid()->viewport()->mapToGlobal(cell.bottomLeft());
    EXPECT_EQ(popup->pos(), QPoint(below.x() + 8, below.y() + 1));
    // Labels RMC .. VTG over five bit cells, the stored flags shown.
    cuiSheet* sheet = form->Sheet();
    ASSERT_EQ(form->BitCount(), 5);
    EXPECT_EQ(sheet->CellAt(1, 1).Text(), "RMC");
    EXPECT_EQ(sheet->CellAt(BitCol(sheet, 5), 1).Text(), "VTG");
    EXPECT_EQ(form->Value(), static_cast<uint32_t>(S(0b00101)) << 18);
    // Keyboard: Right moves to the next bit cell over the spacer, Space toggles, Enter is OK.
    EXPECT_EQ(sheet->Grid()->Col(), BitCol(sheet, 1));
    QTest::keyClick(sheet->Grid(), Qt::Key_Right);
    EXPECT_EQ(sheet->Grid()->Col(), BitCol(sheet, 2));
    QTest::keyClick(sheet->Grid(), Qt::Key_Space);
    QTest::keyClick(sheet->Grid(), Qt::Key_Return);
    EXPECT_EQ(codec.flags, S(0b01101));
    EXPECT_EQ(codec.choices, 1);
    ProcessDeferred();
    EXPECT_EQ(cuiPopupForm::LiveCount(), 0);

    // The OK button does the same.
    form = OpenFlags(S(0));
    ASSERT_NE(form, nullptr);
    form->Sheet()->SendAction(BitCol(form->Sheet(), 5), 3, cmcCellCapsule::kKeySpace, 0);
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
    EXPECT_EQ(codec.flags, S(0b00001));
}

TEST_F(PopupWindowsTest, FlagBitsCancelAndEscapeLeaveTheValue)
{
    const uint8_t before[sizeof codec.image] = {};
    for (int way = 0; way < 3; ++way) {
        cuiFBitsR* form = OpenFlags(S(0b10000));
        ASSERT_NE(form, nullptr) << way;
        QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Space);
        if (way == 0)
            QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Escape);
        else  // Escape where the toolkit would close the popup itself
            QTest::keyClick(form->OkButton(), Qt::Key_Escape);
        EXPECT_TRUE(form->Cancelled()) << way;
        ProcessDeferred();
        EXPECT_EQ(codec.flags, S(0b10000)) << way;
        EXPECT_EQ(codec.choices, 0) << way;
        EXPECT_EQ(cuiPopupForm::LiveCount(), 0) << way;
    }
    EXPECT_EQ(std::memcmp(codec.image, before, kText), 0);
}

TEST_F(PopupWindowsTest, FlagBitsSentenceLimitHoldsForOkClickOutsideAndEvent21)
{
    // Four sentences set when the window opens: OK is off and every bit is marked at once.
    cuiFBitsR* form = OpenFlags(S(0b11110));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->OkButton()->isEnabled());
    EXPECT_TRUE(ErrorMark(form->Sheet(), BitCol(form->Sheet(), 1)));
    QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Return);  // Enter is OK: refused
    EXPECT_FALSE(form->Committed());
    // Clearing one allows OK again, and the marks go.
    form->Sheet()->SendAction(BitCol(form->Sheet(), 2), 3, cmcCellCapsule::kKeySpace, 0);
    EXPECT_TRUE(form->OkButton()->isEnabled());
    EXPECT_FALSE(ErrorMark(form->Sheet(), BitCol(form->Sheet(), 1)));
    // A fourth again, then event 21: nothing is stored.
    form->Sheet()->SendAction(BitCol(form->Sheet(), 5), 3, cmcCellCapsule::kKeySpace, 0);
    EXPECT_FALSE(form->OkButton()->isEnabled());
    g_EvMan->Send(ev::kCommitEdits);
    ProcessDeferred();
    EXPECT_EQ(codec.flags, S(0b11110));
    EXPECT_EQ(codec.choices, 0);
    EXPECT_EQ(cuiPopupForm::LiveCount(), 0);

    // A click outside with four set stores nothing either; with three it stores them.
    for (const int32_t start : {S(0b11110), S(0b01110)}) {
        form = OpenFlags(start);
        ASSERT_NE(form, nullptr);
        QWidget* popup = form->Window();
        QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(popup->width() + 40, 10));
        if (popup->isVisible())
            popup->hide();  // where the platform does not route the click to the popup
        ProcessDeferred();
        EXPECT_EQ(codec.flags, start);
        EXPECT_EQ(codec.choices, start == S(0b01110) ? 1 : 0);
        codec.choices = 0;
    }
    // Event 21 with an allowed value commits it.
    form = OpenFlags(S(0));
    ASSERT_NE(form, nullptr);
    form->Sheet()->SendAction(BitCol(form->Sheet(), 3), 3, cmcCellCapsule::kKeySpace, 0);
    g_EvMan->Send(ev::kCommitEdits);
    EXPECT_EQ(codec.flags, S(0b00100));
    EXPECT_EQ(codec.choices, 1);
}

TEST_F(PopupWindowsTest, FlagBitsLabelsCapAndOwnPopupMenu)
{
    EXPECT_EQ(cuiFBitsR::Label(1, 11, 12, ""), "B");
    EXPECT_EQ(cuiFBitsR::Label(2, 10, 10, ""), "0");
    EXPECT_EQ(cuiFBitsR::Label(3, 11, 11, ""), "Z");
    EXPECT_EQ(cuiFBitsR::Label(4, 1, 8, ""), "A");
    EXPECT_EQ(cuiFBitsR::Label(5, 6, 8, "VTG"), "VTG");
    EXPECT_EQ(cuiFBitsR::Label(6, 3, 7, ""), "B4");
    EXPECT_EQ(cuiFBitsR::Label(0, 12, 12, ""), "12");
    // More bits than the value holds are capped at 25.
    cmcCellCapsule cap;
    cmcRect rect{0, 0, 40, 20};
    cap.owner = host->Grid();
    cap.sheet = host.get();
    cap.rect = &rect;
    cap.cell = const_cast<cmcCellObj*>(&host->CellAt(0, 0));
    popups.OpenFlagBits(cap, &store, 0xFFFFFFFFu, 1, 40, 4, 1, "");
    cuiFBitsR* form = OpenForm<cuiFBitsR>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->BitCount(), 25);
    EXPECT_EQ(BitCol(form->Sheet(), 26), -1);
    // A right click on a bit cell shows the window's own menu (the main overlay has none).
    cuiGrid* grid = form->Sheet()->Grid();
    const QPoint at = grid->CellRect(BitCol(form->Sheet(), 2), 3).center();
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, at);
    ASSERT_NE(form->Sheet()->MenuBuilder(), nullptr);
    EXPECT_EQ(form->Sheet()->MenuBuilder()->Name(), "GI_PMenu_NoItem");
    ASSERT_FALSE(form->Sheet()->PopupMenu()->actions().isEmpty());
    EXPECT_EQ(form->Sheet()->PopupMenu()->actions()[0]->text(), QStringLiteral("No item"));
    form->Sheet()->PopupMenu()->hide();
    // Check marks (display kind 1) are drawn, and the window ends on event 1 of its owner.
    const QImage shot = form->Window()->grab().toImage();
    EXPECT_GT(DarkPixels(shot), 0);
    g_EvMan->Send(ev::kWindowDestroyed, 0, reinterpret_cast<intptr_t>(host->Grid()));
    EXPECT_TRUE(form->Cancelled());
}

TEST_F(PopupWindowsTest, SegmentTextWindowStoresTheTypedTextAndDrawsIt)
{
    std::memcpy(codec.image + kText, "OLD     ", 8);
    EnterOn(1);
    cuiFSegText* form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    QLineEdit* field = form->Field();
    EXPECT_EQ(field->text(), QStringLiteral("OLD"));
    EXPECT_EQ(field->selectedText(), QStringLiteral("OLD"));
    const int before = DarkPixels(form->Preview()->grab().toImage());
    QTest::keyClicks(field, QStringLiteral("AB.C"));
    EXPECT_EQ(form->StoredBytes(), std::string("A\xC2"
                                               "C"));
    // The preview draws the glyphs of the typed text.
    const QImage after = form->Preview()->grab().toImage();
    EXPECT_GT(DarkPixels(after), before / 2);
    EXPECT_NE(DarkPixels(after), before);
    QTest::keyClick(field, Qt::Key_Return);
    const uint8_t expected[8] = {'A', 0xC2, 'C', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(std::memcmp(codec.image + kText, expected, 8), 0);
    EXPECT_EQ(codec.choices, 1);
    ProcessDeferred();
    EXPECT_EQ(cuiPopupForm::LiveCount(), 0);
}

TEST_F(PopupWindowsTest, SegmentTextWindowFromATypedCharacterAndItsWaysOut)
{
    // Typing "%" on the cell starts an escape: "%1F" is user character 15.
    host->MoveTo(1, 0);
    host->SendAction(1, 0, '%', 0);
    cuiFSegText* form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Field()->text(), QStringLiteral("%"));
    EXPECT_FALSE(form->Field()->hasSelectedText());
    QTest::keyClicks(form->Field(), QStringLiteral("1F"));
    // A character that is not one byte of the code page is refused; line breaks are spaces.
    form->Field()->insert(QString::fromUtf8("\xe6\x97\xa5"));
    form->Field()->insert(QStringLiteral("X\nY"));
    EXPECT_EQ(form->Field()->text(), QStringLiteral("%1FX Y"));
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(codec.image + kText), 8), "\x1FX Y    ");
    ProcessDeferred();

    // A typed point opens with a lone point.
    host->SendAction(1, 0, '.', 0);
    form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Field()->text(), QStringLiteral("."));
    // Escape leaves the text; so does Cancel.
    QTest::keyClick(form->Field(), Qt::Key_Escape);
    ProcessDeferred();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(codec.image + kText), 8), "\x1FX Y    ");
    host->SendAction(1, 0, 'Q', 0);
    form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
    ProcessDeferred();
    EXPECT_EQ(codec.choices, 1);

    // Picking a user character in the sheet inserts its escape; a click outside stores.
    host->SendAction(1, 0, cmcCellCapsule::kKeyEnter, 0);
    form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    cuiSheet* chars = form->Sheet();
    int col = -1, row = -1;
    for (int r = 0; r < chars->RowCount(); ++r)
        for (int c = 0; c < chars->ColCount(); ++c)
            if (chars->CellAt(c, r).index == 0x11) {
                col = c;
                row = r;
            }
    ASSERT_GE(col, 0);
    form->Field()->selectAll();
    chars->SendAction(col, row, cmcCellCapsule::kKeyDoubleClick, 0);
    EXPECT_EQ(form->Field()->text(), QStringLiteral("%11"));
    form->Window()->hide();  // the toolkit hides a popup on a click elsewhere
    ProcessDeferred();
    EXPECT_EQ(codec.image[kText], 0x11);
    EXPECT_EQ(codec.image[kText + 1], ' ');
}

TEST_F(PopupWindowsTest, CharacterSheetHoldsEveryGlyphAndTheUserCharacters)
{
    cmcCellCapsule cap;
    cmcRect rect{0, 0, 40, 20};
    cap.owner = host->Grid();
    cap.sheet = host.get();
    cap.rect = &rect;
    cap.cell = const_cast<cmcCellObj*>(&host->CellAt(1, 0));
    popups.OpenSegmentText(cap, &store, "AB", true, 8, codec.image + kUser);
    cuiFSegText* form = OpenForm<cuiFSegText>();
    ASSERT_NE(form, nullptr);
    std::vector<int> seen(128, 0);
    cuiSheet* chars = form->Sheet();
    for (int r = 0; r < chars->RowCount(); ++r)
        for (int c = 0; c < chars->ColCount(); ++c) {
            const cmcCellObj& cell = chars->CellAt(c, r);
            if (cell.id != Flex0)
                continue;
            ASSERT_TRUE(cell.index >= 16 && cell.index < 128) << cell.index;
            ++seen[cell.index];
            EXPECT_TRUE(chars->IsSelectable(c, r));
        }
    for (int code = 16; code < 128; ++code)
        EXPECT_EQ(seen[code], 1) << code;
}

TEST_F(PopupWindowsTest, CharacterEditorLightsTheClickedSegmentAndStoresExactlyItsBit)
{
    // A segment text showing user character 0, drawn before and after the edit.
    codec.image[kText] = 0x10;
    host->Grid()->viewport()->repaint();
    const QImage textBefore = host->Grid()->grab(host->Grid()->CellRect(1, 0)).toImage();
    EnterOn(2);
    cuiSegEdit* editor = OpenForm<cuiSegEdit>();
    ASSERT_NE(editor, nullptr);
    QWidget* window = editor->Window();
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    EXPECT_EQ(window->parentWidget(), host->Grid()->window());
    const int n = editor->Glyph().SegmentCount();
    ASSERT_EQ(n, 15);
    EXPECT_DOUBLE_EQ(editor->Scale(), 2.5);  // 48 wide, 72 high: set by the height
    // A click between segments changes nothing; one inside the top bar lights it.
    QTest::mouseClick(editor->Canvas(), Qt::LeftButton, {}, QPoint(10 + 50, 10 + 90));
    EXPECT_EQ(editor->Pattern(), 0);
    QTest::mouseClick(editor->Canvas(), Qt::LeftButton, {}, QPoint(10 + 50, 10 + 7));
    EXPECT_EQ(editor->Pattern(), 1u << (n - 1 - 1));
    QTest::mouseClick(editor->Canvas(), Qt::RightButton, {}, QPoint(10 + 50, 10 + 7));
    EXPECT_EQ(editor->Pattern(), 1u << (n - 1 - 1));
    const QImage drawn = editor->Canvas()->grab().toImage();
    EXPECT_GT(DarkPixels(drawn), 100);
    QTest::mouseClick(editor->OkButton(), Qt::LeftButton);
    EXPECT_EQ(codec.image[kUser], 0x20);
    EXPECT_EQ(codec.image[kUser + 1], 0x00);
    EXPECT_EQ(codec.choices, 1);
    editor->Commit();  // at most once
    EXPECT_EQ(codec.choices, 1);
    // Every segment text using the character is drawn anew with its shape.
    QTest::qWait(30);
    ProcessDeferred();
    host->Grid()->viewport()->repaint();
    const QImage textAfter = host->Grid()->grab(host->Grid()->CellRect(1, 0)).toImage();
    EXPECT_NE(textBefore, textAfter);
    EXPECT_GT(DarkPixels(textAfter), DarkPixels(textBefore));
}

TEST_F(PopupWindowsTest, CharacterEditorKeepsBitsItHasNoSegmentForAndEndsWithItsOwner)
{
    // The point (a segment the editor does not offer) and bit 15 come through OK unchanged.
    codec.image[kUser + 2] = 0xC0;
    codec.image[kUser + 3] = 0x01;
    cmcCellCapsule cap;
    cmcRect rect{0, 0, 40, 20};
    cap.owner = host->Grid();
    cap.grid = host->Grid();
    cap.sheet = host.get();
    cap.rect = &rect;
    cmcCellObj cell;
    cell.id = Flex2;
    cell.index = 1;
    cap.cell = &cell;
    popups.OpenCharEditor(cap, 15, 0xC001);
    cuiSegEdit* editor = OpenForm<cuiSegEdit>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor->Canvas(), Qt::Key_Return);  // Enter is OK
    EXPECT_EQ(codec.image[kUser + 2], 0xC0);
    EXPECT_EQ(codec.image[kUser + 3], 0x01);
    ProcessDeferred();

    // The owner's grid going away closes the editor without storing anything.
    popups.OpenCharEditor(cap, 15, 0);
    editor = OpenForm<cuiSegEdit>();
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->Canvas(), Qt::LeftButton, {}, QPoint(10 + 50, 10 + 7));
    host.reset();
    EXPECT_TRUE(editor->Cancelled());
    ProcessDeferred();
    EXPECT_EQ(codec.image[kUser + 2], 0xC0);
    EXPECT_EQ(cuiPopupForm::LiveCount(), 0);
}

TEST_F(SheetTest, CharacterEditorDrawsNothingForAFlatGlyph)
{
    std::vector<std::string> lines = TestSheetLines();
    for (const char* l : {"#GI_PCG_Seg_Data", "2|(0,0)(4,0)(8,0)|(0,0)(8,0)(4,0)", "#",
                          "#GI_AppInd_CharacterEditorCaption", "Editor",
                          "#GI_AppInd_Button_OkCancel", "OK", "Cancel"})
        lines.push_back(l);
    UseOverlay(lines);
    Segchar::ResetOverlay();
    auto sheet = Make("TS", "TestSheet");
    cmcCellCapsule cap;
    cmcRect rect{0, 0, 40, 20};
    cap.owner = sheet->Grid();
    cap.rect = &rect;
    popups.OpenCharEditor(cap, 15, 0);
    cuiSegEdit* editor = OpenForm<cuiSegEdit>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Scale(), 0);
    editor->Canvas()->grab();
    QTest::mouseClick(editor->Canvas(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(editor->Pattern(), 0);
    QTest::keyClick(editor->Canvas(), Qt::Key_Escape);
    EXPECT_TRUE(editor->Cancelled());
    ProcessDeferred();
    Segchar::ResetOverlay();
}

}  // namespace
