#include "ui/infoeditor/InfoOpening.h"
#include "engine/Failure.h"
#include "info/InfoFileName.h"
#include "library/InfoManager.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"

#include <QFile>
#include <algorithm>

namespace VaskEdit {

namespace {
// The reader's reason follows on a line of its own.
QString NotFound(const QString& what) {
    return "Error: File \n<" + what + ">\n not found!\n" + LastFailureText();
}
} // namespace

InfoForm* OpenInfoByName(QWidget* parent, const QString& name) {
    if (!StringIsValid(name)) {
        ShowMessage(parent, "Caution!", "Invalid info name!");
        return nullptr;
    }
    const std::string bytes = ToSystemString(name, 49);
    const std::uint32_t index = InfoManager::PrepareInfo();
    if (!InfoManager::InfoFiles[index].LoadDataFromFile(bytes.c_str())) {
        ShowMessage(parent, "InfoManager", NotFound(name));
        return nullptr;
    }
    return OpenInfoEditor(index, InfoFormEditMode::View,
                          InfoFilePath(TesselEngine::Char48(bytes)).Str());
}

InfoForm* OpenInfoAt(QWidget* parent, const QString& name, const Place& place) {
    InfoForm* form = OpenInfoByName(parent, name);
    if (form)
        form->ShowPlace(place);
    return form;
}

bool OpenInfoFromPath(QWidget* parent, std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    // The path's bytes go to the library unchanged; only the messages decode them.
    const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    if (path.find(".vaskinfo") == std::string::npos) {
        ShowMessage(parent, "Error", "Invalid file. \nCurrently supported files: \n \".vaskinfo\"");
        return false;
    }
    if (path.size() > 255) {
        TesselEngine::SetFailure(TesselEngine::Operation::Read, path,
                                 TesselEngine::Cause::InvalidName);
        ShowMessage(parent, "InfoManager", NotFound(shown));
        return false;
    }
    const std::uint32_t index = InfoManager::PrepareInfo();
    if (!InfoManager::InfoFiles[index].LoadFromAbsolutePath(path.c_str())) {
        ShowMessage(parent, "InfoManager", NotFound(shown));
        return false;
    }
    OpenInfoEditor(index, InfoFormEditMode::View, path);
    return true;
}

} // namespace VaskEdit
