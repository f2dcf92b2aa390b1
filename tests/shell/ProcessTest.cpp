// The real program as a process: single instance, restart after a crash, settings written
// at a normal exit and read back by the rules, and the fatal box for a missing overlay key.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "shell/QtTestApp.h"

namespace {

const QString kBin = QStringLiteral(QV_BIN_DIR);

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        ASSERT_TRUE(config.isValid() && runtime.isValid());
    }
    QProcessEnvironment Env() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        return env;
    }
    std::unique_ptr<QProcess> Start(const QString& program = kBin + QStringLiteral("/quorvex"))
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(Env());
        p->start(program, {});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }
    QString LockFile() const
    {
        return runtime.path() + QStringLiteral("/Tavo_Quorvex_APP_Exclusive_Mutex.lock");
    }
    // True once some process holds the single-instance lock.
    bool WaitForLock(bool held, int ms = 15000)
    {
        for (int waited = 0; waited < ms; waited += 20) {
            int fd = ::open(QFile::encodeName(LockFile()).constData(), O_RDWR | O_CLOEXEC);
            bool locked = false;
            if (fd >= 0) {
                locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
                ::close(fd);
            }
            if (locked == held)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    // Starts the program, waits until it runs, and ends it as a desktop session would.
    void RunAndQuit()
    {
        auto p = Start();
        ASSERT_TRUE(WaitForLock(true));
        ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
        ASSERT_TRUE(p->waitForFinished(15000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    QString ConfigFile() const { return config.path() + QStringLiteral("/Tavo/Quorvex.conf"); }
    QTemporaryDir config, runtime;
};

TEST_F(ProcessTest, SecondCopyLeavesAtOnceAndACrashDoesNotBlockTheNext)
{
    auto first = Start();
    ASSERT_TRUE(WaitForLock(true));
    auto second = Start();
    ASSERT_TRUE(second->waitForFinished(15000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    ASSERT_TRUE(first->waitForFinished(15000));
    // A killed program writes none of the settings kept for the exit (a shown sheet keeps
    // its column widths at once, so the file itself may exist).
    EXPECT_FALSE(
        QSettings(ConfigFile(), QSettings::IniFormat).contains(QStringLiteral("Global/BBT")));

    RunAndQuit();
    EXPECT_TRUE(QFile::exists(ConfigFile()));
}

TEST_F(ProcessTest, QuittingWritesSettingsAndHandEditsFollowTheReadRules)
{
    RunAndQuit();
    {
        QSettings s(ConfigFile(), QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("Global/BBT")).toInt(), 753951);
        EXPECT_EQ(s.value(QStringLiteral("Window Position/SplitterV")).toInt(), 200);
        s.setValue(QStringLiteral("Global/ComPort"), 0);
        s.setValue(QStringLiteral("View Option/FontSize Percentage"), 5);
    }
    RunAndQuit();
    {
        QSettings s(ConfigFile(), QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("Global/ComPort")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("View Option/FontSize Percentage")).toInt(), 25);
        s.setValue(QStringLiteral("Global/ComPort"), 7);
        s.setValue(QStringLiteral("View Option/FontSize Percentage"), 300);
        s.remove(QStringLiteral("Window Position/SplitterV"));
    }
    RunAndQuit();
    {
        // A missing value resets every setting.
        QSettings s(ConfigFile(), QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("Global/ComPort")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("View Option/FontSize Percentage")).toInt(), 100);
        EXPECT_EQ(s.value(QStringLiteral("Window Position/SplitterV")).toInt(), 200);
        s.setValue(QStringLiteral("Global/ComPort"), 9);
        s.setValue(QStringLiteral("Global/BBT"), 42);
    }
    RunAndQuit();
    QSettings s(ConfigFile(), QSettings::IniFormat);
    EXPECT_EQ(s.value(QStringLiteral("Global/ComPort")).toInt(), 1);
    EXPECT_EQ(s.value(QStringLiteral("Global/BBT")).toInt(), 753951);
}

// A copy of the program with its overlays in a folder of its own, one key removed.
TEST_F(ProcessTest, MissingOverlayKeyEndsWithTheErrorAndWritesNothing)
{
    QTemporaryDir prog;
    ASSERT_TRUE(prog.isValid());
    ASSERT_TRUE(
        QFile::copy(kBin + QStringLiteral("/quorvex"), prog.path() + QStringLiteral("/quorvex")));
    for (const char* f : {"TM5150Q.OVL", "TM5150QH.OVL"})
        ASSERT_TRUE(QFile::copy(kBin + QLatin1Char('/') + QLatin1String(f),
                                prog.path() + QLatin1Char('/') + QLatin1String(f)));
    QFile in(kBin + QStringLiteral("/TM5150QE.OVL"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray text = in.readAll();
    const QByteArray key = "#GI_Form_Main_BasicCell\n";
    const qsizetype at = text.indexOf(key);
    ASSERT_GE(at, 0);
    const qsizetype end = text.indexOf('\n', at + key.size());
    text.remove(at, end + 1 - at);
    QFile out(prog.path() + QStringLiteral("/TM5150QE.OVL"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();

    auto p = Start(prog.path() + QStringLiteral("/quorvex"));
    ASSERT_TRUE(p->waitForFinished(15000));
    EXPECT_NE(p->exitCode(), 0);
    const std::string err = p->readAllStandardError().toStdString();
    EXPECT_NE(err.find("GTEX Error !\nThe index 'GI_Form_Main_BasicCell' was not found."),
              std::string::npos)
        << err;
    EXPECT_FALSE(QFile::exists(ConfigFile()));
    EXPECT_TRUE(WaitForLock(false, 1000));  // the lock went with the process
}

}  // namespace
