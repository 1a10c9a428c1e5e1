#include "ui/references/UsagesWindow.h"
#include "ui/common/CacheTableModel.h"
#include "ui/common/ReferenceService.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/references/ReferenceWait.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace VaskEdit {

UsagesWindow::UsagesWindow(std::string usedValue, ReferenceService* references, QWidget* parent)
    : QDialog(parent), value(std::move(usedValue)) {
    setWindowTitle("Usages of \"" + FromSystemString(value) + "\"");
    setAttribute(Qt::WA_DeleteOnClose);
    model = new CacheTableModel({"Info", "Place", "Owner"}, this);
    summary = new QLabel;
    summary->setObjectName("summary");
    list = NewRowList(model);
    list->setColumnWidth(0, 260);
    list->setColumnWidth(1, 220);
    connect(list, &QTableView::activated, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    resize(720, 420);
    if (references)
        connect(references, &ReferenceService::changed, this, &UsagesWindow::Refresh);
    Refresh();
}

void UsagesWindow::Refresh() {
    usages = References().Usages(value);
    std::vector<CacheTableModel::Row> rows;
    rows.reserve(usages.size());
    std::set<std::string> infos;
    std::string owner;
    for (const Usage& usage : usages) {
        // The uses come by info: one outline serves its rows.
        if (infos.insert(usage.info).second) {
            const auto outline = References().Outline(usage.info);
            owner = outline ? outline->owner : std::string();
        }
        rows.push_back({usage.info, PlaceName(usage.place), owner});
    }
    model->SetRows(std::move(rows));
    const QString quoted = "\"" + FromSystemString(value) + "\"";
    if (usages.empty())
        summary->setText("No info uses " + quoted + ".");
    else
        summary->setText(QString::number(usages.size()) +
                         (usages.size() == 1 ? " use of " : " uses of ") + quoted + " in " +
                         QString::number(infos.size()) +
                         (infos.size() == 1 ? " info." : " infos."));
    if (const QString notReadWhole = NotReadWholeText(); !notReadWhole.isEmpty())
        summary->setText(summary->text() + " " + notReadWhole);
}

QString UsagesWindow::Summary() const {
    return summary->text();
}

bool UsagesWindow::OpenRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= usages.size())
        return false;
    const Usage& usage = usages[static_cast<std::size_t>(row)];
    InfoForm* form = OpenInfoAt(this, FromSystemString(usage.info), usage.place);
    if (!form)
        return false;
    // Previous Info and Next Info walk the infos of this list.
    std::vector<std::string> names;
    names.reserve(usages.size());
    for (const Usage& each : usages)
        names.push_back(each.info);
    form->SetWalk(InfoWalk(names, usage.info));
    return true;
}

UsagesWindow* ShowUsages(QWidget* parent, const std::string& value, ReferenceService* references) {
    if (!StringIsValid(FromSystemString(value)) || !WaitForReferences(parent, references))
        return nullptr;
    // Owned by the home window, the list stays when the editor that asked closes.
    QWidget* owner = references ? references->Home() : nullptr;
    auto* window = new UsagesWindow(value, references, owner ? owner : parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace VaskEdit
