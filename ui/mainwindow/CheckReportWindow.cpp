#include "ui/mainwindow/CheckReportWindow.h"
#include "ui/common/CacheTableModel.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/InfoOpening.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace VaskEdit {

namespace {
QString Count(std::size_t n, const char* one, const char* many) {
    return QString::number(n) + " " + (n == 1 ? one : many);
}
} // namespace

CheckReportWindow::CheckReportWindow(const std::vector<Finding>& findings, bool cancelled,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Check Report");
    setAttribute(Qt::WA_DeleteOnClose);
    model = new CacheTableModel({"Severity", "Info", "Finding"}, this);
    std::vector<CacheTableModel::Row> rows;
    rows.reserve(findings.size());
    std::size_t errors = 0;
    for (const Finding& finding : findings) {
        errors += finding.severity == Severity::Error;
        rows.push_back(
            {std::string(SeverityName(finding.severity)), finding.infoName, finding.text});
    }
    model->SetRows(std::move(rows));

    QString text = findings.empty()
                       ? QString("No findings.")
                       : Count(errors, "error", "errors") + ", " +
                             Count(findings.size() - errors, "warning", "warnings") + ".";
    if (cancelled)
        text += " The check was cancelled: not every info was checked.";
    summary = new QLabel(text);
    summary->setObjectName("summary");

    list = NewRowList(model);
    list->setColumnWidth(0, 70);
    list->setColumnWidth(1, 260);
    connect(list, &QTableView::activated, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    resize(980, 520);
}

QString CheckReportWindow::Summary() const {
    return summary->text();
}

bool CheckReportWindow::OpenRow(int row) {
    if (row < 0 || row >= model->rowCount())
        return false;
    const std::string& name = model->RowAt(row)[1];
    if (name.empty())
        return false;
    return OpenInfoByName(this, FromSystemString(name)) != nullptr;
}

} // namespace VaskEdit
