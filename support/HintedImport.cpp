#include "HintedImport.h"

#include "TImportTrace.h"
#include "TOrderParser.h"
#include "TPersonTable.h"
#include "TRowHints.h"
#include "TVectorOrderLines.h"

THintedRows ImportWithHints(const TRealisticOrder& order) {
    TPersonTable table;
    TImportTrace trace;
    TOrderParser().ImportPersons(TVectorOrderLines(order.lines), table, &trace);
    TRowHints hints;
    hints.Compute(table, &trace);
    THintedRows result;
    for (int position = 1; position <= table.TotalRows(); ++position) {
        result.rows.push_back(table.RowAt(position));
        result.hinted.push_back(hints.HintsOf(result.rows.back().id).Any());
    }
    return result;
}
