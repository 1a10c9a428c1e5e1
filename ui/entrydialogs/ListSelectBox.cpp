#include "ui/entrydialogs/ListSelectBox.h"

#include "ui/dialogs/DialogKeys.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace VaskEdit {

ListSelectBox::ListSelectBox(QWidget* parent) : KeyFirstDialog(parent) {
    setWindowTitle("ListSelectBox");
    setModal(true);
    setFixedSize(320, 355);

    auto* panel = new QWidget(this);
    PaintPanel(panel, Silver);
    panel->setGeometry(8, 8, 304, 300);

    topicLabel = new QLabel("Topic", panel);
    topicLabel->setObjectName("topicLabel");
    topicLabel->setTextFormat(Qt::PlainText);
    QFont bold = topicLabel->font();
    bold.setBold(true);
    topicLabel->setFont(bold);
    topicLabel->setGeometry(8, 6, 288, 18);

    list = new QTableWidget(panel);
    list->setObjectName("itemList");
    list->setGeometry(8, 28, 288, 264);
    list->setColumnCount(0);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    // The selection stays visible when the list loses the focus.
    QPalette palette = list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    list->setPalette(palette);
    connect(list, &QTableWidget::activated, this, &ListSelectBox::AcceptSelection);

    auto* ok = NewButton("OK", this);
    ok->setObjectName("okButton");
    ok->move(148, 320);
    auto* cancel = NewButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    cancel->move(234, 320);
    connect(ok, &QPushButton::clicked, this, &ListSelectBox::AcceptSelection);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ListSelectBox::ListSelectBox(const QString& caption, const QString& topic, QWidget* parent)
    : ListSelectBox(parent) {
    setWindowTitle(caption);
    topicLabel->setText(topic);
}

void ListSelectBox::SetColumn(const QString& header, const QStringList& items) {
    itemCollection = items;
    const int column = list->columnCount();
    list->setColumnCount(column + 1);
    list->setHorizontalHeaderItem(column, new QTableWidgetItem(header));
    list->setColumnWidth(column, 300);
    list->setRowCount(std::max(list->rowCount(), static_cast<int>(items.size())));
    for (int row = 0; row < items.size(); ++row)
        list->setItem(row, column, new QTableWidgetItem(items[row]));
    // The only choice is the chosen one: Enter takes it, as OK does.
    if (list->rowCount() == 1)
        list->selectRow(0);
}

void ListSelectBox::AcceptSelection() {
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        ShowMessage(this, "Caution!", "No selected item!");
        return;
    }
    const int row = std::min_element(selected.begin(), selected.end())->row();
    selectedIndex = row;
    selectedItem = row < itemCollection.size() ? itemCollection[row] : QString();
    accept();
}

bool ListSelectBox::HandleKey(QKeyEvent& event) {
    if (DialogKeys::IsPlainEscape(event)) {
        reject();
        return true;
    }
    if (DialogKeys::IsCtrlS(event)) {
        AcceptSelection();
        return true;
    }
    return false;
}

} // namespace VaskEdit
