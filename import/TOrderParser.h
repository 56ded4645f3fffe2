#pragma once

#include "import/TImportObserver.h"
#include "import/TOrderLines.h"
#include "register/TPersonTable.h"

// Finds the persons named in a personnel order and puts them into the person table.
class TOrderParser {
public:
    // Replaces the table's rows with one row per person block that directs its person
    // ("kieruję") and ends with "UZASADNIENIE:", in the order of the lines, and leaves the cursor
    // on the first row. Unrecognised lines are skipped silently; lines that a PDF viewer broke
    // are read whole and its page numbers passed over. A failing table operation is not caught:
    // the rows posted until then stay and the cursor is not moved. An `observer` is told which
    // lines fed each row, where lines were joined or passed over, and which persons gave none
    // and why.
    void ImportPersons(const TOrderLines& lines, TPersonTable& table,
                       TImportObserver* observer = nullptr) const;
};
