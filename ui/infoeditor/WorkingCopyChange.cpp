#include "ui/infoeditor/WorkingCopyChange.h"

namespace VaskEdit {

WorkingCopyChange::WorkingCopyChange(const QString& text, WorkingCopyPart before,
                                     WorkingCopyPart after, Apply apply, int mergeKey)
    : QUndoCommand(text), before(std::move(before)), after(std::move(after)),
      apply(std::move(apply)), mergeKey(mergeKey) {}

void WorkingCopyChange::undo() {
    apply(before);
    applied = false;
}

void WorkingCopyChange::redo() {
    if (!applied)
        apply(after);
    applied = true;
}

bool WorkingCopyChange::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const WorkingCopyChange*>(other);
    if (!next || mergeKey < 0 || next->mergeKey != mergeKey)
        return false;
    after = next->after;
    // Typing a field back to what it was leaves no step behind.
    setObsolete(before == after);
    return true;
}

} // namespace VaskEdit
