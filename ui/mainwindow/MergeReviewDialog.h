// What a merge will change against the game document, shown before anything is written:
// counts of new, changed, renamed and unchanged infos, the infos of "w_info.hdrdoc" that
// no file holds in a warning colour, and behind each line the infos and their changed
// places. "Merge" goes ahead, "Cancel" writes nothing.
#pragma once

#include "library/MergeReview.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QStandardItemModel;
class QTreeView;

namespace VaskEdit {

class MergeReviewDialog : public QDialog {
    Q_OBJECT

public:
    MergeReviewDialog(const MergeReview& review, QWidget* parent = nullptr);

    QLabel* Summary() const { return summary; }
    QLabel* LeftOutWarning() const { return leftOut; }
    QTreeView* Changes() const { return changes; }
    QCheckBox* ShowBeforeMerging() const { return showAgain; }

    // Whether a merge shows the review first: a setting of the user's, on unless turned
    // off in the review.
    static bool Enabled();
    static void SetEnabled(bool enabled);

private:
    QLabel* summary;
    QLabel* leftOut;
    QTreeView* changes;
    QStandardItemModel* model;
    QCheckBox* showAgain;
};

} // namespace VaskEdit
