#include "ui/references/ReferenceRequests.h"
#include "ui/common/ReferenceService.h"
#include "ui/references/RenameInfoDialog.h"
#include "ui/references/UsagesWindow.h"

namespace VaskEdit {

void AnswerReferenceRequests(ReferenceService& references) {
    QObject::connect(&references, &ReferenceService::usagesRequested, &references,
                     [&references](QWidget* from, const std::string& value) {
                         ShowUsages(from, value, &references);
                     });
    QObject::connect(&references, &ReferenceService::renameRequested, &references,
                     [&references](QWidget* from, const QString& name) {
                         RenameInteractively(from, name, &references);
                     });
}

} // namespace VaskEdit
