// The radio commands as a dealer uses them, against the simulated radio: identify, read,
// edit, write and read back; the model types; the radio's refusals and every fault of the
// line, each ending with its message, the window enabled, the image unchanged and the
// port closed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "RadioSim.h"
#include "SimFile.h"
#include "SimPort.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/cmcPortTable.h"
#include "link/indCloneMan.h"
#include "model/datCh.h"
#include "model/indBlockMap.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiOptDialog.h"
#include "shell/indMain.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

using plat::BoxResult;

constexpr uint32_t kChannelHz = 446006250;

// Puts memory channel index of the record kind into use on one frequency.
void UseChannel(cmcEeprom& image, int kind, int index)
{
    datCh ch(image);
    ch.Load(kind, index);
    ch.freqR = kChannelHz;
    ch.freqT = kChannelHz;
    ch.flags |= 1;
    ch.Store(kind, index);
}

std::string HeadLine(int result)
{
    return g_GTex->GetLine("GI_Mess_CloneErr_Head", result);
}

class RadioCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Radio " + std::to_string(getpid()), key, key);
        // The write's safety steps (backup, confirmation, read-back) have tests of their own;
        // these look at the bare transfer.
        environ->backupBeforeWrite = environ->confirmBeforeWrite = environ->verifyAfterWrite = 0;
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_radio_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        main->fileDialog = [this](bool, const std::string&) {
            if (answers.empty())
                return std::string();
            std::string a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        form = std::make_unique<TForm1>();
        // The radio starts with the LMR defaults and one memory channel in use.
        {
            cmcEeprom radio;
            std::vector<int32_t> ranges;
            UseChannel(main->Doc().Work(), 1, 0);
            main->Doc().PrepareCloneWrite(radio, ranges);
            std::copy(radio.Data(), radio.Data() + RadioSim::kEepromSize, sim.eeprom().begin());
            main->Doc().NewDocument();
        }
        port = std::make_unique<SimPort>(sim);
        UsePort();
        boxes().Clear();
    }
    void TearDown() override
    {
        form.reset();
        main.reset();
        g_Main = nullptr;
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = nullptr;
        g_HelpGTex = nullptr;
        environ->backupBeforeWrite = environ->confirmBeforeWrite = environ->verifyAfterWrite = 1;
        environ.reset();
        g_Environ = nullptr;
        fs::remove_all(dir);
    }
    void UsePort()
    {
        main->UseLinkPort(port.get());
        // The short waits of the link move the test's clock.
        main->Doc().CloneMan().Driver().SetWaiter(
            [](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
    }
    qvtest::TestMessageBoxes& boxes() { return qvtest::Services().boxes; }
    // Lets the timers run until the link is idle again.
    bool Run(uint32_t limitMs = 120000)
    {
        for (uint32_t t = 0; t < limitMs; t += 10) {
            if (!main->CloneBusy())
                return true;
            qvtest::Services().timers.Advance(10);
        }
        return !main->CloneBusy();
    }
    void Command(int32_t id)
    {
        main->RunCommand(id, 0);
        ASSERT_TRUE(Run());
    }
    std::vector<uint8_t> Work() const
    {
        const cmcEeprom& w = main->Doc().Work();
        return std::vector<uint8_t>(w.Data(), w.Data() + w.GetSize());
    }
    // The error boxes shown, by their first line.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> out;
        for (const auto& b : qvtest::Services().boxes.Seen())
            if (b.icon == plat::BoxIcon::Error)
                out.push_back(b.text.substr(0, b.text.find('\n')));
        return out;
    }
    void ExpectLinkEnded()
    {
        EXPECT_TRUE(form->isEnabled());
        EXPECT_FALSE(port->IsOpen());
        EXPECT_EQ(port->opens, port->closes);
    }
    void Save(const std::string& name)
    {
        answers.push_back((dir / name).string());
        ASSERT_EQ(main->SaveAs(), 0);
    }
    void Shot(QWidget* w, const std::string& name)
    {
        fs::create_directories("/tmp/shots15");
        w->grab().save(QString::fromStdString("/tmp/shots15/" + name));
    }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    std::vector<std::string> answers;
    RadioSim sim;
    std::unique_ptr<SimPort> port;
};

// Identify, read, edit a channel, write, and read back: the radio holds the edit.
TEST_F(RadioCommandsTest, ReadEditWriteAndReadBack)
{
    Command(CL_Menu_Clone_Info);
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(sim.infosAnswered, 1) << port->opens;
    ASSERT_TRUE(main->Doc().RadioIdentified());
    EXPECT_EQ(main->Doc().RadioModelCode(), 0x3285);
    EXPECT_EQ(main->CloneInfo()[0], 80);
    ASSERT_NE(main->Information(), nullptr);
    EXPECT_FALSE(form->isEnabled());  // the information window owns the input
    Shot(main->Information(), "information.png");
    // The window shows the radio's clone information: its serial number, for one.
    {
        cuiSheet* sheet = main->Information()->Sheet();
        ASSERT_NE(sheet, nullptr);
        std::string shown;
        for (int row = 0; row < sheet->RowCount(); ++row)
            for (int col = 0; col < sheet->ColCount(); ++col) {
                cmcCellObj cell = sheet->CellAt(col, row);
                cmcCellCapsule capsule;
                capsule.cell = &cell;
                main->RunRules(capsule, 0);
                shown += capsule.text + "|";
            }
        EXPECT_NE(shown.find("1234120000123"), std::string::npos) << shown;
        EXPECT_NE(shown.find("$3A5C"), std::string::npos) << shown;
    }
    main->Information()->OkButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->Information(), nullptr);
    EXPECT_TRUE(form->isEnabled());

    Command(CL_Menu_Clone_Read);
    EXPECT_TRUE(Errors().empty());
    ExpectLinkEnded();
    EXPECT_TRUE(main->Doc().Modified());
    EXPECT_TRUE(main->Doc().Untitled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled * - Quorvex"));
    // Both working images hold what the radio sent.
    EXPECT_TRUE(std::equal(sim.eeprom().begin(), sim.eeprom().end(), main->Doc().Work2().Data()));

    // The dealer moves channel 0 to another frequency.
    datCh ch(main->Doc().Work());
    ch.Load(1, 0);
    ASSERT_TRUE(ch.InUse());
    ch.freqR = 446093750;
    ch.freqT = 446093750;
    ch.Store(1, 0);
    main->CheckModified();
    Shot(form.get(), "after-read.png");

    boxes().Answer(BoxResult::Ok);  // write now?
    boxes().Answer(BoxResult::Ok);  // written
    Command(CL_Menu_Clone_Write);
    EXPECT_TRUE(Errors().empty());
    ExpectLinkEnded();
    ASSERT_EQ(sim.writesCompleted, 1);
    const auto& seen = boxes().Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, g_GTex->GetLines("GI_Mess_CloneWrite_Succeeded"));

    // Reading back: the radio holds the edit.
    boxes().Answer(BoxResult::No);  // the document has unsaved changes
    Command(CL_Menu_Clone_Read);
    EXPECT_TRUE(Errors().empty());
    datCh back(main->Doc().Work());
    back.Load(1, 0);
    EXPECT_EQ(back.freqR, 446093750u);
}

// Each model type: new document, save, reopen, write, read back; the radio holds exactly
// what was written over the written range.
TEST_F(RadioCommandsTest, EveryModelTypeWritesAndReadsBackByteForByte)
{
    for (int type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        boxes().Clear();
        if (type != main->Doc().ModelType()) {
            boxes().Answer(BoxResult::Ok);  // change the model type
            boxes().Answer(BoxResult::No);  // the document read back is not saved
            main->ChangeModelType(type, true);
        }
        ASSERT_EQ(main->Doc().ModelType(), type);
        UseChannel(main->Doc().Work(), type + 1, 0);
        main->CheckModified();
        const std::string name = std::string("type") + std::to_string(type) + ".qcl";
        Save(name);
        ASSERT_EQ(main->OpenFile((dir / name).string()), 0);
        ASSERT_EQ(main->Doc().ModelType(), type);

        cmcEeprom expected;
        std::vector<int32_t> ranges;
        main->Doc().PrepareCloneWrite(expected, ranges);
        const std::vector<uint8_t> before = Work();
        boxes().Answer(BoxResult::Ok);
        boxes().Answer(BoxResult::Ok);
        Command(CL_Menu_Clone_Write);
        ASSERT_TRUE(Errors().empty()) << Errors()[0];
        EXPECT_EQ(Work(), before);  // writing never changes the document
        EXPECT_EQ(ranges[0], 0x0100);
        for (int32_t a = ranges[0]; a <= ranges[1]; ++a)
            ASSERT_EQ(sim.eeprom()[static_cast<size_t>(a)], expected.GetByte(a)) << a;

        // Read back (the document is saved, so nothing is asked).
        Command(CL_Menu_Clone_Read);
        ASSERT_TRUE(Errors().empty()) << Errors()[0];
        EXPECT_EQ(main->Doc().ModelType(), type);
        for (int32_t a = ranges[0]; a <= ranges[1]; ++a)
            ASSERT_EQ(main->Doc().Work2().GetByte(a), expected.GetByte(a)) << a;
    }
}

// Refusals of the radio: each ends with its message, the window enabled, the document as
// it was.
TEST_F(RadioCommandsTest, WrongPasswordOtherModelAndNewerDataEndWithTheirMessage)
{
    const std::vector<uint8_t> before = Work();
    boxes().AnswerAll(BoxResult::Ok);

    // A radio of another model.
    sim.config().modelCode = 0x1234;
    Command(CL_Menu_Clone_Read);
    EXPECT_EQ(Errors(), std::vector<std::string>{HeadLine(11)});
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();
    sim.config().modelCode = 0x3285;

    // A radio with data newer than this program: block 18's first byte set.
    boxes().Clear();
    boxes().AnswerAll(BoxResult::Ok);
    {
        cmcEeprom newer;
        newer.SetSize(7424);
        std::copy(sim.eeprom().begin(), sim.eeprom().end(), newer.Data());
        indBlockMap::Unpack(newer);
        newer.SetByte(indDocument::kNewerDataByte, 1);
        indBlockMap::Pack(newer);
        std::copy(newer.Data(), newer.Data() + 0x780, sim.eeprom().begin());
    }
    Command(CL_Menu_Clone_Read);
    EXPECT_EQ(Errors(), std::vector<std::string>{HeadLine(16)});
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();
}

TEST_F(RadioCommandsTest, WrongClonePasswordIsRefusedByTheRadio)
{
    sim.config().infoByte15 = 0x08;
    sim.config().clonePassword = "secret";
    UseChannel(main->Doc().Work(), 1, 0);
    const std::vector<uint8_t> before = Work();
    std::string typed = "wrong";
    int asked = 0;
    main->execDialog = [&](QDialog& d) {
        auto* dialog = dynamic_cast<cuiOptDialog*>(&d);
        if (!dialog)
            return 0;
        ++asked;
        if (asked == 1)
            Shot(dialog, "clone-password.png");
        dialog->Edit()->setText(QString::fromStdString(typed));
        dialog->OkButton()->click();
        return d.result();
    };
    boxes().AnswerAll(BoxResult::Ok);
    Command(CL_Menu_Clone_Read);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sim.password, "wrong");
    EXPECT_EQ(Errors(), std::vector<std::string>{HeadLine(5)});
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();

    boxes().Clear();
    boxes().AnswerAll(BoxResult::Ok);  // write now? and the refusal
    Command(CL_Menu_Clone_Write);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Errors(), std::vector<std::string>{HeadLine(6)});
    EXPECT_EQ(sim.writesCompleted, 0);
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();

    // The right password opens the radio.
    boxes().Clear();
    typed = "secret";
    Command(CL_Menu_Clone_Read);
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(sim.readsCompleted, 1);
}

// Every fault of the line for identify, read and write, through the program's commands.
struct FaultCase {
    RadioSim::Fault fault;
    int info, read, write;
};
const FaultCase kFaults[] = {
    {RadioSim::Fault::BadEcho, 4, 4, 4},     {RadioSim::Fault::Silence, 5, 5, 5},
    {RadioSim::Fault::BadChecksum, 6, 6, 6}, {RadioSim::Fault::LowerHex, 0, 6, 0},
    {RadioSim::Fault::WrongCount, 0, 7, 10}, {RadioSim::Fault::Refuse, 5, 5, 5},
    {RadioSim::Fault::DropAfter, 0, 5, 5},   {RadioSim::Fault::Disconnect, 0, 5, 17},
};

class RadioFaultTest : public RadioCommandsTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RadioFaultTest, EndsWithItsMessageAndLeavesTheDocumentAlone)
{
    sim.config().fault = GetParam().fault;
    UseChannel(main->Doc().Work(), 1, 0);
    const std::vector<uint8_t> before = Work();
    const struct {
        int32_t command;
        int want;
    } steps[] = {{CL_Menu_Clone_Info, GetParam().info},
                 {CL_Menu_Clone_Read, GetParam().read},
                 {CL_Menu_Clone_Write, GetParam().write}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        boxes().Clear();
        boxes().AnswerAll(BoxResult::Ok);
        // A radio switched off and on again: drops and pulled cables do not carry over.
        const RadioSim::Config config = sim.config();
        const std::vector<uint8_t> eeprom = sim.eeprom();
        sim = RadioSim(config);
        sim.eeprom() = eeprom;
        Command(step.command);
        if (step.want == 0) {
            EXPECT_TRUE(Errors().empty());
        } else {
            ASSERT_EQ(Errors().size(), 1u);
            EXPECT_EQ(Errors()[0], HeadLine(step.want));
        }
        if (main->Information())
            delete main->Information();
        EXPECT_EQ(Work(), before);
        ExpectLinkEnded();
    }
}

INSTANTIATE_TEST_SUITE_P(AllFaults, RadioFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& info) {
                             std::string n = SimFile::FaultName(info.param.fault);
                             std::erase(n, '-');
                             return n;
                         });

}  // namespace

namespace {

// The port dialog: numbers 1 to 256 (trimmed), anything else refused with the dialog open;
// the devices found are listed and picking one takes its number.
TEST_F(RadioCommandsTest, PortDialogTakesNumbersAndListedDevices)
{
    const fs::path dev = dir / "dev";
    fs::create_directories(dev / "serial" / "by-id");
    std::ofstream((dev / "ttyUSB0").string()).put('x');
    fs::create_symlink(dev / "ttyUSB0",
                       dev / "serial" / "by-id" / "usb-Tavo_Cable_1234-if00-port0");
    std::ofstream((dev / "ttyS3").string()).put('x');
    cmcPortTable table(dev.string(), (dir / "sys").string());
    main->portTable = &table;

    struct Case {
        std::string typed;
        bool accepted;
        int port;
    } cases[] = {{" 12 ", true, 12}, {"0", false, 1}, {"257", false, 1}, {"abc", false, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        environ->comPort = 1;
        boxes().Clear();
        if (!c.accepted)
            boxes().Answer(BoxResult::Ok);
        bool stayedOpen = false;
        main->execDialog = [&](QDialog& d) {
            auto* dialog = dynamic_cast<cuiOptDialog*>(&d);
            dialog->Edit()->setText(QString::fromStdString(c.typed));
            dialog->OkButton()->click();
            stayedOpen = d.result() != QDialog::Accepted;
            if (stayedOpen)
                dialog->CancelButton()->click();
            return d.result();
        };
        EXPECT_EQ(main->PortDialog(), c.accepted);
        EXPECT_EQ(environ->comPort, c.port);
        EXPECT_EQ(stayedOpen, !c.accepted);
        EXPECT_EQ(Errors().size(), c.accepted ? 0u : 1u);
    }

    // Picking the second device takes its number; the stable name is shown beside it.
    main->execDialog = [&](QDialog& d) {
        auto* dialog = dynamic_cast<cuiOptDialog*>(&d);
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("PortList"));
        EXPECT_EQ(list->topLevelItemCount(), 2);
        EXPECT_TRUE(list->topLevelItem(0)->text(1).endsWith(
            QStringLiteral("usb-Tavo_Cable_1234-if00-port0")));
        EXPECT_TRUE(list->topLevelItem(0)->text(2).endsWith(QStringLiteral("ttyUSB0")));
        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(dialog->Edit()->text(), QStringLiteral("2"));
        dialog->show();
        Shot(dialog, "port-dialog.png");
        dialog->OkButton()->click();
        return d.result();
    };
    boxes().Clear();
    EXPECT_TRUE(main->PortDialog());
    EXPECT_EQ(environ->comPort, 2);
}

// The About box passes typed characters on: the maker key sequence (restarting at a
// wrong character that begins it) offers maker mode once.
TEST_F(RadioCommandsTest, AboutBoxTypedKeysOfferMakerMode)
{
    main->ShowAbout();
    ASSERT_NE(main->AboutBox(), nullptr);
    EXPECT_FALSE(form->isEnabled());
    Shot(main->AboutBox(), "about.png");
    for (char c : std::string("vulvULTAN"))
        main->OnKeyChar(c);
    EXPECT_EQ(main->MakerKeyPosition(), 6);
    EXPECT_FALSE(main->MakerMode());
    boxes().Answer(BoxResult::Ok);  // the maker caution
    main->OnKeyChar('E');
    EXPECT_TRUE(main->MakerMode());
    ASSERT_EQ(boxes().Seen().size(), 1u);
    main->OnKeyChar('x');  // in maker mode the sequence asks no more
    EXPECT_EQ(boxes().Seen().size(), 1u);
    main->AboutBox()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->isEnabled());
}

// The debug compare window lists the changed bytes, then takes a new snapshot.
TEST_F(RadioCommandsTest, DebugCompareListsChangesOnce)
{
    main->Doc().Compare().Assign(main->Doc().Work());
    main->Doc().Work().SetByte(0x0A2C, 'Q');
    QString first, second;
    main->execDialog = [&](QDialog& d) {
        QString& into = first.isNull() ? first : second;
        into = d.findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->toPlainText();
        if (into.isEmpty())
            into = QStringLiteral("");
        return 1;
    };
    main->ShowDebugCompare();
    main->ShowDebugCompare();
    EXPECT_TRUE(first.startsWith(QStringLiteral("0A2C : ")));
    EXPECT_TRUE(first.contains(QStringLiteral(" -> 51")));
    EXPECT_TRUE(second.isEmpty());
}

}  // namespace
