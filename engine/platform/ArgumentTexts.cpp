#include "engine/platform/ArgumentTexts.h"

#include "engine/platform/Platform.h"

#include <cstring>

namespace TesselEngine::Platform {

ArgumentTexts::ArgumentTexts(int argc, char** argv)
    : given(argv, argv + argc), texts(Utf8Arguments(argc, argv)) {}

std::string ArgumentTexts::Utf8(const char* argument) const {
    for (std::size_t i = 0; i < given.size() && i < texts.size(); ++i) {
        const char* start = given[i];
        const std::size_t length = std::strlen(start);
        if (argument < start || argument > start + length)
            continue;
        const std::size_t offset = static_cast<std::size_t>(argument - start);
        // The part before is an option's name, ASCII in both forms; anything else would
        // not line up, and the narrow text is all there is.
        if (texts[i].compare(0, offset, start, offset) != 0)
            break;
        return texts[i].substr(offset);
    }
    return argument;
}

} // namespace TesselEngine::Platform
