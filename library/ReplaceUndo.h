// Taking a replace back: the texts it replaced are written back as one step, but only
// where its own text still stands, so that a change made since is never overwritten.
#pragma once

#include "library/TextExchange.h"

#include <vector>

namespace VaskEdit {

// The plan that writes back the texts a replace wrote (the changes of the plan that was
// written), against the tables as they are now, for ApplyTextImport. Each line that
// holds neither the replace's text nor the text before it (changed since, or gone) is a
// problem that names its table and id, and then nothing is to be written. A line already
// back to its old text needs nothing; the tables' other lines may have changed meanwhile
// and are kept as they are. Nothing is written.
TextImport PlanReplaceUndo(const std::vector<TextChange>& written);

} // namespace VaskEdit
