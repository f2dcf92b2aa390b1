// The program entry: builds the long-lived objects in their order after the Qt
// application object, runs the main form, and destroys them in reverse before it.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <clocale>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "cells/ICellPopups.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/Fatal.h"
#include "platform/InstanceMailbox.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiCellPopups.h"
#include "shell/TForm1.h"
#include "shell/indMain.h"

namespace {

// SIGTERM and SIGINT close the main form like the user would, so that a desktop session
// ending the program still gets its settings written.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void InstallSignalPipe()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

template <typename T>
struct Global {
    // Points the program-wide pointer at the object for its lifetime.
    Global(T*& slot, std::unique_ptr<T> obj) : slot(slot), object(std::move(obj))
    {
        slot = object.get();
    }
    ~Global()
    {
        object.reset();
        slot = nullptr;
    }
    T*& slot;
    std::unique_ptr<T> object;
};

// The clone files named on the command line (a double-clicked file arrives this way), as
// absolute paths: a running instance that receives them has another working folder.
std::vector<std::string> FileArguments(const QStringList& arguments)
{
    std::vector<std::string> files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString lower = arguments[i].toLower();
        if (lower == QLatin1String("/vultane") || lower == QLatin1String("/factory_adj") ||
            arguments[i].startsWith(QLatin1Char('-')))
            continue;
        std::string path;
        if (plat::FromQt(QFileInfo(arguments[i]).absoluteFilePath(), path))
            files.push_back(path);
    }
    return files;
}

// Opens a handed-over file in the window, once the window is free: never over a modal
// dialog or a running link operation, which keep the window disabled.
void OpenWhenFree(QWidget* form, std::string path)
{
    if (QApplication::activeModalWidget() || !form->isEnabled()) {
        QTimer::singleShot(300, form, [form, path] { OpenWhenFree(form, path); });
        return;
    }
    if (form->isMinimized())
        form->showNormal();
    form->raise();
    form->activateWindow();
    g_Main->OpenFile(path);
}

}  // namespace

int main(int argc, char** argv)
{
    InstallSignalPipe();
    QApplication app(argc, argv);
    // Qt takes the desktop's locale for C as well; numbers in overlays, clone files and
    // cells are always written with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    plat::SetProgramName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toStdString());
    plat::QtServices services(plat::QtServices::DefaultUserConfigFile(),
                              plat::QtServices::DefaultMachineConfigFile());

    const std::string key = "Software\\Tavo\\Quorvex";
    const char* mutexName = "Tavo Quorvex APP Exclusive Mutex";
    Global<indEnviron> environ(g_Environ, std::make_unique<indEnviron>(mutexName, key, key));
    Global<cmcGTex> mainGTex(g_GTex, std::make_unique<cmcGTex>());
    Global<cmcGTex> baseGTex(g_BaseGTex, std::make_unique<cmcGTex>());
    Global<cmcHelpGTex> helpGTex(g_HelpGTex, std::make_unique<cmcHelpGTex>());
    Global<cmcEvMan> evMan(g_EvMan, std::make_unique<cmcEvMan>());
    // The windows the codecs open on a cell (choice lists) are the sheets'.
    Global<ICellPopups> cellPopups(g_CellPopups, std::make_unique<cuiCellPopups>());
    Global<cuiMain> main(g_Main, std::make_unique<indMain>("TM5150Q", 7424));

    // A second copy leaves at once, without a window or a message; the files it was
    // started with open in the window that runs.
    const std::vector<std::string> files = FileArguments(QCoreApplication::arguments());
    if (!g_Environ->IsFirstInstance()) {
        if (!files.empty())
            plat::InstanceMailbox::Send(mutexName, files);
        return 0;
    }
    plat::InstanceMailbox mailbox;
    mailbox.Listen(mutexName);

    try {
        TForm1 form;
        if (g_signalPipe[0] >= 0) {
            auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &form);
            QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form] {
                char buf[16];
                while (::read(g_signalPipe[0], buf, sizeof buf) > 0) {
                }
                form.close();
            });
        }
        if (mailbox.Fd() >= 0) {
            auto* arrivals = new QSocketNotifier(mailbox.Fd(), QSocketNotifier::Read, &form);
            QObject::connect(arrivals, &QSocketNotifier::activated, &form, [&form, &mailbox] {
                // One document at a time: the first file of each start is opened.
                for (const auto& paths : mailbox.Receive())
                    OpenWhenFree(&form, paths.front());
            });
        }
        if (!files.empty())
            QTimer::singleShot(0, &form,
                               [&form, path = files.front()] { OpenWhenFree(&form, path); });
        app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QFileInfo(QString::fromLocal8Bit(argv[0])).fileName(),
                              QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
