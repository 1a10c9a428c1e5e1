#include "ui/infoeditor/InfoWalk.h"

#include <unordered_set>

namespace VaskEdit {

InfoWalk::InfoWalk(const std::vector<std::string>& all, const std::string& current) {
    auto unique = std::make_shared<std::vector<std::string>>();
    unique->reserve(all.size());
    std::unordered_set<std::string_view> seen;
    seen.reserve(all.size());
    for (const std::string& name : all) {
        if (name.empty() || !seen.insert(name).second)
            continue;
        if (name == current)
            position = static_cast<int>(unique->size());
        unique->push_back(name);
    }
    if (position >= 0)
        names = std::move(unique);
}

std::string InfoWalk::NameAt(int delta) const {
    if (!Valid())
        return {};
    const long long at = static_cast<long long>(position) + delta;
    if (at < 0 || at >= static_cast<long long>(names->size()))
        return {};
    return (*names)[static_cast<std::size_t>(at)];
}

InfoWalk InfoWalk::Stepped(int delta) const {
    InfoWalk next;
    if (NameAt(delta).empty())
        return next;
    next.names = names;
    next.position = position + delta;
    return next;
}

QString InfoWalk::Counter() const {
    if (!Valid())
        return {};
    return QString("%1 of %2").arg(position + 1).arg(names->size());
}

} // namespace VaskEdit
