// The views over the index of where values are used (References()) share one index,
// which the main window's reference service builds in the background at start and with
// "Update Cache". Before a view reads it, it waits here for that build rather than show
// nothing.
#pragma once

class QString;
class QWidget;

namespace VaskEdit {

class ReferenceService;

// True once the index is built and no build of it runs. While the service builds it, a
// wait dialog shows the build's progress; Cancel gives false and lets the build go on.
// When it is not built and nothing builds it, the service starts the build (without a
// service it is built here). A build that fails is shown as "Error".
bool WaitForReferences(QWidget* parent, ReferenceService* service);

// Which infos the index's reader could not take whole, for a view's status or message
// (the first names and the way to "Check Infos"); empty when there are none.
QString NotReadWholeText();

} // namespace VaskEdit
