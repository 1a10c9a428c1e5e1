#include "support/InfoBuilder.h"
#include "info/EntryBlocks.h"
#include "info/MemberTable.h"

#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

using namespace VaskEdit;

namespace VaskTest {

namespace {
std::string Tagged(const std::string& tag, const std::string& what) {
    return what + "_" + tag;
}

// An entry of the type with a distinct text in every slot that the type reads.
template <typename Record> void FillEntry(Record& record, const EntryType& type) {
    EntryRecord<Record>::Name(record) = TesselEngine::Char32(type.name);
    for (const Parameter& parameter : type.parameters) {
        const std::string value =
            std::string(type.name.substr(0, 6)) + std::to_string(static_cast<int>(parameter.slot));
        VisitSlot(
            record, parameter.slot,
            [&](auto& member) {
                TesselEngine::SetMember(member, value.c_str());
                return true;
            },
            false);
    }
    if constexpr (std::is_same_v<Record, InfoCommand>)
        record.UseValues = type.useValues;
}

// The text of every slot of the record, "-" for the slots it lacks; Text only when asked.
template <typename Record> std::vector<std::string> SlotTexts(const Record& record, bool text) {
    std::vector<std::string> texts;
    for (int i = 0; i <= static_cast<int>(Slot::InvertTest); ++i) {
        const auto slot = static_cast<Slot>(i);
        if (slot != Slot::Text || text)
            texts.push_back(VisitSlot(
                record, slot, [](const auto& member) { return member.Str(); }, std::string("-")));
    }
    return texts;
}
} // namespace

void FillEverything(VaskInfo& info, const std::string& name, const std::string& tag, int perks) {
    auto t = [&](const char* what) { return Tagged(tag, what); };
    TesselEngine::SetMember(info.Name, name.c_str());
    info.SetMainSortID("10");
    info.SetSortID("20");
    info.SetOwner(t("Owner").c_str());
    info.SetPartner(t("Partner").c_str());
    TesselEngine::SetMember(info.InfoGiven, "True");
    TesselEngine::SetMember(info.LastExecutionTimestamp, "12.5");
    TesselEngine::SetMember(info.Parent, t("Parent").c_str());
    info.SetQuest(t("Quest").c_str());
    info.SetConditionType("gEInfoCondType_Running");
    info.SetInfoType("gEInfoType_Important");
    info.SetGameModeType("gEInfoGameModeType_Normal");
    info.SetGoldCost("150");
    TesselEngine::SetMember(info.GoldCostScript, t("GoldScript").c_str());
    info.SetGoldCostItem("{11111111-2222-3333-4444-555555555555}");
    TesselEngine::SetMember(info.DialogPartnerAutoPositioningEnabled, "False");
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
    TesselEngine::SetMember(info.SmalltalkPartnerExitRoutineName, t("PartnerExit").c_str());

    for (int i = 0; i < perks; ++i) {
        InfoRequiredPerk& perk = info.RequiredPerks[info.AddRequiredPerk()];
        perk.SetPerk(("gESkill_Perk_" + std::to_string(i)).c_str());
        perk.SetValue(std::to_string(i + 1).c_str());
        perk.SetInvertTest(i % 2 ? "True" : "False");
    }
    for (const EntryKind kind : {EntryKind::Command, EntryKind::Condition}) {
        for (const EntryType& type : EntryTypes(kind)) {
            if (type.hasClass) {
                if (kind == EntryKind::Command)
                    FillEntry(info.InfoCommands[info.AddCommand()], type);
                else
                    FillEntry(info.InfoConditions[info.AddCondition()], type);
            }
        }
    }
}

std::string WriteToText(VaskInfo& info) {
    TesselEngine::IO::Stream out;
    EXPECT_TRUE(info.WriteToStream(out));
    return std::string(out.GetBuffer() ? out.GetBuffer() : "", out.GetSize());
}

void ReadFromText(const std::string& text, VaskInfo& info) {
    TesselEngine::IO::Stream stream;
    ASSERT_TRUE(stream.Allocate(static_cast<std::uint32_t>(text.size())));
    stream.WriteData(text.data(), static_cast<std::uint32_t>(text.size()));
    info.LoadFromStream(stream);
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

void ExpectSameInfo(const VaskInfo& e, const VaskInfo& a) {
    for (const InfoMember& member : InfoMemberTable())
        EXPECT_EQ(TextOf(e, member), TextOf(a, member)) << member.name;
    ASSERT_EQ(e.RequiredPerks.GetSize(), a.RequiredPerks.GetSize());
    for (std::uint32_t i = 0; i < e.RequiredPerks.GetSize(); ++i)
        EXPECT_EQ(SlotTexts(e.RequiredPerks[i], true), SlotTexts(a.RequiredPerks[i], true)) << i;
    ASSERT_EQ(e.InfoCommands.GetSize(), a.InfoCommands.GetSize());
    for (std::uint32_t i = 0; i < e.InfoCommands.GetSize(); ++i) {
        const InfoCommand& x = e.InfoCommands[i];
        const InfoCommand& y = a.InfoCommands[i];
        SCOPED_TRACE(x.Command.Str());
        EXPECT_EQ(x.Command.View(), y.Command.View());
        EXPECT_EQ(x.UseValues, y.UseValues);
        EXPECT_EQ(x.CommandTypeIndex, y.CommandTypeIndex);
        // Only SwitchCase stores its Text; the others look theirs up.
        const bool text = x.Command == TesselEngine::Char32("SwitchCase");
        EXPECT_EQ(SlotTexts(x, text), SlotTexts(y, text));
    }
    ASSERT_EQ(e.InfoConditions.GetSize(), a.InfoConditions.GetSize());
    for (std::uint32_t i = 0; i < e.InfoConditions.GetSize(); ++i) {
        const InfoCondition& x = e.InfoConditions[i];
        const InfoCondition& y = a.InfoConditions[i];
        SCOPED_TRACE(x.Condition.Str());
        EXPECT_EQ(x.Condition.View(), y.Condition.View());
        EXPECT_EQ(x.ConditionTypeIndex, y.ConditionTypeIndex);
        EXPECT_EQ(SlotTexts(x, true), SlotTexts(y, true));
    }
}

} // namespace VaskTest
