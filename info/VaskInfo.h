// One info in memory: its members as the file holds them (all text) and its lists of
// required perks, commands and conditions.
#pragma once

#include "engine/FileFingerprint.h"
#include "engine/Vector.h"
#include "info/InfoCommand.h"
#include "info/InfoCondition.h"

namespace VaskEdit {

struct InfoRegions;

class VaskInfo {
public:
    Char48 Name;
    Char8 MainSortID;
    Char8 SortID;
    Char48 Owner;
    Char48 Partner;
    Char8 InfoGiven;
    Char16 LastExecutionTimestamp;
    Char48 Parent;
    Char48 Quest;
    Char32 ConditionType;
    Char32 InfoType;
    Char32 GameModeType;
    Char8 GoldCost;
    Char48 GoldCostScript;
    Char48 GoldCostItem;
    TesselEngine::TTL::Vector<InfoRequiredPerk> RequiredPerks;
    Char8 DialogPartnerAutoPositioningEnabled;
    Char8 ClearChildren;
    Char8 Permanent;
    Char8 CurrentInfoCommandIndex;
    Char8 InfoIsRunnig;
    Char8 StartChapter;
    Char8 EndChapter;
    Char8 CommentGivenCmdIndex;
    Char48 SmalltalkPartner;
    Char8 SmalltalkGivenCmdIndex;
    Char8 SmalltalkRewind;
    Char8 SmalltalkInnerRange;
    Char8 SmalltalkInnerRangeTestWithLOS;
    Char8 SmalltalkOuterRange;
    Char48 SmalltalkExitRoutineName;
    Char48 SmalltalkPartnerExitRoutineName;
    TesselEngine::TTL::Vector<InfoCommand> InfoCommands;
    TesselEngine::TTL::Vector<InfoCondition> InfoConditions;
    std::uint8_t EditMark = 0;
    // What the file held when the record was read from it; not taken for a new record.
    TesselEngine::FileFingerprint ReadFingerprint;

    // The whole-file template that every info is written from.
    static inline Stream EmptyInfoStream;

    // Every member holds its initial text (see info/MemberTable.h); the lists are empty.
    VaskInfo();

    void ReleaseLists();
    std::uint32_t AddCommand();
    std::uint32_t AddCondition();
    std::uint32_t AddRequiredPerk();

    void SetMainSortID(const char* text);
    void SetSortID(const char* text);
    void SetOwner(const char* text);
    void SetPartner(const char* text);
    void SetInfoGiven(const char* text);
    void SetParent(const char* text);
    void SetQuest(const char* text);
    void SetConditionType(const char* text);
    void SetInfoType(const char* text);
    void SetGameModeType(const char* text);
    void SetGoldCost(const char* text);
    void SetGoldCostScript(const char* text);
    void SetGoldCostItem(const char* text);
    void SetDialogPartnerAutoPositioningEnabled(const char* text);
    void SetClearChildren(const char* text);
    void SetPermanent(const char* text);
    void SetStartChapter(const char* text);
    void SetEndChapter(const char* text);
    void SetSmalltalkPartner(const char* text);
    void SetSmalltalkRewind(const char* text);
    void SetSmalltalkInnerRange(const char* text);
    void SetSmalltalkInnerRangeTestWithLOS(const char* text);
    void SetSmalltalkOuterRange(const char* text);
    void SetSmalltalkExitRoutineName(const char* text);
    void SetSmalltalkPartnerExitRoutineName(const char* text);

    // Reads "Infos/" + name + ".vaskinfo" into this record (which should be fresh).
    // False when the name is not a valid info name or the file cannot be opened.
    bool LoadDataFromFile(const char* name);
    // Reads the file at path, used as it is.
    bool LoadFromAbsolutePath(const char* path);
    // Reads an info from text already in memory.
    void LoadFromStream(Stream& text);
    // The same for text already taken apart (FindInfoRegions), by a caller that needs
    // its regions as well.
    void LoadFromText(std::string_view text, const InfoRegions& regions);
    // Writes the record into a stream sized by GetTextSize, as the file would hold it.
    bool WriteToStream(Stream& output);
    // Writes "Infos/" + Name + ".vaskinfo", replacing an existing file atomically.
    bool WriteDataToFile();
    // An upper bound of what the record adds to the info template when written.
    std::uint32_t GetTextSize();

    static bool LoadEmptyInfo(Char256 path);
    static void UnloadEmptyInfo();
};

} // namespace VaskEdit
