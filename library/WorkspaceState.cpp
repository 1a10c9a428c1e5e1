#include "library/WorkspaceState.h"
#include "engine/Backup.h"
#include "engine/File.h"
#include "info/TextTable.h"
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "tools/Settings.h"

namespace VaskEdit {

void ResetWorkspaceState() {
    InfoManager::ResetState();
    TemplateManager::ResetState();
    TemplateSelectList::ClearItems();
    TextTables::Clear();
    References().Clear();
    Settings::RestoreDefaults();        // a folder without "Settings.ini" has the defaults
    TesselEngine::Backup::TakeMissed(); // notices of saves in the old folder
    TesselEngine::WinAPI::ForgetClearedFolders();
}

} // namespace VaskEdit
