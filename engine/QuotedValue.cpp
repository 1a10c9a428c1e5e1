#include "engine/QuotedValue.h"

namespace TesselEngine::IO {

bool ReadQuotedValue(Stream& text, std::string& value) {
    value.clear();
    // The forward search never looks at the byte it starts on.
    const bool quoteFirst =
        text.GetPosition() == 0 && text.GetSize() > 0 && text.GetBuffer()[0] == '"';
    if (!quoteFirst && !text.SkipTo('"'))
        return false;
    // Longer than any value kept, so that a caller can tell a value that is too long.
    Char128 token;
    text.ReadToken(token);
    for (const char c : token.View()) {
        if (c != '"')
            value.push_back(c);
    }
    return true;
}

} // namespace TesselEngine::IO
