// The candidates that the template selection dialog offers for a typed name.
#pragma once

#include "library/TemplateManager.h"

namespace VaskEdit {

class TemplateSelectList {
public:
    TemplateSelectList() = delete;

    static TesselEngine::TTL::Vector<VaskTemplateCache> Items;

    // Empties Items and keeps its storage.
    static void ClearItems();
    // Appends every cached template whose name contains the text (A-Z without regard to
    // case). True when the template cache holds any record, whether or not one matched.
    static bool SelectByName(const char* text);
};

} // namespace VaskEdit
