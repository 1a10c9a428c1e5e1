// Rolling back what a killed or failed multi-file command left half done: on demand,
// and before every other command, which must not work on a half-changed workspace.
#include "CommandSupport.h"
#include "Commands.h"

#include "library/Journal.h"

#include <iostream>

namespace VaskCli {

using namespace VaskEdit;

namespace {
void PrintLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines)
        out << line << '\n';
}
} // namespace

int FailPutBack(const std::string& what, const TesselEngine::Failure& failure,
                const Rollback& putBack) {
    std::cerr << what << ", and not every file could be put back as it was:\n";
    PrintLines(RollbackLines(putBack), std::cerr);
    if (failure.IsSet())
        std::cerr << "The first failure: " << TesselEngine::FailureMessage(failure) << '\n';
    if (putBack.journalKept)
        std::cerr << JournalKeptNote(putBack) << '\n';
    return 1;
}

int Recover() {
    const std::optional<Rollback> rollback = RecoverUnfinished();
    if (!rollback) {
        std::cout << "Nothing to recover.\n";
        return 0;
    }
    if (!rollback->AllAsItWas()) {
        PrintLines(RollbackLines(*rollback), std::cout);
        return Fail(JournalKeptNote(*rollback));
    }
    PrintLines(RollbackLines(*rollback), std::cout);
    std::cout << RecoveredSummary(*rollback) << '\n';
    if (rollback->journalKept)
        return Fail("Every file is as it was, but the journal " + std::string(JournalPath) +
                    " could not be removed.");
    return 0;
}

bool RecoverFirst() {
    const std::optional<Rollback> rollback = RecoverUnfinished();
    if (!rollback)
        return true;
    if (rollback->AllAsItWas()) {
        std::cerr << RecoveredSummary(*rollback) << '\n';
        return true;
    }
    std::cerr << "The workspace holds an unfinished command that cannot be rolled back yet:\n";
    PrintLines(RollbackLines(*rollback), std::cerr);
    Fail(JournalKeptNote(*rollback));
    return false;
}

} // namespace VaskCli
