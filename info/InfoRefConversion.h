// Between a loaded info and the editor's all-text working copy: the copy is made from
// the record when an editor opens, and a new record is filled from the copy on "Save".
#pragma once

#include "info/VaskInfo.h"
#include "info/WorkingCopy.h"

namespace VaskEdit {

// Every member and every list entry as text. Command values are taken only from
// commands that keep parameters in them.
InfoRef MakeInfoRef(const VaskInfo& info);

// Fills a fresh record (its name already set) from the copy through the record's
// setters and list operations. The members that no editor field shows (the execution
// timestamp, the command indexes, the running flag) are passed on only when
// passOnHiddenMembers is set: an info that is edited or copied keeps them, a new info
// gets the record's defaults.
void StoreInfoRef(const InfoRef& copy, VaskInfo& record, bool passOnHiddenMembers);

// One list entry each way, as the whole-info conversions do them.
InfoCommandRef MakeCommandRef(const InfoCommand& command);
InfoConditionRef MakeConditionRef(const InfoCondition& condition);
InfoRequiredPerkRef MakePerkRef(const InfoRequiredPerk& perk);
void StoreCommandRef(const InfoCommandRef& entry, InfoCommand& command);
void StoreConditionRef(const InfoConditionRef& entry, InfoCondition& condition);
void StorePerkRef(const InfoRequiredPerkRef& entry, InfoRequiredPerk& perk);

} // namespace VaskEdit
