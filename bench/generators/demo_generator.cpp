// Writes the demo workspace: the village of Kolvar with its traders, healer, guards
// and a handful of quests, as the program itself would write them.
// Usage: demo_generator RESOURCES_PARENT OUTPUT_DIR
//   Infos/ and w_info.hdrdoc (every info in both), Templates/, templatecache,
//   the three text tables and Settings.ini.
#include "DemoWorld.h"
#include "engine/String.h"
#include "info/ResourceTemplates.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

using namespace VaskEdit;
using VaskDemo::InfoBuilder;
using VaskDemo::World;
namespace fs = std::filesystem;

namespace {
struct DemoInfo {
    std::string name;
    bool inInfosFolder; // the rest exists only in the combined document
    std::function<void(VaskInfo&, InfoBuilder&)> build;
};

const char* Hero = "PC_Hero";

void Greeting(VaskInfo& info, InfoBuilder& b, const std::string& owner, const std::string& id,
              const std::string& line) {
    VaskDemo::SetCommonMembers(info, info.Name.Str(), owner, "", "1");
    info.SetInfoType("gEInfoType_Comment");
    b.Say(owner, Hero, id, line, "gEForcedDialogCam_ShowSpeaker");
    b.Command("End");
}

std::vector<DemoInfo> Story(World& w) {
    std::vector<DemoInfo> infos;
    auto add = [&](std::string name, bool inFolder,
                   std::function<void(VaskInfo&, InfoBuilder&)> build) {
        infos.push_back({std::move(name), inFolder, std::move(build)});
    };

    // Bob, the trader of Kolvar.
    add("Bob_Greeting", true, [](VaskInfo& i, InfoBuilder& b) {
        Greeting(i, b, "Bob", "BOB_GREET_01",
                 "Welcome to Kolvar, stranger. Best prices this side of the river.");
        i.SetPermanent("True");
    });
    add("Bob_Trade", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "", "5");
        i.SetInfoType("gEInfoType_Info");
        i.SetPermanent("True");
        b.Description("BOB_TRADE_DESC", "Show me your wares.");
        b.Say(Hero, "Bob", "BOB_TRADE_01", "Show me your wares.");
        b.Command("SetTradeEnabled").SetEntity1("Bob");
        i.InfoCommands[i.InfoCommands.GetSize() - 1].SetID1("True");
        b.Command("End");
        b.Condition("NPCRoutineStatus").SetEntity1("Bob");
        auto& routine = i.InfoConditions[i.InfoConditions.GetSize() - 1];
        routine.SetID1("Shop");
        routine.SetID2("True");
    });
    add("Bob_LostShipment", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "Q_LostShipment", "10");
        i.SetInfoType("gEInfoType_Important");
        b.Description("BOB_SHIPMENT_DESC", "You look worried.");
        b.Say(Hero, "Bob", "BOB_SHIPMENT_01", "You look worried.");
        b.Say("Bob", Hero, "BOB_SHIPMENT_02",
              "My shipment never arrived. Bandits, I bet, on the old coast road.",
              "gEForcedDialogCam_ShowSpeakerNearest");
        b.Command("RunQuest").SetID1("Q_LostShipment");
        auto& actor = b.Command("AddQuestActor");
        actor.SetEntity1("Q_LostShipment");
        actor.SetID1("Bob");
        actor.SetID2("gEQuestActor_Client");
        b.LogText("Q_LostShipment", "LOG_SHIPMENT_01",
                  "Bob's crate of goods was lost on the coast road. He suspects bandits.");
        b.QuestStatus("Q_LostShipment", "Open", "False");
    });
    add("Bob_ShipmentFound", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "Q_LostShipment", "11");
        i.SetConditionType("gEInfoCondType_Delivery");
        b.Description("BOB_FOUND_DESC", "I found your crate.");
        b.Say(Hero, "Bob", "BOB_FOUND_01", "I found your crate.");
        b.Give(Hero, "Bob", "It_Crate_Shipment", "1");
        b.Give("Bob", Hero, "It_Gold", "150");
        b.Command("SucceedQuest").SetID1("Q_LostShipment");
        auto& remove = b.Command("RemoveQuestActor");
        remove.SetEntity1("Q_LostShipment");
        remove.SetID1("Bob");
        remove.SetID2("gEQuestActor_Client");
        b.Command("GiveXP").SetID1("250");
        b.Command("End");
        b.QuestStatus("Q_LostShipment", "Running");
        auto& crate = b.Condition("ItemAmount");
        crate.SetEntity1(Hero);
        crate.SetID1(w.Guid("It_Crate_Shipment").c_str());
        crate.SetID2("1");
        crate.SetID3("False");
    });
    add("Bob_Haggle", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "", "6");
        b.Description("BOB_HAGGLE_DESC", "(Haggle) That price is robbery.");
        b.Say(Hero, "Bob", "BOB_HAGGLE_01", "That price is robbery.");
        b.Say("Bob", Hero, "BOB_HAGGLE_02", "For a fellow of your talents... ten percent off.");
        b.Command("GiveXP").SetID1("25");
        b.Perk("Perk_Barter", "1", false);
        b.Perk("Attrib_Cunning", "20", false);
        auto& skill = b.Condition("SkillValue");
        skill.SetEntity1(Hero);
        skill.SetID2("gECompareOperation_GreaterEqual");
        skill.SetID3("20");
        skill.SetID1("gESkill_Attrib_Cunning");
    });
    add("Bob_TradeBack", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "", "99");
        i.SetInfoType("gEInfoType_Refuse");
        i.SetConditionType("gEInfoCondType_Back");
        b.Description("BOB_BACK_DESC", "Let's talk about something else.");
        b.Command("Back");
    });
    add("Bob_BuySword", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bob", "", "7");
        i.SetGoldCost("80");
        i.SetGoldCostItem(w.Guid("It_Gold").c_str());
        b.Description("BOB_SWORD_DESC", "I'll take the rusty sword. (80 gold)");
        auto& create = b.Command("CreateItem");
        create.SetEntity1(Hero);
        create.SetID1(w.Guid("It_Sword_Rusty").c_str());
        create.SetID2("1");
        create.SetValue("False", 0);
        create.SetValue("True", 1);
        create.UseValues = true;
        auto& destroy = b.Command("DestroyItem");
        destroy.SetEntity1(Hero);
        destroy.SetID1(w.Guid("It_Gold").c_str());
        destroy.SetID2("80");
        b.Command("End");
        auto& gold = b.Condition("ItemAmount");
        gold.SetEntity1(Hero);
        gold.SetID1(w.Guid("It_Gold").c_str());
        gold.SetID2("80");
        gold.SetID3("False");
    });

    // Mira, the healer.
    add("Mira_Greeting", true, [](VaskInfo& i, InfoBuilder& b) {
        Greeting(i, b, "Mira", "MIRA_GREET_01", "Mind the herbs on the table. Some of them bite.");
    });
    add("Mira_HealingHerbs", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Mira", "Q_HealingHerbs", "10");
        i.SetInfoType("gEInfoType_News");
        b.Description("MIRA_HERBS_DESC", "Can I help you with anything?");
        b.Say("Mira", Hero, "MIRA_HERBS_01",
              "Bring me five bloodmoss from the swamp and I'll brew you something strong.");
        b.Command("RunQuest").SetID1("Q_HealingHerbs");
        b.LogText("Q_HealingHerbs", "LOG_HERBS_01",
                  "Mira needs five bloodmoss from the swamp east of Kolvar.");
        b.Command("InfoWait").SetID1("500");
        auto& event = b.Command("SetGameEvent");
        event.SetID1("GE_Mira_AskedForHerbs");
        event.SetValue("1", 0);
        event.SetValue("0", 1);
        event.SetValue("0", 2);
        event.SetValue("False", 3);
        event.UseValues = true;
        b.QuestStatus("Q_HealingHerbs", "Open", "False");
        auto& known = b.Condition("PlayerNotKnows");
        known.SetID1("Mira_Greeting");
    });
    add("Mira_HerbsDelivered", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Mira", "Q_HealingHerbs", "11");
        i.SetConditionType("gEInfoCondType_Delivery");
        b.Description("MIRA_DELIVER_DESC", "Here are your bloodmoss.");
        b.Give(Hero, "Mira", "It_Herb_Bloodmoss", "5");
        b.Give("Mira", Hero, "It_Potion_Heal", "3");
        b.Command("SucceedQuest").SetID1("Q_HealingHerbs");
        b.Command("ClearGameEvent").SetID1("GE_Mira_AskedForHerbs");
        b.Command("GiveXP").SetID1("200");
        auto& effect = b.Command("StartEffect");
        effect.SetEntity1("Mira");
        effect.SetID1("Eff_Heal_Glow");
        effect.SetValue("True", 0);
        effect.SetValue("False", 1);
        effect.UseValues = true;
        b.QuestStatus("Q_HealingHerbs", "Running");
        auto& herbs = b.Condition("ItemAmount");
        herbs.SetEntity1(Hero);
        herbs.SetID1(w.Guid("It_Herb_Bloodmoss").c_str());
        herbs.SetID2("5");
        herbs.SetID3("False");
        auto& event = b.Condition("GameVariable");
        event.SetEntity1("GE_Mira_AskedForHerbs");
        event.SetID1("eEGameVarCompare_Equal");
        event.SetID2("1");
    });
    add("Mira_Teach", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Mira", "", "20");
        i.SetPermanent("True");
        b.Description("MIRA_TEACH_DESC", "Teach me about herbs.");
        b.Say("Mira", Hero, "MIRA_TEACH_01", "Patience first. Then the herbs.");
        b.Command("SetTeachEnabled").SetEntity1("Mira");
        i.InfoCommands[i.InfoCommands.GetSize() - 1].SetID1("True");
        b.Condition("TeachEnabled").SetID1("True");
        b.Perk("Skill_Crafting", "1", false);
        b.Perk("Perk_Chemistry", "1", true);
        b.Perk("Attrib_Intelligence", "15", false);
    });
    add("Mira_SleepOver", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Mira", "", "30");
        b.Description("MIRA_SLEEP_DESC", "May I rest here until morning?");
        b.Say("Mira", Hero, "MIRA_SLEEP_01", "The bed in the back is free. Don't snore.");
        auto& sleep = b.Command("Sleep");
        sleep.SetEntity1(Hero);
        sleep.SetID1("7");
        b.Command("End");
        auto& time = b.Condition("LastExecutionTimestamp");
        time.SetEntity1("Mira_SleepOver");
        time.SetID1("eEExecutionTimestampCompare_GreaterOrNone");
        time.SetID2("24");
    });

    // Captain Dray and the guard.
    add("Dray_Greeting", true, [](VaskInfo& i, InfoBuilder& b) {
        Greeting(i, b, "Dray", "DRAY_GREET_01", "Keep your blade sheathed inside the walls.");
    });
    add("Dray_Briefing", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Dray", "Q_GuardDuty", "10");
        i.SetInfoType("gEInfoType_VeryImportant");
        b.Description("DRAY_BRIEF_DESC", "I want to join the watch.");
        auto& camera = b.Command("StartFixCamera");
        camera.SetID1("Cam_Barracks_Table");
        camera.SetID2("Dray");
        const char* values[] = {"55", "1.5", "10", "2.0", "300",  "90",    "50",  "50",
                                "30", "30",  "5",  "0.5", "True", "False", "True"};
        for (std::uint32_t k = 0; k < 15; ++k)
            camera.SetValue(values[k], k);
        camera.UseValues = true;
        b.Say("Dray", Hero, "DRAY_BRIEF_01", "Night watch on the east gate. Don't fall asleep.",
              "gEForcedDialogCam_BlockSwitch");
        b.Command("StopFixCamera");
        b.Command("RunQuest").SetID1("Q_GuardDuty");
        b.LogText("Q_GuardDuty", "LOG_GUARD_01",
                  "Captain Dray put me on night watch at the east gate.");
        auto& endScript = b.Command("AddInfoSystemEndScript");
        endScript.SetID1("Script_Guard_PostBriefing");
        endScript.SetEntity1("Dray");
        endScript.SetEntity2(Hero);
        endScript.SetID2("1");
        auto& routine = b.Command("SetRoutine");
        routine.SetEntity1("Dray");
        routine.SetID1("Patrol_EastGate");
        b.Condition("NPCStatus").SetEntity1("Dray");
        i.InfoConditions[0].SetID1("gEInfoNPCStatus_Alive");
        b.Condition("OwnerInArea").SetID1("Area_Barracks");
    });
    add("Dray_GateOpen", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Dray", "Q_GuardDuty", "12");
        b.Description("DRAY_GATE_DESC", "Open the east gate.");
        auto& sector = b.Command("SetSectorStatus");
        sector.SetEntity1("Sector_EastGate");
        sector.SetID1("True");
        b.Command("PlayJingle").SetID1("Jingle_GateOpen");
        i.InfoCommands[i.InfoCommands.GetSize() - 1].SetID2("False");
        b.Command("End");
        auto& area = b.Condition("NPCAreaStatus");
        area.SetEntity1(Hero);
        area.SetID1("Area_EastGate");
        area.SetID2("True");
    });
    add("Dray_NightShift", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Dray", "Q_GuardDuty", "13");
        b.Description("DRAY_SHIFT_DESC", "The night was quiet.");
        b.Say("Dray", Hero, "DRAY_SHIFT_01", "Quiet? Then you missed the smugglers. Again.");
        b.Command("CloseQuest").SetID1("Q_GuardDuty");
        b.QuestStatus("Q_GuardDuty", "Running");
        auto& script = b.Condition("Script");
        script.SetID1("Script_IsNight");
        script.SetEntity1("Dray");
        script.SetEntity2(Hero);
        script.SetID2("gEOtherType_Entity");
        script.SetID3("0");
        script.SetID4("EastGate");
    });
    add("Tomas_JoinCrew", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Tomas", "", "10");
        b.Description("TOMAS_JOIN_DESC", "Come with me, Tomas.");
        b.Say("Tomas", Hero, "TOMAS_JOIN_01", "Anything beats another night on that gate.");
        b.Command("AddCrewMember").SetID1("Tomas");
        auto& party = b.Command("SetPartyEnabled");
        party.SetEntity1("Tomas");
        party.SetID1("True");
        b.Command("End");
        b.Condition("OwnerNearEntity").SetID1(Hero);
        b.Perk("Perk_Party", "1", false);
    });
    add("Tomas_LeaveCrew", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Tomas", "", "11");
        b.Description("TOMAS_LEAVE_DESC", "Go back to the barracks, Tomas.");
        b.Command("SayConfirm").SetEntity1("Tomas");
        i.InfoCommands[i.InfoCommands.GetSize() - 1].SetEntity2(Hero);
        b.Command("RemoveCrewMember").SetID1("Tomas");
        auto& script = b.Command("RunAIScript");
        script.SetID1("AI_ReturnToPost");
        script.SetEntity1("Tomas");
        script.SetEntity2(Hero);
        script.SetID2("0");
        b.Command("End");
        b.Condition("NPCCrewMember").SetEntity1("Tomas");
    });

    // Old Sven and his boat.
    add("Sven_Greeting", true, [](VaskInfo& i, InfoBuilder& b) {
        Greeting(i, b, "Sven", "SVEN_GREET_01", "The sea gives, the sea takes. Mostly it takes.");
    });
    add("Sven_Boat", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Sven", "Q_OldSvensBoat", "10");
        b.Description("SVEN_BOAT_DESC", "What happened to your boat?");
        b.Say("Sven", Hero, "SVEN_BOAT_01",
              "Hole in the hull the size of a goat. Tar would fix it.");
        b.Command("RunQuest").SetID1("Q_OldSvensBoat");
        b.LogText("Q_OldSvensBoat", "LOG_BOAT_01",
                  "Old Sven needs tar to patch the hull of his boat.");
        auto& event = b.Command("SetGameEvent");
        event.SetID1("GE_Sven_BoatBroken");
        event.SetValue("1", 0);
        event.SetValue("0", 1);
        event.SetValue("3", 2);
        event.SetValue("True", 3);
        event.UseValues = true;
    });
    add("Sven_BoatFixed", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Sven", "Q_OldSvensBoat", "11");
        b.Description("SVEN_FIXED_DESC", "Your boat is patched.");
        b.Say("Sven", Hero, "SVEN_FIXED_01", "She floats! Here, smoked fish. Best in Kolvar.");
        b.Give("Sven", Hero, "It_Fish_Smoked", "4");
        b.Command("ClearGameEvent").SetID1("GE_Sven_BoatBroken");
        b.Command("SucceedQuest").SetID1("Q_OldSvensBoat");
        auto& run = b.Command("RunScript");
        run.SetID1("Script_Boat_Launch");
        run.SetEntity1("Sven");
        run.SetEntity2(Hero);
        run.SetID2("gEOtherType_Entity");
        run.SetValue("2", 0);
        run.SetID3("Harbor");
        run.UseValues = true;
        b.Condition("PlayerKnows").SetID1("Sven_Boat");
    });
    add("Sven_Story", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Sven", "", "20");
        i.SetInfoType("gEInfoType_Info");
        b.Description("SVEN_STORY_DESC", "Tell me a story.");
        auto& svm = b.Command("SaySVM");
        svm.SetEntity1("Sven");
        svm.SetEntity2(Hero);
        svm.SetID2("SVM_Sven_Story");
        svm.SetLocString("SVEN_STORY_01");
        svm.SetID1("gEForcedDialogCam_ShowSpeakerMedium");
        w.infoLines["SVEN_STORY_01"] = "Forty years ago a whale swallowed my anchor. True story.";
        b.Command("SwitchCase").SetText("Sven_HasTimeToTalk");
        b.Say("Sven", Hero, "SVEN_STORY_02", "Sit down then. This one is long.");
        b.Command("SwitchDefault");
        b.Say("Sven", Hero, "SVEN_STORY_03", "Not now, the tide is turning.");
        b.Command("SwitchEnd");
        b.Command("End");
    });

    // Lena, the innkeeper.
    add("Lena_Greeting", true, [](VaskInfo& i, InfoBuilder& b) {
        Greeting(i, b, "Lena", "LENA_GREET_01", "Ale's warm, stew's warmer. Sit anywhere.");
    });
    add("Lena_Room", true, [&](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Lena", "", "10");
        i.SetGoldCost("15");
        i.SetGoldCostItem(w.Guid("It_Gold").c_str());
        b.Description("LENA_ROOM_DESC", "I need a room. (15 gold)");
        b.Give(Hero, "Lena", "It_Gold", "15");
        auto& sleep = b.Command("Sleep");
        sleep.SetEntity1(Hero);
        sleep.SetID1("8");
        b.Command("End");
    });
    add("Lena_Rumors", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Lena", "", "20");
        i.SetPermanent("True");
        b.Description("LENA_RUMOR_DESC", "Heard any rumors?");
        b.Say("Lena", Hero, "LENA_RUMOR_01",
              "Smugglers on the east beach, they say. Dray pretends not to know.");
        b.Command("InfoWait").SetID1("1200");
        b.Condition("PlayerKnows").SetID1("Lena_Greeting");
    });

    // Bandits on the coast road.
    add("Bandit_Threat", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bandit_Leader", "Q_LostShipment", "10");
        i.SetInfoType("gEInfoType_Important");
        i.SetConditionType("gEInfoCondType_Activator");
        b.Say("Bandit_Leader", Hero, "BANDIT_THREAT_01", "Your purse or your teeth. Choose.",
              "gEForcedDialogCam_ShowListener");
        auto& attack = b.Command("Attack");
        attack.SetEntity1("Bandit_Leader");
        attack.SetEntity2(Hero);
        attack.SetID1("Robbery");
        attack.SetID2("Script_Bandit_Attack");
        b.Command("End");
        b.QuestStatus("Q_LostShipment", "Running");
    });
    add("Bandit_Surrender", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Bandit_Leader", "Q_LostShipment", "11");
        b.Description("BANDIT_SURR_DESC", "Where is Bob's crate?");
        b.Say("Bandit_Leader", Hero, "BANDIT_SURR_01", "In the cave. Take it and leave me be!");
        b.Give("Bandit_Leader", Hero, "It_Key_Warehouse", "1");
        b.Command("KillNPC").SetID1("Bandit_Scout");
        b.Command("End");
        auto& leader = b.Condition("NPCStatus");
        leader.SetEntity1("Bandit_Leader");
        leader.SetID1("gEInfoNPCStatus_Defeated");
        b.Perk("Attrib_Strength", "30", false);
    });

    // Infos that use types without a class of their own: their blocks are kept as read.
    add("Narrator_Ending", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Narrator", "", "1");
        i.SetInfoType("gEInfoType_Cutscene");
        b.Command("NarratorStart").PreservedBlock = "            gCInfoCommandNarratorStart {\r\n"
                                                    "                int Version = 1;\r\n"
                                                    "            }\r\n";
        auto& say = b.Command("NarratorSay");
        say.PreservedBlock = "            gCInfoCommandNarratorSay {\r\n"
                             "                int Version = 1;\r\n"
                             "                gCInfoLocString Text = \"NARRATOR_END_01\";\r\n"
                             "            }\r\n";
        b.Command("EndGame").PreservedBlock = "            gCInfoCommandEndGame {\r\n"
                                              "                int Version = 1;\r\n"
                                              "            }\r\n";
        b.QuestStatus("Q_GuardDuty", "Success");
    });
    add("Mira_TeachSkill", true, [](VaskInfo& i, InfoBuilder& b) {
        VaskDemo::SetCommonMembers(i, i.Name.Str(), "Mira", "", "21");
        b.Description("MIRA_TEACHSKILL_DESC", "Teach me to brew potions.");
        b.Command("Teach").PreservedBlock =
            "            gCInfoCommandTeach {\r\n"
            "                int Version = 1;\r\n"
            "                enum gESkill Skill = gESkill_Perk_Chemistry;\r\n"
            "                int Cost = 5;\r\n"
            "            }\r\n";
        b.Condition("CanTeachSkill").PreservedBlock =
            "            gCInfoConditionCanTeachSkill {\r\n"
            "                int Version = 1;\r\n"
            "                enum gESkill Skill = gESkill_Perk_Chemistry;\r\n"
            "            }\r\n";
    });

    // Smalltalk of the villagers.
    const char* villagers[] = {"Villager_Anna", "Villager_Karl", "Villager_Jorn", "Fisher_Ulf"};
    const char* lines[] = {"Storm's coming, I can feel it in my knee.",
                           "Did you see the lights over the swamp last night?",
                           "Bob charges too much for nails.",
                           "The captain drinks at Lena's every evening.",
                           "My cousin swears the bandits pay the guards.",
                           "Fish are biting. Not the big ones, though."};
    for (int k = 0; k < 22; ++k) {
        const std::string owner = villagers[k % 4];
        const std::string name = owner + "_Smalltalk_" + (k < 9 ? "0" : "") + std::to_string(k + 1);
        const std::string id = "SMALLTALK_" + std::to_string(k + 1);
        const std::string line = lines[k % 6];
        add(name, true, [owner, id, line](VaskInfo& i, InfoBuilder& b) {
            VaskDemo::SetCommonMembers(i, i.Name.Str(), owner, "", "50");
            i.SetInfoType("gEInfoType_NPCSmalltalk");
            i.SetSmalltalkPartner("Villager_Any");
            i.SetSmalltalkExitRoutineName("Wander");
            b.Say(owner, "Villager_Any", id, line);
            b.Command("End");
        });
    }
    return infos;
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: demo_generator RESOURCES_PARENT OUTPUT_DIR\n";
        return 2;
    }
    const fs::path output = fs::absolute(argv[2]);
    fs::current_path(argv[1]);
    if (!LoadResourceTemplates()) {
        std::cerr << "resource templates missing\n";
        return 1;
    }
    World world;
    for (const char* item :
         {"It_Gold", "It_Sword_Rusty", "It_Potion_Heal", "It_Herb_Bloodmoss", "It_Crate_Shipment",
          "It_Key_Warehouse", "It_Fish_Smoked", "It_Ring_Silver", "It_Tar_Bucket", "It_Lantern"})
        world.AddItem(item);

    auto story = Story(world);
    std::vector<std::pair<std::string, std::string>> texts; // name, file text
    fs::remove_all(output / "Infos");
    fs::create_directories(output / "Infos");
    for (auto& demo : story) {
        VaskInfo info;
        TesselEngine::SetMember(info.Name, demo.name.c_str());
        InfoBuilder builder(world, info);
        demo.build(info, builder);
        const std::string text = VaskDemo::InfoText(info);
        texts.emplace_back(demo.name, text);
        if (demo.inInfosFolder) {
            std::ofstream out(output / "Infos" / (demo.name + ".vaskinfo"),
                              std::ios::binary | std::ios::trunc);
            out << text;
        }
    }
    // The combined document holds the infos in the order a directory scan gives.
    std::sort(texts.begin(), texts.end(),
              [](const auto& a, const auto& b) { return Upper(a.first) < Upper(b.first); });
    std::ofstream doc(output / "w_info.hdrdoc", std::ios::binary | std::ios::trunc);
    doc << "class gCInfo {\r\n";
    for (const auto& [name, text] : texts)
        doc << text;
    doc << "}\r\n";

    world.WriteTextTables(output.string());
    fs::remove_all(output / "Templates");
    fs::create_directories(output / "Templates");
    world.WriteTemplateDocuments((output / "Templates").string());
    std::ofstream settings(output / "Settings.ini", std::ios::binary | std::ios::trunc);
    settings << "VASKRESMAN_PATH = , \nSHOWHELP_EXE = xdg-open,";
    std::cout << "wrote " << story.size() << " infos to " << output << "\n";
    return 0;
}
