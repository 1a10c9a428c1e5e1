#include "library/CheckReport.h"

#include "engine/File.h"
#include "engine/String.h"
#include "info/EntryBlocks.h"
#include "info/InfoFileName.h"
#include "info/InfoRefConversion.h"
#include "info/InfoValues.h"
#include "info/MemberTable.h"
#include "info/ParameterSchema.h"
#include "info/SaveCheck.h"
#include "info/SaveTarget.h"
#include "info/TextTable.h"
#include "info/ValueShape.h"
#include "info/VaskInfo.h"
#include "library/InfoManager.h"
#include "library/TemplateManager.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

namespace VaskEdit {

namespace {

using TesselEngine::IO::Stream;
using TesselEngine::WinAPI::File;

constexpr const char* TemplateCacheFile = "templatecache";

// The kinds in the order in which one info's findings are listed.
enum class Kind {
    Workspace,
    Unreadable,
    Damaged,
    NoName,
    NameTooLong,
    NameNotAFileName,
    NameMismatch,
    CaseClash,
    Parent,
    NoChoice,
    UnknownItem,
    MissingText,
    LostBlock,
    KeptBlock,
    ChangedOnSave,
};

struct Entry {
    Kind kind;
    Finding finding;
};

std::string Upper(std::string_view text) {
    std::string upper(text);
    TesselEngine::String::ToUpper(upper.data(), upper.size());
    return upper;
}

// A value as a finding shows it; a control byte would break the line of a list.
std::string Shown(std::string_view value) {
    std::string shown;
    for (const char c : value)
        shown.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
    return shown;
}

std::string Quoted(std::string_view value) {
    return "\"" + Shown(value) + "\"";
}

// "command 3 (Give)": numbered from 1, as the editor's lists show them.
std::string Where(const char* what, std::uint32_t index, std::string_view type) {
    return std::string(what) + " " + std::to_string(index + 1) + " (" +
           (type.empty() ? std::string("no type") : Shown(type)) + ")";
}

// A row's member as the file names it: the full name after the type tag of a row
// with a short label, the label otherwise.
std::string_view MemberName(const Parameter& row) {
    const std::size_t end = row.typeTag.find("] ");
    return end == std::string_view::npos ? row.label : row.typeTag.substr(end + 2);
}

bool IsZeroGuid(std::string_view guid) {
    bool digit = false;
    for (const char c : guid) {
        if (c == '0')
            digit = true;
        else if (c != '{' && c != '}' && c != '-')
            return false;
    }
    return digit;
}

class Checker {
public:
    Checker() {
        templatesLoaded = VaskInfo::EmptyInfoStream.GetSize() > 0;
        if (!templatesLoaded)
            AddWorkspace("the resource templates are not loaded, so no file was compared with "
                         "what saving it would write");
        ReadTemplateCache();
        // Before any info is read: reading an info creates a missing table empty.
        for (const EntryType& type : EntryTypes(EntryKind::Command)) {
            const std::string table(type.textTable);
            if (table.empty() || tables.count(table))
                continue;
            std::uint64_t size = 0;
            std::int64_t modified = 0;
            tables[table] =
                TesselEngine::Platform::QueryStamp(table.c_str(), &size, &modified) && size > 0;
            if (tables[table])
                CheckTableLines(table);
        }
    }

    // Lines of a text table that the reader passes over: their texts are lost to the game
    // and the editor alike.
    void CheckTableLines(const std::string& table) {
        constexpr std::size_t Named = 10;
        const std::vector<std::size_t> lines = TextTables::UnsplittableLines(table.c_str());
        for (std::size_t i = 0; i < lines.size() && i < Named; ++i)
            AddWorkspace("text table " + Quoted(table) + " line " + std::to_string(lines[i]) +
                         " cannot be split into an id and its texts");
        if (lines.size() > Named)
            AddWorkspace("text table " + Quoted(table) + " has " +
                         std::to_string(lines.size() - Named) +
                         " more lines that cannot be split into an id and its texts");
    }

    void TakeNames(const std::vector<std::string>& files) {
        std::map<std::string, std::vector<std::string>> byUpper;
        for (const auto& file : files) {
            const std::string name = InfoNameOf(file);
            names.insert(name);
            byUpper[Upper(name)].push_back(name);
        }
        for (const auto& [upper, group] : byUpper) {
            upperNames[upper] = group.front();
            if (group.size() < 2)
                continue;
            for (const auto& name : group) {
                std::string others;
                for (const auto& other : group) {
                    if (other != name)
                        others += (others.empty() ? "" : ", ") + Quoted(other);
                }
                Add(Kind::CaseClash, Severity::Error, name,
                    "its name differs only in case from " + others +
                        "; on Windows they are one file");
            }
        }
    }

    void CheckFile(const std::string& file) {
        const std::string name = InfoNameOf(file);
        Stream text;
        File handle(TesselEngine::Char256(InfoDirectoryName), file.c_str());
        if (!handle.LoadWhole(text)) {
            Add(Kind::Unreadable, Severity::Error, name, "the file cannot be read");
            return;
        }
        const std::string_view bytes(text.GetBuffer() ? text.GetBuffer() : "", text.GetSize());
        VaskInfo info;
        info.LoadFromStream(text);
        const InfoRegions regions = FindInfoRegions(bytes);
        const std::string damage = StructureDamage(bytes, regions);
        if (!damage.empty())
            Add(Kind::Damaged, Severity::Error, name,
                "its structure is damaged (" + damage +
                    "); the editor shows a guess of it, and saving is refused");
        CheckName(name, bytes, info);
        CheckValues(name, bytes, regions);
        CheckParent(name, info);
        CheckItem(name, "GoldCostItem", info.GoldCostItem.View());
        for (std::uint32_t i = 0; i < info.RequiredPerks.GetSize(); ++i) {
            if (!info.RequiredPerks[i].PreservedBlock.empty())
                AddKeptWhole(name, Where("perk", i, "kept"));
        }
        for (std::uint32_t i = 0; i < info.InfoCommands.GetSize(); ++i)
            CheckEntry(name, "command", i, info.InfoCommands[i]);
        for (std::uint32_t i = 0; i < info.InfoConditions.GetSize(); ++i)
            CheckEntry(name, "condition", i, info.InfoConditions[i]);
        if (templatesLoaded)
            CheckSaving(name, bytes, info, damage);
    }

    std::vector<Finding> Sorted() {
        std::vector<std::string> upper;
        upper.reserve(entries.size());
        std::vector<std::size_t> order;
        order.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            upper.push_back(Upper(entries[i].finding.infoName));
            order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            if (upper[a] != upper[b])
                return upper[a] < upper[b];
            const Entry& x = entries[a];
            const Entry& y = entries[b];
            if (x.finding.infoName != y.finding.infoName)
                return x.finding.infoName < y.finding.infoName;
            return x.kind < y.kind;
        });
        std::vector<Finding> findings;
        findings.reserve(entries.size());
        for (const std::size_t i : order)
            findings.push_back(std::move(entries[i].finding));
        return findings;
    }

private:
    // The file name without its extension (which the scan matched without case). A
    // file called just ".vaskinfo" keeps its whole name, so that it is not taken for
    // the workspace.
    static std::string InfoNameOf(const std::string& file) {
        const std::size_t extension = std::strlen(InfoExtension);
        return file.size() > extension ? file.substr(0, file.size() - extension) : file;
    }

    void Add(Kind kind, Severity severity, const std::string& info, std::string text) {
        entries.push_back({kind, {severity, info, std::move(text)}});
    }

    void AddWorkspace(std::string text) {
        Add(Kind::Workspace, Severity::Warning, "", std::move(text));
    }

    void ReadTemplateCache() {
        TesselEngine::TTL::Vector<VaskTemplateCache> records;
        haveTemplateCache = TemplateManager::ReadCacheFile(records);
        if (!haveTemplateCache) {
            AddWorkspace(Quoted(TemplateCacheFile) + " is missing or empty, so item GUIDs were "
                                                     "not checked; update the template cache");
            return;
        }
        for (const auto& record : records)
            guids.insert(Upper(record.GUID.View()));
    }

    void CheckName(const std::string& name, std::string_view bytes, const VaskInfo& info) {
        const std::string inside = NameInFile(bytes);
        if (inside.empty()) {
            Add(Kind::NoName, Severity::Error, name, "the file holds no info name");
            return;
        }
        if (info.Name.View() != inside) { // the reader cut it
            Add(Kind::NameTooLong, Severity::Error, name,
                "the name " + Quoted(inside) + " is too long: " + std::to_string(inside.size()) +
                    " characters, of which the editor reads " + std::to_string(info.Name.Length()));
            return;
        }
        if (!IsValidInfoName(inside)) {
            Add(Kind::NameNotAFileName, Severity::Error, name,
                "the name " + Quoted(inside) +
                    " cannot be a file name (no / \\ : * ? \" < > | or control characters)");
            return;
        }
        if (inside != name)
            Add(Kind::NameMismatch, Severity::Error, name,
                "the file holds the info " + Quoted(inside) + ", which the editor saves as " +
                    Quoted(std::string(InfoDirectoryName) + inside + InfoExtension));
    }

    void CheckParent(const std::string& name, const VaskInfo& info) {
        const std::string parent = info.Parent.Str();
        if (parent.empty() || names.count(parent))
            return;
        const auto similar = upperNames.find(Upper(parent));
        if (similar != upperNames.end())
            Add(Kind::Parent, Severity::Warning, name,
                "the parent info " + Quoted(parent) + " exists only as " + Quoted(similar->second) +
                    " (other case)");
        else
            Add(Kind::Parent, Severity::Error, name,
                "the parent info " + Quoted(parent) + " is not in " + Quoted(InfoDirectoryName));
    }

    void CheckItem(const std::string& name, const std::string& where, std::string_view guid) {
        if (!haveTemplateCache || guid.empty() || IsZeroGuid(guid) || guids.count(Upper(guid)))
            return;
        Add(Kind::UnknownItem, Severity::Warning, name,
            where + ": the item " + Shown(guid) + " is not in " + Quoted(TemplateCacheFile));
    }

    // The template id rows of the type, read from the entry as the editor's dialogs
    // read them.
    template <typename Entry>
    void CheckItemRows(const std::string& name, const std::string& where, const EntryType& type,
                       const Entry& entry) {
        for (const auto& row : type.Rows()) {
            if (row.kind == RowKind::TemplateId)
                CheckItem(name, where, GetSlot(entry, row.slot));
        }
    }

    // Every value the file holds for a member that is not text: one that is empty or a
    // prefix alone, or that names none of its choices, the game cannot read.
    void CheckValues(const std::string& name, std::string_view bytes, const InfoRegions& regions) {
        ForEachValue(
            bytes, regions,
            [&](const ValueAt& at) {
                if (!at.token.empty() && at.token.front() == '"')
                    return; // text, which may be anything
                const std::string problem = ValueProblem(at);
                if (!problem.empty())
                    Add(Kind::NoChoice, Severity::Error, name, problem);
            },
            true);
    }

    static std::string ValueProblem(const ValueAt& at) {
        const Place& place = at.place;
        std::string where;
        std::string_view member;
        const ChoiceList* choices = nullptr;
        if (place.list == PlaceList::Member) {
            const InfoMember& info = InfoMemberTable()[place.field];
            if (info.unquote)
                return {};
            member = info.name;
            choices = info.choices;
            if (info.field == FieldKind::Check || info.name == "InfoIsRunnig")
                choices = &YesNoList;
        } else if (place.list == PlaceList::Perk) {
            where = "perk " + std::to_string(place.entry + 1) + ": ";
            if (!place.IsKeptValue()) {
                member = SlotName(place.SlotOf());
                if (place.SlotOf() == Slot::InvertTest)
                    choices = &YesNoList;
                else if (place.SlotOf() == Slot::Perk && !IsUnreadableValue(at.value) &&
                         !NamesChoice({{}, SkillPrefix, SkillNames()}, at.value))
                    return where + "Perk is " + Quoted(at.value) + ", which names no skill";
            }
        } else {
            const bool command = place.list == PlaceList::Command;
            const EntryKind kind = command ? EntryKind::Command : EntryKind::Condition;
            std::string_view type = at.entryClass;
            if (type.starts_with(ClassPrefix(kind)))
                type.remove_prefix(ClassPrefix(kind).size());
            where = Where(command ? "command" : "condition", place.entry, type) + ": ";
            const EntryType* entryType = place.IsKeptValue() ? nullptr : FindClassType(kind, type);
            if (entryType) {
                for (const Parameter& row : entryType->parameters) {
                    if (row.slot == place.SlotOf()) {
                        member = MemberName(row);
                        choices = row.choices;
                    }
                }
            }
        }
        if (member.empty())
            member = "a value of its block";
        if (IsUnreadableValue(at.value))
            return where + std::string(member) + " is " +
                   (at.value.empty() ? std::string("empty") : "only " + Quoted(at.value)) +
                   (choices ? ", which names none of its values" : ", which the game cannot read");
        if (choices && !NamesChoice(*choices, at.value))
            return where + std::string(member) + " is " + Quoted(at.value) +
                   ", which names none of its values";
        return {};
    }

    // A command or condition as the dialogs see it: one that the info would not write is
    // an error; a kept block is noted; the values of one written from its fields must
    // name their choices; its items must be known and its text in its table.
    template <typename Record>
    void CheckEntry(const std::string& name, const char* what, std::uint32_t index,
                    const Record& record) {
        using Traits = EntryRecord<Record>;
        const std::string where = Where(what, index, Traits::Name(record).View());
        const auto entry = MakeEntryRef(record);
        if (!IsWritable(entry)) {
            Add(Kind::LostBlock, Severity::Error, name,
                where + ": the block of this unknown type is damaged; saving the info would "
                        "drop it");
            return;
        }
        const EntryType* type = FindClassType(Traits::Kind, Traits::TypeIndex(record));
        if (!type) {
            Add(Kind::KeptBlock, Severity::Warning, name,
                where + ": the editor does not support this type; its block is kept unchanged");
            return;
        }
        if (!record.PreservedBlock.empty())
            AddKeptWhole(name, where);
        CheckItemRows(name, where, *type, entry);
        if constexpr (std::is_same_v<Record, InfoCommand>) {
            const std::string table(type->textTable);
            if (!table.empty() && !record.LocString.IsEmpty() && TableUsable(table) &&
                !TextTables::Contains(table.c_str(), record.LocString.View()))
                Add(Kind::MissingText, Severity::Warning, name,
                    where + ": the text " + Quoted(record.LocString.View()) + " is not in " +
                        Quoted(table));
        }
    }

    static InfoCommandRef MakeEntryRef(const InfoCommand& command) {
        return MakeCommandRef(command);
    }
    static InfoConditionRef MakeEntryRef(const InfoCondition& condition) {
        return MakeConditionRef(condition);
    }

    // A block of a supported type that its template cannot write back whole.
    void AddKeptWhole(const std::string& name, const std::string& where) {
        Add(Kind::KeptBlock, Severity::Warning, name,
            where + ": its block holds more than the editor's fields for this type (another "
                    "version, an annotation, a long value or an unknown member); it is kept "
                    "unchanged");
    }

    // A table that was missing or empty before the check is reported once, not at
    // every text that it cannot hold.
    bool TableUsable(const std::string& table) {
        if (tables[table])
            return true;
        if (reportedTables.insert(table).second)
            AddWorkspace("text table " + Quoted(table) +
                         " is missing or empty, so its texts were not checked");
        return false;
    }

    void CheckSaving(const std::string& name, std::string_view bytes, VaskInfo& info,
                     const std::string& damage) {
        const SaveComparison saving = CompareSave(info, bytes, 1, &damage);
        // Damage and the values the file itself holds unreadable are said on their own.
        if (!saving.changed || !saving.damage.empty() ||
            (saving.changedLines == 0 && !saving.unwritable))
            return;
        if (saving.unwritable) {
            Add(Kind::ChangedOnSave, Severity::Error, name,
                "the editor cannot write this info again (it is too large)");
            return;
        }
        const std::string from = " (from line " +
                                 std::to_string(saving.first.empty() ? 1 : saving.first[0].line) +
                                 " on)";
        if (saving.losesContent)
            Add(Kind::ChangedOnSave, Severity::Error, name,
                "saving it would drop or cut some of its text" + from);
        else
            Add(Kind::ChangedOnSave, Severity::Warning, name,
                "saving it would change its layout" + from);
    }

    std::vector<Entry> entries;
    bool templatesLoaded = false;
    bool haveTemplateCache = false;
    std::unordered_set<std::string> guids;                   // upper case
    std::unordered_set<std::string> names;                   // of the info files
    std::unordered_map<std::string, std::string> upperNames; // upper case -> one name
    std::map<std::string, bool> tables;                      // usable at the start
    std::set<std::string> reportedTables;
};

} // namespace

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::vector<Finding> CheckInfoDirectory(const Jobs::ProgressFn& progress,
                                        const Jobs::CancelFn& cancel, bool* cancelled,
                                        TesselEngine::Failure* failure) {
    if (cancelled)
        *cancelled = false;
    std::vector<std::string> files;
    if (!InfoManager::ListInfoFiles(files)) {
        if (failure)
            *failure = TesselEngine::LastFailure();
        return {};
    }
    Checker checker;
    checker.TakeNames(files);
    Jobs::ProgressReporter reporter(progress);
    for (std::size_t i = 0; i < files.size(); ++i) {
        checker.CheckFile(files[i]);
        reporter.Report(Jobs::Percent(i + 1, files.size()), i + 1, files.size());
        if (cancel && cancel()) {
            if (cancelled)
                *cancelled = true;
            break;
        }
    }
    return checker.Sorted();
}

} // namespace VaskEdit
