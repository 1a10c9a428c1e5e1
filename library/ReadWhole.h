// Whether the editor's reader took an info file's whole content, by the save guard's
// verdict: a save of what it read would drop or cut none of the file's text. The
// commands and windows that read many infos count the files that fail it and say so,
// so that a workspace the reader cannot read does not pass for one without texts or uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

struct InfoRegions;

// False when the reader could not take the whole of the info file's bytes, given taken
// apart (FindInfoRegions). Without the resource templates, which the comparison needs,
// every file counts as read whole.
bool ReadsWhole(std::string_view bytes, const InfoRegions& regions);
// The same for the file at path; a file that cannot be read counts as read whole (its
// reader says that it could not read it).
bool FileReadsWhole(const char* path);

// "2 info files could not be read whole: A, B; run check." with the first names and
// the way to the check given (the command line's "check", the window's menu entry);
// empty when there are none.
std::string NotReadWholeNotice(const std::vector<std::string>& names, std::string_view check);

} // namespace VaskEdit
