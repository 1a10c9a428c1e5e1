// One undoable change of an info editor's working copy: the part it touched, as it was
// before and after. The change is already made when it is pushed; undo and redo put
// the parts back through the editor. Edits of one field in a row merge into one step.
#pragma once

#include "info/WorkingCopyEdit.h"

#include <QUndoCommand>
#include <functional>

namespace VaskEdit {

class WorkingCopyChange : public QUndoCommand {
public:
    using Apply = std::function<void(const WorkingCopyPart&)>;
    // mergeKey: the same non-negative key merges consecutive changes; -1 never merges.
    WorkingCopyChange(const QString& text, WorkingCopyPart before, WorkingCopyPart after,
                      Apply apply, int mergeKey = -1);

    void undo() override;
    void redo() override;
    int id() const override { return mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    WorkingCopyPart before;
    WorkingCopyPart after;
    Apply apply;
    int mergeKey;
    bool applied = true; // the first redo, on pushing, finds the change made
};

} // namespace VaskEdit
