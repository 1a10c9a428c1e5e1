// What the command, condition and required-perk dialogs show: the type lists, each
// type's description line and parameter rows, the row kinds with their presentation,
// the choice lists with the prefix under which a choice is stored, and the rules that
// turn a stored slot text into the text a row shows and back.
//
// Everything here is constant data of the program; the dialogs only read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace VaskEdit {

// ---------------------------------------------------------------------------------
// Row kinds

enum class RowKind { Text, Number, Decimal, TemplateId, YesNo, Choice };

struct Argb {
    std::uint8_t alpha;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// How a row of a kind is presented.
struct RowKindStyle {
    int width;                    // width of the row's control
    bool hasBackground;           // whether the control gets `background`
    Argb background;              // background colour of text boxes
    std::string_view initialText; // content of a freshly set-up row
    std::string_view inputMask;   // in the game's notation; empty for no mask
    bool usesList;                // a drop-down list without free typing, not a text box
    bool startsReadOnly;          // set up read-only (the dialog decides when it is editable)
};

const RowKindStyle& RowKindPresentation(RowKind kind);

// Whether the control of the kind can show the text unchanged. A text that does not
// fit a masked box would be altered by it; the dialogs use this to spot such values.
// Kinds without a mask take any text; an empty text fits every kind.
bool FitsInputMask(RowKind kind, std::string_view text);

// ---------------------------------------------------------------------------------
// Slots of the working-copy entries that a row loads from and stores into.
//
// Commands have Entity1..Entity3, ID1..ID3, LocString and Value0..Value14; conditions
// have Entity1, Entity2, ID1..ID4 and LocString; required perks have Value and
// InvertTest.

enum class Slot {
    Entity1,
    Entity2,
    Entity3,
    ID1,
    ID2,
    ID3,
    ID4,
    LocString,
    Value0,
    Value1,
    Value2,
    Value3,
    Value4,
    Value5,
    Value6,
    Value7,
    Value8,
    Value9,
    Value10,
    Value11,
    Value12,
    Value13,
    Value14,
    Value,     // required perk: the required value
    InvertTest // required perk: "True" or "False"
};

inline constexpr int CommandValueCount = 15;

// Value0 + index for index 0..14.
Slot CommandValueSlot(int index);
// 0..14 for Value0..Value14, -1 for every other slot.
int CommandValueIndex(Slot slot);
// The slot's member name, e.g. "ID1", "Value12", "InvertTest".
std::string_view SlotName(Slot slot);
// How many characters the slot's record member keeps (the record setters cut longer
// texts, and an 8-character member ignores a longer text altogether).
std::size_t SlotCapacity(Slot slot);

// The characters that a value kept in a member of that capacity cannot hold, because
// the file reader ends the value at them or drops them, so that it would come back
// cut: every value ends at a line end, a zero byte, "/" or ";" and loses its double
// quotes; a short value (up to 48 characters) also ends at a blank, while the long
// text (512) keeps blanks but loses "<" and ">". The editor's boxes refuse them.
std::string_view RefusedCharacters(std::size_t capacity);
// Whether the text holds none of the characters refused for that capacity.
bool HoldsOnlyReadableCharacters(std::size_t capacity, std::string_view text);

// ---------------------------------------------------------------------------------
// Choice lists

struct ChoiceList {
    std::string_view typeTag; // the enumeration's name, e.g. "gEQuestActor"; "bool" for yes/no
    std::string_view prefix;  // stored in front of a chosen name; empty for yes/no
    std::span<const std::string_view> names; // in list order
};

// The nine enumerations that choice rows offer.
enum class Enumeration {
    QuestActor,
    OtherType,
    ForcedDialogCam,
    GameVarCompare,
    ExecutionTimestampCompare,
    InfoNPCStatus,
    InfoQuestStatus,
    CompareOperation,
    Skill
};

inline constexpr int EnumerationCount = 9;

const ChoiceList& Choices(Enumeration enumeration);
// All nine, in the order of `Enumeration`.
std::span<const ChoiceList> AllChoiceLists();
// The list of yes/no rows: no prefix, "False" and "True".
const ChoiceList& YesNoChoices();

// The skill names (the gESkill list), also the type list of the required-perk dialog.
std::span<const std::string_view> SkillNames();
inline constexpr std::string_view SkillPrefix = "gESkill_";

// Position of name in the list (exact, case-sensitive); -1 when it is none of them.
int FindChoice(const ChoiceList& list, std::string_view name);

// ---------------------------------------------------------------------------------
// Rows and type schemas

struct ParameterRow {
    std::string_view label;
    std::string_view typeTag; // "[ type ]", for long member names followed by the full name
    RowKind kind;
    Slot slot;
    const ChoiceList* choices; // choice and yes/no rows; null for all others
};

struct TypeSchema {
    std::string_view entry;       // the text of the type list's entry
    std::string_view name;        // the game's short type name
    std::string_view description; // the line shown above the rows; may be empty
    std::span<const ParameterRow> rows;
    bool canSave;    // whether the dialog may save an entry of this type
    bool usesValues; // saving sets the command's UseValues
};

// Command types: 60 entries, index = the game's command type value.
int CommandSchemaCount();
const TypeSchema* CommandSchema(int index); // null when out of range
// Index of the entry whose list text equals text exactly; -1 when none does.
int CommandEntryIndex(std::string_view entryText);
// Index of the type whose short name equals name exactly (the unused types included);
// -1 for any other text. This selects the entry for a stored command name.
int CommandNameIndex(std::string_view shortName);

// Condition types: 16 entries, index = the game's condition type value.
int ConditionSchemaCount();
const TypeSchema* ConditionSchema(int index);
int ConditionEntryIndex(std::string_view entryText);
int ConditionNameIndex(std::string_view shortName);

// The two fixed rows of the required-perk dialog.
std::span<const ParameterRow> PerkRows();

// ---------------------------------------------------------------------------------
// Load and store rules

// The text a list shows for a stored text: the stored text with as many leading
// characters removed as the prefix has, when the stored text is longer than the prefix.
// The removed characters are not compared with the prefix.
std::string ShownChoiceText(const ChoiceList& list, std::string_view stored);
// What a list stores for a shown text: the prefix followed by it (the prefix alone for
// an empty text).
std::string StoredChoiceText(const ChoiceList& list, std::string_view shown);
// As above, but when shown is none of the list's names and is what the list showed for
// original, original is stored unchanged: a value the list cannot offer survives as long
// as the user picks nothing else.
std::string StoredChoiceText(const ChoiceList& list, std::string_view shown,
                             std::string_view original);

// The same rules per row: list rows (choice, yes/no) follow their list, every other
// row shows and stores its text unchanged.
std::string ShownText(const ParameterRow& row, std::string_view stored);
std::string StoredText(const ParameterRow& row, std::string_view shown);
std::string StoredText(const ParameterRow& row, std::string_view shown, std::string_view original);
// Position of the list entry that a shown text names; -1 when it names none, or when
// the row has no list.
int ChoiceIndex(const ParameterRow& row, std::string_view shown);
bool MatchesChoice(const ParameterRow& row, std::string_view shown);
// What a freshly set-up row holds: its kind's initial text, and for a list row its
// first name, so that a new entry never stores an empty choice.
std::string InitialRowText(const ParameterRow& row);
// Whether a list row's stored text names no choice at all: it is empty or only the
// list's prefix. The game cannot read such a value.
bool LacksChoice(const ParameterRow& row, std::string_view stored);

// Required perks: the stored perk is "gESkill_" followed by a skill name.
std::string ShownPerkText(std::string_view stored);
std::string StoredPerkText(std::string_view shown);
std::string StoredPerkText(std::string_view shown, std::string_view original);
bool MatchesSkill(std::string_view shown);

} // namespace VaskEdit
