#pragma once
#include <cstdint>
#include <string>

#include "link/ICloneUi.h"
#include "platform/Fatal.h"
#include "platform/IMessageBoxes.h"

// The command line's face: messages go to standard error, and a progress line is drawn
// while a read or write runs when standard error is a terminal.
class CliUi : public ICloneUi, public plat::IMessageBoxes, public plat::IFatalBox {
public:
    explicit CliUi(std::string label) : m_label(std::move(label)) {}

    void EnableMainWindow(bool) override {}
    void ShowProgress() override;
    void UpdateProgress(int32_t done, int32_t total) override;
    void CloseProgress() override;

    plat::BoxResult Show(const std::string& caption, const std::string& text, plat::BoxIcon icon,
                         plat::BoxButtons buttons) override;
    void Show(const std::string& caption, const std::string& text) override;

    // The line drawn for a state of progress, 32 marks wide.
    static std::string ProgressLine(const std::string& label, int32_t done, int32_t total);

private:
    std::string m_label;
    bool m_shown = false;
    std::string m_last;
};
