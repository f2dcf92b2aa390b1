#pragma once
#include <functional>
#include <string>

class QWidget;
class indRulesHost;

// The File menu's channel table commands: the memory channels of every bank written to a
// CSV file, and a CSV file typed back into them (all or nothing, problems listed).
class cuiChannelTable {
public:
    // Asks for the table's file name (save: for writing); empty when cancelled. Tests
    // replace it.
    static std::function<std::string(QWidget* parent, bool save)> dialog;

    // 0 when written; -1 when cancelled; 1 when the file could not be written.
    static int Export(indRulesHost& host, QWidget* parent);
    // 0 when imported; -1 when cancelled; 1 when the file could not be read or had problems.
    static int Import(indRulesHost& host, QWidget* parent);
};
