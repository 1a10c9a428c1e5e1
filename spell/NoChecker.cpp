// Builds without a spell checker (the Windows cross build): nothing is installed and no
// dictionary opens.
#include "spell/Spelling.h"

namespace VaskEdit::Spelling {

bool Available() {
    return false;
}

std::unique_ptr<Checker> OpenChecker(const std::string&, std::string* why) {
    if (why)
        *why = NotAvailableText;
    return nullptr;
}

} // namespace VaskEdit::Spelling
