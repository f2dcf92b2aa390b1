#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "link/cmcCloneDrv.h"
#include "link/imcCloneDrv.h"

class cmcTask;
class ICloneUi;
class IPort;

// What the main window and the model use to talk to a radio: composes the mode script and
// driver settings of each operation from the link settings, keeps the main window
// disabled while it runs, shows the progress of reads and writes, turns result codes into
// messages and calls back the caller with the result record.
class indCloneMan {
public:
    // Inspects a finished identification or read; may set the result code.
    using Check = void (*)(void* context, dst_CDrv_Result* result);
    using Completion = cmcCloneDrv::Callback;

    enum Kind { KindConnect = 1, KindRead = 2, KindWrite = 3, KindAdjust = 4 };
    // Result codes the checks of the main window set.
    enum { ResWrongRadio = 11, ResNewerRadio = 14, ResNotThisImage = 15, ResNewerData = 16 };

    // Talks through port; without one the driver opens serial ports itself.
    explicit indCloneMan(IPort* port = nullptr);
    ~indCloneMan();
    indCloneMan(const indCloneMan&) = delete;
    indCloneMan& operator=(const indCloneMan&) = delete;

    void SetUi(ICloneUi* ui) { m_ui = ui; }
    void SetCodes(int modelCode, int subCode);
    void SetImageSize(int32_t size) { m_drv.SetImageSize(size); }
    void SetChecks(Check identification, void* idContext, Check read, void* readContext);

    // The user's link settings: port number (or a device path, which wins), high speed.
    void SetPort(int number, const std::string& device = {});
    void SetHighSpeed(bool on) { m_highSpeed = on; }
    // The clone password and whether the next read or write sends it.
    void SetPassword(const std::string& text) { m_password = text; }
    void SetSendPassword(bool on) { m_sendPassword = on; }
    bool SendPassword() const { return m_sendPassword; }

    // Either driver runs an operation.
    bool IsBusy() const { return m_drv.IsBusy() || m_adj.IsBusy(); }
    // Identification at normal speed. False (nothing changes) when busy.
    bool Connect(Completion completion, void* context);
    // Clone read of a range list. False when busy or the list leaves the image.
    bool Read(const int32_t* ranges, Completion completion, void* context);
    // Clone write of image over a range list. False when busy or the list leaves the image.
    bool Write(const cmcEeprom& image, const int32_t* ranges, Completion completion, void* context);

    // Adjustment operations (kind 4), each refused while either driver runs. They play
    // only the speed switch, and only when the wanted speed differs from the link speed
    // last set up. A single command runs at normal speed unless highSpeed (a sweep is
    // running), with the remembered echo flag, without echo detection, stepping every
    // stepMs; the table and the sweep run at high speed every 10 ms, the table probing
    // the cable for echo, the sweep with the remembered echo flag.
    bool SendCommand(int command, int value, uint8_t* output, bool highSpeed, int stepMs,
                     Completion completion, void* context);
    bool ReadTable(const imcCloneDrv::Entry* table, Completion completion, void* context);
    bool Sweep(const imcCloneDrv::SweepJob& job, Completion completion, void* context);
    // A command, table or sweep was given and its command frame has not gone out yet.
    bool AdjustCommandPending() const { return m_adj.CommandPending(); }
    // Called when an operation other than a single adjustment command fails: the
    // adjustment state goes back to 0.
    void SetAdjustReset(void (*reset)(void*), void* context)
    {
        m_adjustReset = reset;
        m_adjustResetContext = context;
    }
    imcCloneDrv& AdjustDriver() { return m_adj; }

    void RememberEchoFlag() { m_rememberedEcho = m_drv.EchoFlag(); }
    bool RememberedEchoFlag() const { return m_rememberedEcho; }
    // The link speed last set up: -1 not set, 0 normal, 1 high (process-wide).
    static int LinkSpeed() { return s_linkSpeed; }
    static void SetLinkSpeed(int speed) { s_linkSpeed = speed; }

    // The mode script and the operation's port settings and request preamble.
    struct Script {
        std::string text;
        std::string settings;
        int preamble = 0;
    };
    static Script ComposeScript(int modelCode, bool highSpeed, bool password,
                                const std::string& passwordText, bool write);
    // The message for a result code ("" for none), and whether it resets the link speed.
    // portNumber and device fill the head line of code 2; portFailure adds the reason.
    static std::string MessageFor(int result, int operation, int portNumber,
                                  const std::string& device, const std::string& portFailure);
    static bool ResetsLinkSpeed(int result);

    cmcCloneDrv& Driver() { return m_drv; }
    int32_t Total() const { return m_total; }
    int Kind() const { return m_kind; }

private:
    static void OnDone(void* context, dst_CDrv_Result* result);
    // Bookkeeping once the driver has taken a read or write: totals, callback, progress.
    void Started(int kind, const int32_t* ranges, Completion completion, void* context);
    static void OnProgress(void* context, cmcTask* task);
    void Configure(bool highSpeed, bool password, bool write);
    void Done(dst_CDrv_Result* result);
    void ConfigureAdjust(bool highSpeed);
    bool StartedAdjust(bool started, Completion completion, void* context);

    cmcCloneDrv m_drv;
    imcCloneDrv m_adj;
    void (*m_adjustReset)(void*) = nullptr;
    void* m_adjustResetContext = nullptr;
    ICloneUi* m_ui = nullptr;
    Check m_idCheck = nullptr;
    void* m_idContext = nullptr;
    Check m_readCheck = nullptr;
    void* m_readContext = nullptr;
    Completion m_completion = nullptr;
    void* m_context = nullptr;
    int m_kind = 0;
    int32_t m_total = 0;
    bool m_sendPassword = false;
    std::string m_password;
    bool m_highSpeed = true;
    int m_portNumber = 1;
    std::string m_device;
    bool m_rememberedEcho = false;
    bool m_progressShown = false;
    cmcTask* m_progressTask = nullptr;
    static int s_linkSpeed;
};
