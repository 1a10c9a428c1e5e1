// The info member table walked whole: a value in every member travels through the file,
// the working copy and the command line's JSON, so that a member that one of them
// leaves out, or a key that finds another member, shows here.
#include "info/MemberTable.h"
#include "InfoJson.h"
#include "info/InfoRefConversion.h"
#include "support/InfoBuilder.h"
#include "support/Templates.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace VaskEdit;

namespace {
class MemberTableTest : public VaskTest::TemplatesTest {};
} // namespace

TEST_F(MemberTableTest, EveryMemberTravelsThroughFileCopyAndJson) {
    VaskInfo info;
    std::vector<std::string> values;
    int n = 0;
    for (const InfoMember& member : InfoMemberTable()) {
        // Distinct, as long as the member holds, and no key of any other member.
        std::string value = "v" + std::to_string(n++) + std::string(member.name.substr(0, 3));
        value.resize(std::min(value.size(), Capacity(member)));
        SetText(info, member, value);
        values.push_back(value);
    }
    TesselEngine::IO::Stream text;
    const std::string written = VaskTest::WriteToText(info);
    ASSERT_TRUE(text.Allocate(static_cast<std::uint32_t>(written.size())));
    text.WriteData(written.data(), static_cast<std::uint32_t>(written.size()));
    VaskInfo read;
    read.LoadFromStream(text);

    const InfoRef copy = MakeInfoRef(read);
    VaskInfo stored;
    SetText(stored, InfoMemberTable()[0], values[0]);
    StoreInfoRef(copy, stored, true);
    const auto json = nlohmann::json::parse(VaskCli::InfoToJson(read, nullptr));
    std::size_t i = 0;
    for (const InfoMember& member : InfoMemberTable()) {
        SCOPED_TRACE(std::string(member.name));
        EXPECT_EQ(TextOf(read, member), values[i]);
        EXPECT_EQ(copy.*member.copy, values[i]);
        EXPECT_EQ(TextOf(stored, member), values[i]);
        EXPECT_EQ(json[std::string(member.name)], values[i]);
        ++i;
    }
    EXPECT_EQ(i, 31u);
}
