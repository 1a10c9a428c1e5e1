#include "support/InfoBuilder.h"
#include "info/CommandTypes.h"
#include "info/ConditionTypes.h"

#include <gtest/gtest.h>

using namespace VaskEdit;

namespace VaskTest {

namespace {
std::string Tagged(const std::string& tag, const std::string& what) {
    return what + "_" + tag;
}
} // namespace

void FillEverything(VaskInfo& info, const std::string& name, const std::string& tag, int perks) {
    auto t = [&](const char* what) { return Tagged(tag, what); };
    TesselEngine::SetMember(info.Name, name.c_str());
    info.SetMainSortID("10");
    info.SetSortID("20");
    info.SetOwner(t("Owner").c_str());
    info.SetPartner(t("Partner").c_str());
    info.SetInfoGiven("True");
    TesselEngine::SetMember(info.LastExecutionTimestamp, "12.5");
    info.SetParent(t("Parent").c_str());
    info.SetQuest(t("Quest").c_str());
    info.SetConditionType("gEInfoCondType_Running");
    info.SetInfoType("gEInfoType_Important");
    info.SetGameModeType("gEInfoGameModeType_Normal");
    info.SetGoldCost("150");
    info.SetGoldCostScript(t("GoldScript").c_str());
    info.SetGoldCostItem("{11111111-2222-3333-4444-555555555555}");
    info.SetDialogPartnerAutoPositioningEnabled("False");
    info.SetClearChildren("True");
    info.SetPermanent("False");
    TesselEngine::SetMember(info.CurrentInfoCommandIndex, "3");
    TesselEngine::SetMember(info.InfoIsRunnig, "True");
    info.SetStartChapter("1");
    info.SetEndChapter("4");
    TesselEngine::SetMember(info.CommentGivenCmdIndex, "2");
    info.SetSmalltalkPartner(t("TalkPartner").c_str());
    TesselEngine::SetMember(info.SmalltalkGivenCmdIndex, "5");
    info.SetSmalltalkRewind("True");
    info.SetSmalltalkInnerRange("600");
    info.SetSmalltalkInnerRangeTestWithLOS("False");
    info.SetSmalltalkOuterRange("1200");
    info.SetSmalltalkExitRoutineName(t("ExitRoutine").c_str());
    info.SetSmalltalkPartnerExitRoutineName(t("PartnerExit").c_str());

    for (int i = 0; i < perks; ++i) {
        InfoRequiredPerk& perk = info.RequiredPerks[info.AddRequiredPerk()];
        perk.SetPerk(("gESkill_Perk_" + std::to_string(i)).c_str());
        perk.SetValue(std::to_string(i + 1).c_str());
        perk.SetInvertTest(i % 2 ? "True" : "False");
    }
    for (const auto& type : SupportedCommandTypes()) {
        InfoCommand& c = info.InfoCommands[info.AddCommand()];
        const std::string n = type.text->Str();
        c.SetCommand(n.c_str());
        for (const auto& member : type.members) {
            const std::string value =
                n.substr(0, 6) + std::to_string(static_cast<int>(member.slot));
            switch (member.slot) {
            case CommandSlot::Entity1:
                c.SetEntity1(value.c_str());
                break;
            case CommandSlot::Entity2:
                c.SetEntity2(value.c_str());
                break;
            case CommandSlot::Entity3:
                c.SetEntity3(value.c_str());
                break;
            case CommandSlot::ID1:
                c.SetID1(value.c_str());
                break;
            case CommandSlot::ID2:
                c.SetID2(value.c_str());
                break;
            case CommandSlot::ID3:
                c.SetID3(value.c_str());
                break;
            case CommandSlot::LocString:
                c.SetLocString(value.c_str());
                break;
            case CommandSlot::Text:
                c.SetText(value.c_str());
                break;
            default:
                c.SetValue(value.c_str(), static_cast<std::uint32_t>(member.slot) -
                                              static_cast<std::uint32_t>(CommandSlot::Value0));
            }
        }
        c.UseValues = type.useValues;
    }
    for (const auto& type : SupportedConditionTypes()) {
        InfoCondition& c = info.InfoConditions[info.AddCondition()];
        const std::string n = type.text->Str();
        c.SetCondition(n.c_str());
        for (const auto& member : type.members) {
            const std::string value =
                n.substr(0, 6) + "c" + std::to_string(static_cast<int>(member.slot));
            switch (member.slot) {
            case ConditionSlot::Entity1:
                c.SetEntity1(value.c_str());
                break;
            case ConditionSlot::Entity2:
                c.SetEntity2(value.c_str());
                break;
            case ConditionSlot::ID1:
                c.SetID1(value.c_str());
                break;
            case ConditionSlot::ID2:
                c.SetID2(value.c_str());
                break;
            case ConditionSlot::ID3:
                c.SetID3(value.c_str());
                break;
            case ConditionSlot::ID4:
                c.SetID4(value.c_str());
                break;
            case ConditionSlot::LocString:
                c.SetLocString(value.c_str());
                break;
            }
        }
    }
}

std::string WriteToText(VaskInfo& info) {
    TesselEngine::IO::Stream out;
    EXPECT_TRUE(info.WriteToStream(out));
    return std::string(out.GetBuffer() ? out.GetBuffer() : "", out.GetSize());
}

void ExpectSameInfo(const VaskInfo& e, const VaskInfo& a) {
#define SAME(member) EXPECT_EQ(e.member.View(), a.member.View()) << #member
    SAME(Name);
    SAME(MainSortID);
    SAME(SortID);
    SAME(Owner);
    SAME(Partner);
    SAME(InfoGiven);
    SAME(LastExecutionTimestamp);
    SAME(Parent);
    SAME(Quest);
    SAME(ConditionType);
    SAME(InfoType);
    SAME(GameModeType);
    SAME(GoldCost);
    SAME(GoldCostScript);
    SAME(GoldCostItem);
    SAME(DialogPartnerAutoPositioningEnabled);
    SAME(ClearChildren);
    SAME(Permanent);
    SAME(CurrentInfoCommandIndex);
    SAME(InfoIsRunnig);
    SAME(StartChapter);
    SAME(EndChapter);
    SAME(CommentGivenCmdIndex);
    SAME(SmalltalkPartner);
    SAME(SmalltalkGivenCmdIndex);
    SAME(SmalltalkRewind);
    SAME(SmalltalkInnerRange);
    SAME(SmalltalkInnerRangeTestWithLOS);
    SAME(SmalltalkOuterRange);
    SAME(SmalltalkExitRoutineName);
    SAME(SmalltalkPartnerExitRoutineName);
#undef SAME
    ASSERT_EQ(e.RequiredPerks.GetSize(), a.RequiredPerks.GetSize());
    for (std::uint32_t i = 0; i < e.RequiredPerks.GetSize(); ++i) {
        EXPECT_EQ(e.RequiredPerks[i].Perk.View(), a.RequiredPerks[i].Perk.View());
        EXPECT_EQ(e.RequiredPerks[i].Value.View(), a.RequiredPerks[i].Value.View());
        EXPECT_EQ(e.RequiredPerks[i].InvertTest.View(), a.RequiredPerks[i].InvertTest.View());
    }
    ASSERT_EQ(e.InfoCommands.GetSize(), a.InfoCommands.GetSize());
    for (std::uint32_t i = 0; i < e.InfoCommands.GetSize(); ++i) {
        const InfoCommand& x = e.InfoCommands[i];
        const InfoCommand& y = a.InfoCommands[i];
        SCOPED_TRACE(x.Command.Str());
        EXPECT_EQ(x.Command.View(), y.Command.View());
        EXPECT_EQ(x.Entity1.View(), y.Entity1.View());
        EXPECT_EQ(x.Entity2.View(), y.Entity2.View());
        EXPECT_EQ(x.Entity3.View(), y.Entity3.View());
        EXPECT_EQ(x.ID1.View(), y.ID1.View());
        EXPECT_EQ(x.ID2.View(), y.ID2.View());
        EXPECT_EQ(x.ID3.View(), y.ID3.View());
        EXPECT_EQ(x.LocString.View(), y.LocString.View());
        EXPECT_EQ(x.UseValues, y.UseValues);
        EXPECT_EQ(x.CommandTypeIndex, y.CommandTypeIndex);
        for (std::size_t k = 0; k < 15; ++k)
            EXPECT_EQ(x.Value[k].View(), y.Value[k].View()) << "Value" << k;
        if (x.Command == TesselEngine::Char32("SwitchCase")) {
            EXPECT_EQ(x.Text.View(), y.Text.View());
        }
    }
    ASSERT_EQ(e.InfoConditions.GetSize(), a.InfoConditions.GetSize());
    for (std::uint32_t i = 0; i < e.InfoConditions.GetSize(); ++i) {
        const InfoCondition& x = e.InfoConditions[i];
        const InfoCondition& y = a.InfoConditions[i];
        SCOPED_TRACE(x.Condition.Str());
        EXPECT_EQ(x.Condition.View(), y.Condition.View());
        EXPECT_EQ(x.Entity1.View(), y.Entity1.View());
        EXPECT_EQ(x.Entity2.View(), y.Entity2.View());
        EXPECT_EQ(x.ID1.View(), y.ID1.View());
        EXPECT_EQ(x.ID2.View(), y.ID2.View());
        EXPECT_EQ(x.ID3.View(), y.ID3.View());
        EXPECT_EQ(x.ID4.View(), y.ID4.View());
        EXPECT_EQ(x.ConditionTypeIndex, y.ConditionTypeIndex);
    }
}

} // namespace VaskTest
