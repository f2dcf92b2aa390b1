#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "SheetFixture.h"
#include "platform/TextUtil.h"
#include "sheets/cuiGrid.h"
#include "support/TestServices.h"

namespace {

// A wide settings sheet: channel rows with texts, frequencies, lists and numbers.
std::vector<std::string> WideSheet()
{
    return {
        "#CellModel_Freq",
        "S>-WHBX",
        "#W_Style",
        "(TitleString=Channels of bank 1: receive and transmit settings)(FixedCols=1)"
        "(FixedRows=1)(MultiSelect=Line)(ColSizing)(ColorSelectLine)",
        "#W_BasicCell",
        "{($Basic)}",
        "#W_Cells",
        "{($Hdr)}Ch|{($Hdr)}Name\\_\\_\\_\\_\\_\\_|{($Hdr)}RX\\_MHz\\_\\_\\_\\_\\_\\_|{($Hdr)}TX\\_"
        "MHz\\_\\_"
        "\\_\\_\\_\\_|{($Hdr)}Power\\_\\_\\_|{($Hdr)}Squelch|{($Hdr)}Scan\\_\\_\\_\\_|{($Hdr)}"
        "Busy\\_lock|{("
        "$Hdr)}Timeout\\_s|{($Hdr)}Bandwidth|{($Hdr)}Compander|{($Hdr)}Scrambler|{($Hdr)}Tone\\_"
        "Hz\\_\\_|{($Hdr)}Talk\\_around",
        ":(LoopFrom 16)",
        "{($Hdr)(%CT_Mch.FlexMark[0])}|{($Val)(%CT_Mch.Flex0[0])}|{($Freq)(%CT_Mch.Flex0[200])}|{($"
        "Freq)(%CT_Mch.Flex0[300])}|{($Val)(%CT_Mch.Flex1[0])}|{($Val)(%CT_Mch.Flex1[20])}|{($Val)("
        "%CT_Mch.Flex1[40])}|{($Val)(%CT_Mch.Flex1[60])}|{($Freq)(%CT_Mch.Flex0[400])}|{($Val)(%CT_"
        "Mch.Flex1[80])}|{($Val)(%CT_Mch.Flex1[100])}|{($Val)(%CT_Mch.Flex1[120])}|{($Freq)(%CT_"
        "Mch.Flex0[500])}|{($Val)(%CT_Mch.Flex1[140])}",
        ":(LoopTo)",
        "#",
    };
}

// A settings sheet of label and value pairs in two groups, with a fixed caption row and
// a fixed label column.
std::vector<std::string> CommonSheet()
{
    std::vector<std::string> l = {
        "#CellModel_Label",
        "<-WH(Color=clBtnFace)",
        "#CellModel_Group",
        "<-H(Color=clTeal)(Font=,,clWhite,,,fsBold,)",
        "#C_Style",
        "(TitleString=Common settings)(FixedCols=1)(FixedRows=1)",
        "#C_BasicCell",
        "{($Basic)}",
        "#C_Cells",
        "{($Hdr)}Setting\\_\\_\\_\\_\\_\\_\\_\\_\\_\\_\\_\\_|{($Hdr)}Value\\_\\_\\_\\_\\_\\_\\_\\_"
        "\\_"
        "|{($Hdr)}Unit",
        "{($Group)}Power\\_and\\_battery|{($Group)+}|{($Group)+}",
    };
    const char* labels[] = {"Battery saver",  "Low battery alert", "Auto power off",
                            "Backlight",      "Key beep",          "Key lock",
                            "Time-out timer", "Squelch level",     "VOX level",
                            "VOX delay",      "Display contrast",  "Welcome text"};
    for (int i = 0; i < 12; ++i) {
        if (i == 6)
            l.push_back("{($Group)}Signalling\\_and\\_timers|{($Group)+}|{($Group)+}");
        const char* unit = i == 2 || i == 6 ? "s" : i == 9 ? "ms" : "";
        if (i % 3 == 0)
            l.push_back(std::string("{($Label)}") + labels[i] + "|{($Val)(%CT_Null.Flex1[" +
                        std::to_string(200 + i) + "])}|{($Label)}" + unit);
        else
            l.push_back(std::string("{($Label)}") + labels[i] + "|{($Num)(%CT_Null.Flex0[" +
                        std::to_string(600 + i) + "])}|{($Label)}" + unit);
    }
    l.push_back("#");
    return l;
}

void FillValues(TestRules& rules)
{
    for (int i = 0; i < 16; ++i) {
        rules.texts[i] = i < 9 ? "Site " + std::string(1, static_cast<char>('A' + i)) : "";
        rules.texts[200 + i] = i < 9 ? txt::Format("446.%05d", 6250 + i * 12500) : "";
        rules.texts[300 + i] = rules.texts[200 + i];
        rules.texts[400 + i] = i < 9 ? std::to_string(30 + 30 * (i % 4)) : "";
        rules.texts[500 + i] = i < 9 ? (i % 2 ? "88.5" : "Off") : "";
        for (int k = 0; k <= 140; k += 20)
            rules.choices[k + i] = (i + k / 20) % 4;
    }
    for (int i = 0; i < 12; ++i) {
        rules.texts[600 + i] = std::to_string((i + 1) * 5);
        rules.choices[200 + i] = i % 4;
    }
}

void Save(const QImage& img, const char* name)
{
    const QByteArray dir = qgetenv("QV_SHEETS_SHOTS");
    if (!dir.isEmpty())
        img.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

TEST_F(SheetTest, DerivedSelectionColoursComeFromTheSystemColours)
{
    UseOverlay(TestSheetLines());
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Text, QColor(0, 0, 0));
    pal.setColor(QPalette::Base, QColor(255, 255, 255));
    QApplication::setPalette(pal);
    auto sheet = Make("TS", "TestSheet");
    sheet->Grid()->clearFocus();
    window->clearFocus();
    QImage img(sheet->Grid()->viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        const QRect cur = sheet->Grid()->CellRect(1, 1);
        // Painted without the focus: the inactive selection colour.
        QWidget other;
        other.show();
        other.activateWindow();
        other.setFocus();
        QApplication::processEvents();
        sheet->DrawCell(p, 1, 1, cur);
    }
    const QRect cur = sheet->Grid()->CellRect(1, 1);
    EXPECT_EQ(QColor(img.pixel(cur.left() + 2, cur.top() + 2)), QColor(191, 191, 191));
}

TEST_F(SheetTest, PaintsTheCurrentCellAndValuesAndReadsThemBack)
{
    UseOverlay(TestSheetLines());
    rules.warnIndex = 3;
    auto sheet = Make("TS", "TestSheet");
    Key(Qt::Key_Down);
    const QImage img = sheet->Grid()->viewport()->grab().toImage();
    const QRect cur = sheet->Grid()->CellRect(1, 2);
    const QColor highlight = sheet->Grid()->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(QColor(img.pixel(cur.left() + 2, cur.top() + 2)), highlight);
    // A plain cell is the window colour, with a grey bottom line and right line.
    const QRect plain = sheet->Grid()->CellRect(1, 4);
    const QColor base = sheet->Grid()->palette().color(QPalette::Active, QPalette::Base);
    EXPECT_EQ(QColor(img.pixel(plain.left() + 2, plain.top() + 2)), base);
    EXPECT_EQ(QColor(img.pixel(plain.left() + 2, plain.bottom())), QColor(128, 128, 128));
    EXPECT_EQ(QColor(img.pixel(plain.right(), plain.top() + 2)), QColor(128, 128, 128));
    // Its text was drawn: some pixels differ from the background.
    int ink = 0;
    for (int x = plain.left() + 3; x < plain.right() - 1; ++x)
        for (int y = plain.top() + 1; y < plain.bottom() - 1; ++y)
            ink += QColor(img.pixel(x, y)) != base;
    EXPECT_GT(ink, 10);
    Save(img, "test-sheet.png");
}

TEST_F(SheetTest, PrintingUsesWhiteOrDarkGreyAndNeverSavesWidths)
{
    UseOverlay({"#S_Style", "", "#S_BasicCell", "{($Basic)}", "#S_Cells",
                "{SXB(Color=clYellow)(%CT_Mch.Flex0[0])}|{SXB}plain|{+}joined", "#"});
    QImage page(400, 200, QImage::Format_RGB32);
    page.fill(Qt::white);
    window = std::make_unique<QWidget>();
    window->resize(400, 200);
    cuiSheet sheet(window.get(), nullptr, 0, 0, &store, "S", images.get());
    sheet.SetRules(&TestRules::Call, &rules);
    sheet.SetDisplayName("TestSheet");
    sheet.SetPreviewTarget(&page, &page);
    sheet.SetPreview(true);
    sheet.Show();
    QPainter p(&page);
    const QRect a(0, 0, 80, 30);
    const QRect b(80, 0, 80, 30);
    const QRect c(160, 0, 80, 30);
    sheet.DrawCell(p, 0, 0, a);
    sheet.DrawCell(p, 1, 0, b);
    sheet.DrawCell(p, 2, 0, c);
    p.end();
    EXPECT_EQ(QColor(page.pixel(3, 3)), QColor(96, 96, 96));      // yellow prints dark grey
    EXPECT_EQ(QColor(page.pixel(3, 29)), QColor(255, 255, 255));  // with a white bottom line
    EXPECT_EQ(QColor(page.pixel(83, 3)), QColor(255, 255, 255));  // window colour: not filled
    EXPECT_EQ(QColor(page.pixel(83, 29)), QColor(0, 0, 0));       // black lines
    // The continuation cell joins: no right line between them, one at the end.
    EXPECT_EQ(QColor(page.pixel(159, 3)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(page.pixel(239, 3)), QColor(0, 0, 0));
    const int before = qvtest::Services().settings.writeCount;
    (void)before;
}

TEST_F(SheetTest, ScreenshotsOfTwoSettingsSheets)
{
    FillValues(rules);
    rules.warnIndex = 202;
    std::vector<std::string> lines = WideSheet();
    const std::vector<std::string> common = CommonSheet();
    lines.insert(lines.end(), common.begin(), common.end());
    UseOverlay(lines);
    window = std::make_unique<QWidget>();
    window->resize(1100, 480);
    auto wide = Make("W", "Wide");
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QApplication::processEvents();
    const QImage wideShot = window->grab().toImage();
    Save(wideShot, "sheet-wide.png");
    // A choice list open on the Power cell of channel 3.
    Key(Qt::Key_Up);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QApplication::processEvents();
    Save(popup->grab().toImage(), "choice-list.png");
    popup->hide();
    ProcessDeferred();
    EXPECT_EQ(wide->RowCount(), 17);
    EXPECT_EQ(wide->ColCount(), 14);
    wide.reset();

    window = std::make_unique<QWidget>();
    window->resize(230, 230);
    auto sheet = Make("C");
    Key(Qt::Key_PageDown);
    sheet->Grid()->SetLeftCol(2);
    QApplication::processEvents();
    const QImage shot = window->grab().toImage();
    Save(shot, "sheet-common-scrolled.png");
    EXPECT_GT(sheet->Grid()->TopRow(), 1);
    EXPECT_EQ(sheet->Grid()->LeftCol(), 2);
    EXPECT_TRUE(sheet->Grid()->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(sheet->Grid()->verticalScrollBar()->isVisible());
    EXPECT_EQ(sheet->Grid()->CellRect(0, 0).topLeft(), QPoint(0, 0));
}

}  // namespace
