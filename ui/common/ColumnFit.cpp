#include "ui/common/ColumnFit.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <numeric>

namespace VaskEdit {

namespace {
// Shows a cut cell's whole text as its tool tip, above the tip the model gives.
class WholeTextTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() == QEvent::ToolTip && index.isValid()) {
            const QString text = index.data(Qt::DisplayRole).toString();
            const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
            if (view->fontMetrics().horizontalAdvance(text) + margins > option.rect.width()) {
                const QString tip = index.data(Qt::ToolTipRole).toString();
                QToolTip::showText(event->globalPos(), tip.isEmpty() ? text : text + "\n" + tip,
                                   view, option.rect);
                return true;
            }
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
};

struct FitRule {
    std::vector<int> usual;
    ColumnFit fit;
    int widest;
    LastColumn last;
};

void Fit(QTableView* view, const FitRule& rule) {
    const bool empty = view->model()->rowCount() == 0;
    // A last column that stretches takes what the others leave.
    const int fitted =
        view->model()->columnCount() - (view->horizontalHeader()->stretchLastSection() ? 1 : 0);
    std::vector<int> widths;
    for (int column = 0; column < fitted; ++column) {
        const auto at = static_cast<std::size_t>(column);
        if (empty && at < rule.usual.size()) {
            widths.push_back(rule.usual[at]);
            continue;
        }
        view->resizeColumnToContents(column); // header and cells
        int width = std::min(view->columnWidth(column), rule.widest);
        if (rule.fit == ColumnFit::AtLeastUsual && at < rule.usual.size())
            width = std::max(width, rule.usual[at]);
        widths.push_back(width);
    }
    if (rule.last == LastColumn::KeepsAThird)
        widths = NarrowedToFit(widths, view->viewport()->width() * 2 / 3,
                               view->horizontalHeader()->minimumSectionSize());
    for (int column = 0; column < fitted; ++column)
        view->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
}

// Fits the view again when its width changes (for a last column that keeps a share).
class RefitOnResize : public QObject {
public:
    RefitOnResize(QTableView* view, FitRule rule)
        : QObject(view), view(view), rule(std::move(rule)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && !fitting) {
            fitting = true; // a scroll bar that comes or goes resizes the viewport again
            Fit(view, rule);
            fitting = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView* view;
    FitRule rule;
    bool fitting = false;
};
} // namespace

std::vector<int> NarrowedToFit(std::vector<int> widths, int room, int least) {
    auto total = [&] { return std::accumulate(widths.begin(), widths.end(), 0); };
    if (widths.empty() || total() <= room)
        return widths;
    // The common width of the widest: raise it from least while the sum still fits.
    std::vector<int> sorted = widths;
    std::sort(sorted.begin(), sorted.end());
    int below = 0; // the sum of the columns narrower than the level
    int level = least;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const int count = static_cast<int>(sorted.size() - i);
        const int candidate = (room - below) / count;
        if (candidate < sorted[i]) {
            level = std::max(least, candidate);
            break;
        }
        below += sorted[i];
    }
    for (int& width : widths)
        width = std::min(width, std::max(level, std::min(width, least)));
    return widths;
}

void FitColumnsOnChange(QTableView* view, std::vector<int> usual, ColumnFit fit, int widest,
                        LastColumn last) {
    FitRule rule{std::move(usual), fit, widest, last};
    view->setItemDelegate(new WholeTextTips(view));
    Fit(view, rule);
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view,
                     [view, rule] { Fit(view, rule); });
    if (last == LastColumn::KeepsAThird)
        view->viewport()->installEventFilter(new RefitOnResize(view, rule));
}

} // namespace VaskEdit
