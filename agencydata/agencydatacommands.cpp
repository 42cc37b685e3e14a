#include "agencydata/agencydatacommands.h"

#include "agencydata/storedrecordshost.h"

namespace {

std::function<void(FeatureContext&)> storedRecords(bool autoFill)
{
    return [autoFill](FeatureContext& context) {
        if (StoredRecordsHost* host = context.hostAs<StoredRecordsHost>())
            host->_doTDDorAFR(autoFill);
    };
}

} // namespace

FeatureCommands agencyDataCommands()
{
    using namespace MenuRules;
    return {
        // An applied record changes the return: the title and status follow.
        {"actionAuto_Fill_AFR", "menuvoDarevivo", "Auto-Fill (AFR)", "", always, always, false, true,
         storedRecords(true)},
        {"actionExpress_NOA", "menuvoDarevivo", "Express NOA", "", always, always, false, false,
         storedRecords(false)},
    };
}
