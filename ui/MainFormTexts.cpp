// The main window's exchange of display texts with translators: "Export Texts..." and
// "Import Texts..." in the "File" menu.
#include "engine/Failure.h"
#include "engine/File.h"
#include "library/ReferenceIndex.h"
#include "library/TextExchange.h"
#include "ui/MainForm.h"
#include "ui/Messages.h"
#include "ui/ReferenceWait.h"
#include "ui/TextImportDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace VaskEdit {

namespace {
const QString CsvFilter = QStringLiteral("Texts (*.csv)");

QString Quoted(const std::string& path) {
    return "\"" + QFile::decodeName(path.c_str()) + "\"";
}
} // namespace

void MainForm::ExportTexts() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, "Export Texts", "texts.csv", CsvFilter);
    if (!chosen.isEmpty())
        ExportTextsTo(QFile::encodeName(chosen).toStdString());
}

void MainForm::ImportTexts() {
    const QString chosen = QFileDialog::getOpenFileName(this, "Import Texts", QString(), CsvFilter);
    if (!chosen.isEmpty())
        ImportTextsFrom(QFile::encodeName(chosen).toStdString());
}

void MainForm::ExportTextsTo(const std::string& path) {
    // Which texts are in use comes from the index the main window keeps built.
    if (!WaitForReferences(this))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<TextRow> rows = TextsInUse(References().Outlines());
    const std::string csv = TextsCsv(rows);
    const bool saved =
        TesselEngine::WinAPI::File::SaveAtomically(path.c_str(), csv.data(), csv.size());
    QApplication::restoreOverrideCursor();
    if (!saved) {
        ShowMessage(this, "FileManager", LastFailureText());
        return;
    }
    ShowMessage(this, "Export Texts",
                QString::number(rows.size()) + (rows.size() == 1 ? " text" : " texts") +
                    " written to " + Quoted(path) + ".");
}

void MainForm::ImportTextsFrom(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(this, "FileManager", "Error: " + Quoted(path) + " cannot be read.");
        return;
    }
    const QByteArray csv = file.readAll();
    const TextImport import = PlanTextImport(std::string_view(csv.constData(), csv.size()));
    TextImportDialog review(import, this);
    if (review.exec() != QDialog::Accepted || !import.problems.empty() || import.changes.empty())
        return;
    if (!ApplyTextImport(import)) {
        ShowMessage(this, "Error",
                    "Nothing imported; the tables are as they were.\n" + LastFailureText());
        return;
    }
    const std::size_t n = import.changes.size();
    ShowMessage(this, "Import Texts",
                QString::number(n) + (n == 1 ? " line" : " lines") + " changed.");
}

} // namespace VaskEdit
