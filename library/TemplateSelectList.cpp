#include "library/TemplateSelectList.h"

#include "engine/String.h"

namespace VaskEdit {

TesselEngine::TTL::Vector<VaskTemplateCache> TemplateSelectList::Items;

void TemplateSelectList::ClearItems() {
    Items.ClearContent();
}

bool TemplateSelectList::SelectByName(const char* text) {
    const Char48 wanted(text);
    for (const VaskTemplateCache& record : TemplateManager::TemplateCache) {
        if (TesselEngine::String::ContainsNoCase(record.Name, wanted))
            Items.PushBack(record);
    }
    return TemplateManager::TemplateCache.GetSize() > 0;
}

} // namespace VaskEdit
