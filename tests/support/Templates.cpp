#include "support/Templates.h"
#include "info/ResourceTemplates.h"
#include "info/TextTable.h"

namespace VaskTest {

void TemplatesTest::SetUp() {
    workspace.CopyResources();
    VaskEdit::ReleaseResourceTemplates();
    VaskEdit::TextTables::Clear();
    ASSERT_TRUE(VaskEdit::LoadResourceTemplates());
}

void TemplatesTest::TearDown() {
    VaskEdit::ReleaseResourceTemplates();
    VaskEdit::TextTables::Clear();
}

} // namespace VaskTest
