// Everything the program keeps in memory about the workspace it works in: the info and
// template managers' lists, scans and job results, the text tables, the reference
// index, the settings, the pending backup notices and the folders already cleared of
// leftover temporary files. A workspace switch (and each test)
// resets it all at once, so that nothing one workspace read shows in another.
#pragma once

namespace VaskEdit {

// Forgets the state of the current workspace. No job may run meanwhile. The resource
// templates are the program's, not the workspace's, and stay loaded.
void ResetWorkspaceState();

} // namespace VaskEdit
