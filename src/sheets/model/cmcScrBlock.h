#pragma once
#include <string>
#include <vector>

// A sheet's parameter split into a command word and its arguments: the command is the
// first space-separated word, the arguments are the text after the first space split at
// "," and trimmed. An argument past the list reads as empty text.
class cmcScrBlock {
public:
    explicit cmcScrBlock(const std::string& text);

    const std::string& Command() const { return m_command; }
    int ArgCount() const { return static_cast<int>(m_args.size()); }
    std::string Arg(int n) const;

private:
    std::string m_command;
    std::vector<std::string> m_args;
};
