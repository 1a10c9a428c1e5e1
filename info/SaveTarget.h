// Which file saving an info writes: "Infos/" + the name inside it + ".vaskinfo". A file
// read from elsewhere, or whose name is not the name inside it, is not the file a save
// would replace: saving it would overwrite another info's file (or its own copy in the
// workspace), so a save of what was read from it must not go ahead unasked.
#pragma once

#include <string>
#include <string_view>

namespace VaskEdit {

// Why saving the info read from path would write another file than path: both names in
// words; empty when it writes path itself (or path cannot be read: nothing was read).
std::string OtherSaveTarget(const std::string& path);

// Whether saving the info of that name writes the file at path (one file by both names).
bool SavesOver(const std::string& path, std::string_view name);

// The info's name as the file holds it, whole: the first quoted token after the first
// byte, without its quotes (the record keeps at most 48 characters of it).
std::string NameInFile(std::string_view bytes);

} // namespace VaskEdit
