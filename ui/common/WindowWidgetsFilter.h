// An event filter on the widgets of one window only: the window itself, the widgets it
// has and those it gets later. The window sees its controls' events before they do
// without looking at every event of the program.
#pragma once

class QObject;
class QWidget;

namespace VaskEdit {

// Installs filter on window and on every widget below it, now and as they are added.
// The filter still sees the events of dialogs that have the window as parent: it tells
// them apart by their window().
void FilterWindowWidgets(QWidget* window, QObject* filter);

} // namespace VaskEdit
