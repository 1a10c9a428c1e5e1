#include "ui/mainwindow/SpokenLinesWindow.h"
#include "info/InfoValues.h"
#include "info/Slots.h"
#include "ui/common/RowList.h"
#include "ui/common/SystemString.h"
#include "ui/infoeditor/InfoOpening.h"
#include "ui/mainwindow/SpokenLinesModel.h"
#include "ui/references/ReferenceWait.h"

#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace VaskEdit {

SpokenLinesWindow::SpokenLinesWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Spoken Text");
    model = new SpokenLinesModel(this);
    summary = new QLabel;
    summary->setObjectName("summary");
    summary->setWordWrap(true);
    list = NewRowList(model);
    list->setColumnWidth(0, 180);
    list->setColumnWidth(1, 120);
    list->setColumnWidth(2, 90);
    list->setColumnWidth(3, 110);
    list->setColumnWidth(4, 110);
    connect(list, &QTableView::activated, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    resize(900, 420);
}

void SpokenLinesWindow::ShowLines(const std::string& text, std::vector<SpokenLine> lines,
                                  std::size_t infos, bool cancelled) {
    const QString quoted = "\"" + FromSystemString(text) + "\"";
    setWindowTitle("Spoken Text " + quoted);
    const std::size_t n = lines.size();
    QString said = n == 0
                       ? "No info shows " + quoted + "."
                       : QString::number(n) + (n == 1 ? " line shows " : " lines show ") + quoted +
                             " in " + QString::number(infos) + (infos == 1 ? " info." : " infos.");
    if (cancelled)
        said += " The search was cancelled: the infos after these were not searched.";
    if (const QString notReadWhole = NotReadWholeText(); !notReadWhole.isEmpty())
        said += " " + notReadWhole;
    summary->setText(said);
    model->SetLines(std::move(lines));
}

QString SpokenLinesWindow::Summary() const {
    return summary->text();
}

bool SpokenLinesWindow::OpenRow(int row) {
    const std::vector<SpokenLine>& lines = model->Lines();
    if (row < 0 || static_cast<std::size_t>(row) >= lines.size())
        return false;
    const SpokenLine& line = lines[static_cast<std::size_t>(row)];
    const Place place{PlaceList::Command, line.entry, static_cast<std::uint8_t>(Slot::LocString)};
    return OpenInfoAt(this, FromSystemString(line.info), place) != nullptr;
}

} // namespace VaskEdit
