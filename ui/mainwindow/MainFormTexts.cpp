// The main window's exchange of display texts with translators: "Export Texts..." and
// "Import Texts..." in the "File" menu.
#include "engine/Failure.h"
#include "engine/File.h"
#include "library/ReferenceIndex.h"
#include "library/TextExchange.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/WorkspaceWriting.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/TextImportDialog.h"
#include "ui/references/ReferenceWait.h"

#include <QFile>
#include <QFileDialog>

#include <memory>

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
    // Which texts are in use comes from the index the main window keeps built; the rows
    // and the file are made on a worker, as a large mod has tens of thousands.
    if (!WaitForReferences(this, indexing))
        return;
    auto rowCount = std::make_shared<std::size_t>(0);
    RunJob(
        textsJob, "Export Texts", Counted::Files,
        [path, rowCount](const Jobs::ProgressFn&, const Jobs::CancelFn&) {
            const std::vector<TextRow> rows = TextsInUse(References().Outlines());
            const std::string csv = TextsCsv(rows);
            Jobs::Outcome outcome;
            outcome.succeeded =
                TesselEngine::WinAPI::File::SaveAtomically(path.c_str(), csv.data(), csv.size());
            if (!outcome.succeeded)
                outcome.failure = TesselEngine::LastFailure(); // the worker's own
            *rowCount = rows.size();
            return outcome;
        },
        [this, path, rowCount](const Jobs::Outcome& outcome) {
            if (!outcome.succeeded) {
                ShowMessage(this, "FileManager", FailureText(outcome.failure));
                return;
            }
            const std::size_t n = *rowCount;
            QString text = QString::number(n) + (n == 1 ? " text" : " texts") + " written to " +
                           Quoted(path) + ".";
            if (const QString notReadWhole = NotReadWholeText(); !notReadWhole.isEmpty())
                text += "\n" + notReadWhole;
            ShowMessage(this, "Export Texts", text);
        });
}

void MainForm::ImportTextsFrom(const std::string& path) {
    std::string csv;
    if (!TesselEngine::WinAPI::File::ReadAll(path.c_str(), csv)) {
        ShowMessage(this, "FileManager", "Error: " + Quoted(path) + " cannot be read.");
        return;
    }
    TextImportDialog review(csv, this);
    if (review.exec() != QDialog::Accepted)
        return;
    const TextImport import = review.Import(); // for the encoding chosen last
    if (!import.problems.empty() || import.changes.empty())
        return;
    const HeldWorkspace held = LockWorkspace(this, "text import");
    if (!held)
        return;
    Rollback putBack;
    if (!ApplyTextImport(import, {}, nullptr, &putBack)) {
        ShowMessage(this, "Error",
                    putBack.AllAsItWas()
                        ? "Nothing imported; the tables are as they were.\n" + LastFailureText()
                        : NotPutBackText("Nothing imported", TesselEngine::LastFailure(), putBack));
        return;
    }
    ShowTableTextsInEditors();
    indexing->AnnounceTexts();
    ShowMissedBackups();
    const std::size_t n = import.changes.size();
    ShowMessage(this, "Import Texts",
                QString::number(n) + (n == 1 ? " line" : " lines") + " changed.");
}

} // namespace VaskEdit
