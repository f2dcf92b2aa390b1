// The program entry: builds the long-lived objects in their order after the Qt
// application object, runs the main form, and destroys them in reverse before it.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSocketNotifier>
#include <clocale>
#include <exception>
#include <memory>

#include "cells/ICellPopups.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/Fatal.h"
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
    Global<indEnviron> environ(
        g_Environ, std::make_unique<indEnviron>("Tavo Quorvex APP Exclusive Mutex", key, key));
    Global<cmcGTex> mainGTex(g_GTex, std::make_unique<cmcGTex>());
    Global<cmcGTex> baseGTex(g_BaseGTex, std::make_unique<cmcGTex>());
    Global<cmcHelpGTex> helpGTex(g_HelpGTex, std::make_unique<cmcHelpGTex>());
    Global<cmcEvMan> evMan(g_EvMan, std::make_unique<cmcEvMan>());
    // The windows the codecs open on a cell (choice lists) are the sheets'.
    Global<ICellPopups> cellPopups(g_CellPopups, std::make_unique<cuiCellPopups>());
    Global<cuiMain> main(g_Main, std::make_unique<indMain>("TM5150Q", 7424));

    // A second copy leaves at once, without a window or a message.
    if (!g_Environ->IsFirstInstance())
        return 0;

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
        app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QFileInfo(QString::fromLocal8Bit(argv[0])).fileName(),
                              QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
