// The editors ask the reference service for usages lists and renames; these windows
// answer.
#pragma once

namespace VaskEdit {

class ReferenceService;

// From now on the service's usage and rename requests open the usages window and the
// rename dialog.
void AnswerReferenceRequests(ReferenceService& references);

} // namespace VaskEdit
