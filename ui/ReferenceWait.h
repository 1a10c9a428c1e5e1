// The views over the index of where values are used (References()) share one index,
// which the main window builds in the background at start and with "Update Cache".
// Before a view reads it, it waits here for that build rather than show nothing.
#pragma once

class QString;
class QWidget;

namespace VaskEdit {

class MainForm;

// The program's main window, or null (a lone editor in a test).
MainForm* FindMainForm();

// True once the index is built and no build of it runs. While the main window builds
// it, a wait dialog shows the build's progress; Cancel gives false and lets the build
// go on. When it is not built and nothing builds it, the main window starts the build
// (without a main window it is built here). A build that fails is shown as "Error".
bool WaitForReferences(QWidget* parent);

// Which infos the index's reader could not take whole, for a view's status or message
// (the first names and the way to "Check Infos"); empty when there are none.
QString NotReadWholeText();

// After a rename: the main window's info list reads "infocache" again, unfiltered (the
// renamed info stays selected when it was) and the views over the index hear that it
// changed.
void ReferencesRenamed(const QString& oldName, const QString& newName);

} // namespace VaskEdit
