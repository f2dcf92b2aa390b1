#pragma once
#include <string>
#include <vector>

class QWidget;
class cuiSheet;

// What printing needs from the main window: the form it disables while printing, a sheet
// built for a sheet reference, and the sheet references of the navigation tree.
class cuiPrintHost {
public:
    virtual ~cuiPrintHost() = default;
    // The main form.
    virtual QWidget* Owner() = 0;
    // Builds, but does not show, the sheet of a reference on host, with everything it needs
    // owned by host (deleting host frees it). Null when the reference has no sheet.
    virtual cuiSheet* CreatePrintSheet(QWidget* host, const std::string& reference) = 0;
    // The sheet reference of every node of the navigation tree, in tree order.
    virtual std::vector<std::string> SheetReferences() = 0;
    // Ends an edit in progress so that the printout shows what the user typed (event 21).
    virtual void CommitEdits() {}
};
