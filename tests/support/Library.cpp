#include "support/Library.h"
#include "engine/String.h"
#include "info/TextTable.h"
#include "library/InfoManager.h"

namespace VaskTest {

using VaskEdit::InfoManager;

void LibraryTest::ResetLibrary() {
    InfoManager::Shutdown();
    InfoManager::InfoFiles.Deallocate();
    InfoManager::InfoFileCache.ClearContent();
    InfoManager::InfoCurrentFilter.ClearContent();
    InfoManager::InfoStream.Free();
    InfoManager::HdrdocFile.reset();
    InfoManager::InfoDirectory.reset();
    VaskEdit::TextTables::Clear();
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
