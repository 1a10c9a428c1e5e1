// The list an info editor was opened from (the main window's list as filtered, a list of
// usages, a conversation), which Previous Info and Next Info walk through.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace VaskEdit {

class InfoWalk {
public:
    InfoWalk() = default;
    // The walk over names (8-bit, as the library has them; each name once, in the order
    // first met) standing on current; no walk when current is not among them.
    InfoWalk(const std::vector<std::string>& names, const std::string& current);

    bool Valid() const { return names && position >= 0; }
    // The name delta steps away, or empty past either end.
    std::string NameAt(int delta) const;
    // The same walk standing delta steps away.
    InfoWalk Stepped(int delta) const;
    // Where the walk stands, for the window's title: "3 of 51".
    QString Counter() const;

private:
    std::shared_ptr<const std::vector<std::string>> names;
    int position = -1;
};

} // namespace VaskEdit
