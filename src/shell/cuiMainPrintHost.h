#pragma once
#include "print/cuiPrintHost.h"

class cuiMain;

// What the main window gives the printer: its form, a sheet built for a reference, and the
// sheet references of the navigation tree in tree order.
class cuiMainPrintHost : public cuiPrintHost {
public:
    explicit cuiMainPrintHost(cuiMain& main) : m_main(main) {}
    QWidget* Owner() override;
    cuiSheet* CreatePrintSheet(QWidget* host, const std::string& reference) override;
    std::vector<std::string> SheetReferences() override;
    void CommitEdits() override;

private:
    cuiMain& m_main;
};
