// Opening infos in editor windows, shared by the main window and the info editor.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class QObject;
class QWidget;

namespace VaskEdit {
enum class InfoFormEditMode;
class InfoForm;
struct Place;
} // namespace VaskEdit

namespace VaskEdit {

// While owner lives, opened is told of every info editor window opened from now on,
// wherever it is opened from: the main window follows the editors' saves this way.
void WatchOpenedEditors(QObject* owner, std::function<void(InfoForm*)> opened);

// Shows a new, empty, free-standing info editor window where editors go (a step aside
// from the last, on the screen), told to whoever watches opened editors.
InfoForm* ShowNewInfoEditor();

// Opens a new, free-standing info editor window on entry index of
// InfoManager::InfoFiles in the given mode; sourcePath names the file the info was read
// from, if any.
InfoForm* OpenInfoEditor(std::uint32_t index, InfoFormEditMode mode,
                         const std::string& sourcePath = {});

// Reads "Infos/" + name + ".vaskinfo" into a new loaded info and opens it in View.
// Shows "Invalid info name!" for a blank name and "not found" when it cannot be read;
// gives the window, or null.
InfoForm* OpenInfoByName(QWidget* parent, const QString& name);
// The same, showing one place of the info (a field focused or an entry selected); the
// window, or null when the info could not be opened.
InfoForm* OpenInfoAt(QWidget* parent, const QString& name, const Place& place);

// Reads an info file given by its path (8-bit, as the system names it) and opens it in
// View, with the checks and messages of opening from the command line or the chooser.
bool OpenInfoFromPath(QWidget* parent, std::string path);

} // namespace VaskEdit
