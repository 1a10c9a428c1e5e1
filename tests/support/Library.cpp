#include "support/Library.h"
#include "engine/String.h"
#include "library/InfoManager.h"
#include "library/WorkspaceState.h"

namespace VaskTest {

using VaskEdit::InfoManager;

void LibraryTest::ResetLibrary() {
    InfoManager::Shutdown(); // each test loads the templates of its own workspace
    VaskEdit::ResetWorkspaceState();
    TesselEngine::Platform::FaultInjection::Clear();
}

void LibraryTest::SetUp() {
    ResetLibrary();
    workspace.CopyResources();
    ASSERT_TRUE(InfoManager::Initialize());
}

void LibraryTest::TearDown() {
    ResetLibrary();
}

void LibraryTest::WriteInfo(const std::string& name, const std::string& owner,
                            const std::string& quest) {
    VaskEdit::VaskInfo info;
    TesselEngine::SetMember(info.Name, name.c_str());
    info.SetOwner(owner.c_str());
    info.SetQuest(quest.c_str());
    ASSERT_TRUE(info.WriteDataToFile()) << name;
}

} // namespace VaskTest
