// vaskedit-cli: the editor's library operations for modders' scripts and batch work.
#include "Commands.h"
#include "FolderOption.h"
#include "WorkspaceLocking.h"

#include "engine/Diagnostics.h"
#include "engine/platform/ArgumentTexts.h"
#include "engine/platform/Platform.h"
#include "info/ResourceTemplates.h"
#include "library/Journal.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

using VaskCli::Field;

namespace {
constexpr int UsageError = 2;

Field ChosenField(bool name, bool owner, bool quest, bool guid) {
    if (name)
        return Field::Name;
    if (owner)
        return Field::Owner;
    if (quest)
        return Field::Quest;
    if (guid)
        return Field::Guid;
    return Field::Any;
}

// The argument as typed: on Windows the narrow arguments lose what the code page lacks.
void AsTyped(int argc, char** argv, std::string& argument) {
    const std::vector<std::string> utf8 = TesselEngine::Platform::Utf8Arguments(argc, argv);
    for (int i = argc - 1; i > 0; --i) {
        if (argv[i] == argument) {
            argument = utf8[static_cast<std::size_t>(i)];
            return;
        }
    }
}
} // namespace

int main(int argc, char** argv) {
    // The same bytes on every system: rows end with LF and names pass unchanged.
    TesselEngine::Platform::UseBinaryStandardStreams();
    CLI::App app{"VaskEdit on the command line: split, merge, list, filter, search and check "
                 "the infos of a Vask workspace."};
    app.set_version_flag("--version", std::string("vaskedit-cli ") + VASKEDIT_VERSION);
    app.require_subcommand(1, 1);
    std::string directory;
    app.add_option("-C", directory, "Work in DIR as the current directory")->type_name("DIR");

    auto* split = app.add_subcommand("split", "Split \"w_info.hdrdoc\" into \"Infos/\"");
    auto* merge = app.add_subcommand("merge", "Merge \"Infos/\" into \"Output/new_info.hdrdoc\"");
    bool strictMerge = false;
    merge->add_flag("--strict", strictMerge,
                    "Write nothing when an info of \"w_info.hdrdoc\" has no file in \"Infos/\"");
    auto* cache = app.add_subcommand("cache", "The info cache \"infocache\"");
    cache->require_subcommand(1, 1);
    auto* cacheUpdate = cache->add_subcommand("update", "Rebuild \"infocache\" from \"Infos/\"");
    auto* cacheList = cache->add_subcommand("list", "Print the cached infos");

    bool byName = false, byOwner = false, byQuest = false, byGuid = false;
    std::string text;
    auto* filter = app.add_subcommand("filter", "Filter the info cache (any field by default)");
    auto* fName = filter->add_flag("--name", byName, "Name equals TEXT");
    auto* fOwner = filter->add_flag("--owner", byOwner, "Owner equals TEXT");
    auto* fQuest = filter->add_flag("--quest", byQuest, "Quest equals TEXT");
    fName->excludes(fOwner, fQuest);
    fOwner->excludes(fQuest);
    filter->add_option("TEXT", text, "The text")->required();

    auto* search = app.add_subcommand("search", "Print the infos whose file holds TEXT");
    search->add_option("TEXT", text, "The text")->required();
    bool spoken = false;
    search->add_flag("--text", spoken,
                     "Search the texts the infos show (Say, SaySVM, Description, AddLogText), "
                     "ignoring case");
    auto* owners = app.add_subcommand("owners", "Write \"Owners.txt\" and print the owners");

    auto* templates = app.add_subcommand("templates", "The template cache \"templatecache\"");
    templates->require_subcommand(1, 1);
    auto* tUpdate = templates->add_subcommand("update", "Rebuild \"templatecache\"");
    auto* tList = templates->add_subcommand("list", "Print the cached templates");
    std::string findName, findGuid;
    auto* tFind = templates->add_subcommand("find", "Print the template with a name or GUID");
    auto* findByName = tFind->add_option("--name", findName, "Template name");
    auto* findByGuid = tFind->add_option("--guid", findGuid, "Template GUID with braces");
    findByName->excludes(findByGuid);
    tFind->require_option(1, 1);
    auto* tFilter = templates->add_subcommand("filter", "Filter the template cache");
    auto* tName = tFilter->add_flag("--name", byName, "Name equals TEXT");
    auto* tGuid = tFilter->add_flag("--guid", byGuid, "GUID equals TEXT");
    tName->excludes(tGuid);
    tFilter->add_option("TEXT", text, "The text")->required();

    std::string info;
    auto* show = app.add_subcommand("show", "Print an info as JSON");
    show->add_option("NAME|PATH", info, "Info name in \"Infos/\", or a path with \".vaskinfo\"")
        ->required();
    bool showText = false;
    show->add_flag("--text", showText, "One \"place: value\" line each, for diff and git");
    VaskCli::DiffOptions diffOptions;
    auto* diff = app.add_subcommand(
        "diff", "Print what the infos of \"Infos/\" change against the game document, place "
                "by place (exit 0 equal, 1 different, 2 error)");
    diff->add_option("FILES", diffOptions.files,
                     "Two info files to compare instead (or the seven arguments of git's "
                     "external diff)");
    diff->add_option("--base", diffOptions.base,
                     "A combined document or another workspace to compare with "
                     "(\"w_info.hdrdoc\" otherwise)");
    diff->add_option("--texts", diffOptions.texts,
                     "The folder of the base's text tables: compare display texts too");
    diff->add_flag("--json", diffOptions.json, "The same as JSON");
    diff->add_flag("--stat", diffOptions.stat, "One line an info, with counts");
    std::string mergeBase, mergeOurs, mergeTheirs;
    auto* mergeFile = app.add_subcommand(
        "merge-file", "Merge the changes BASE -> THEIRS into OURS, place by place (git's merge "
                      "driver; exit 1 on a conflict, OURS then unchanged)");
    mergeFile->add_option("BASE", mergeBase, "The common version")->required();
    mergeFile->add_option("OURS", mergeOurs, "Our version; receives the result")->required();
    mergeFile->add_option("THEIRS", mergeTheirs, "Their version")->required();
    auto* resave = app.add_subcommand("resave", "Read an info and write it again into \"Infos/\"");
    resave->add_option("NAME|PATH", info, "Info name in \"Infos/\", or a path with \".vaskinfo\"")
        ->required();
    bool force = false;
    resave->add_flag("--force", force,
                     "Save even when the info does not read back as its file stands");

    auto* check = app.add_subcommand(
        "check", "Check the infos; print one finding a line: severity, info, text");

    std::string value;
    auto* usages = app.add_subcommand("usages", "Print where VALUE is used: info, place");
    usages->add_option("VALUE", value, "The value, without quotes")->required();
    std::string treeOwner, treeQuest;
    auto* tree = app.add_subcommand("tree", "Print the conversations as an indented tree");
    auto* treeByOwner = tree->add_option("--owner", treeOwner, "Only the infos of this owner");
    auto* treeByQuest = tree->add_option("--quest", treeQuest, "Only the infos of this quest");
    treeByOwner->excludes(treeByQuest);
    std::string scriptOwner, scriptQuest, scriptInfo;
    std::vector<int> scriptPath;
    auto* script = app.add_subcommand(
        "script",
        "Print a conversation in the order the player reads it, one choice taken at each step");
    auto* scriptByOwner = script->add_option("--owner", scriptOwner, "Start at this owner's infos");
    auto* scriptByQuest = script->add_option("--quest", scriptQuest, "Start at this quest's infos");
    auto* scriptAtInfo = script->add_option("INFO", scriptInfo, "Start at this info");
    script->add_option("--path", scriptPath, "The choices taken, from 1 (the first otherwise)")
        ->delimiter(',')
        ->type_name("N,N,...");
    scriptByOwner->excludes(scriptByQuest)->excludes(scriptAtInfo);
    scriptByQuest->excludes(scriptAtInfo);
    std::string textId, textValue, textTable = "infosa.csv", textFile, textInto;
    bool dryRun = false, allowEmpty = false;
    auto* textCommand = app.add_subcommand("text", "The text tables' display texts");
    textCommand->require_subcommand(1, 1);
    auto* textGet = textCommand->add_subcommand("get", "Print the display text of ID");
    textGet->add_option("ID", textId, "The text's id")->required();
    textGet->add_option("--table", textTable, "The table (infosa.csv by default)");
    auto* textSet = textCommand->add_subcommand("set", "Change or add the display text of ID");
    textSet->add_option("ID", textId, "The text's id")->required();
    textSet->add_option("TEXT", textValue, "The text")->required();
    textSet->add_option("--table", textTable, "The table (infosa.csv by default)");
    auto* textExport =
        textCommand->add_subcommand("export", "Write every text the infos use to a CSV file");
    textExport->add_option("OUT", textFile, "The CSV file")->required();
    auto* textImport =
        textCommand->add_subcommand("import", "Change the texts a CSV file gives otherwise");
    textImport->add_option("IN", textFile, "The CSV file")->required();
    textImport->add_flag("--dry-run", dryRun, "Print the changes and write nothing");
    textImport->add_flag("--allow-empty", allowEmpty,
                         "Let an empty text cell blank its display text (refused otherwise)");
    std::string textEncoding = "detect";
    textImport
        ->add_option("--encoding", textEncoding,
                     "The file's encoding: utf-8, windows-1252 or detect (UTF-8 when the bytes "
                     "are UTF-8, Windows-1252 otherwise)")
        ->check(CLI::IsMember({"detect", "utf-8", "windows-1252"}))
        ->type_name("ENCODING");
    textImport
        ->add_option("--into", textInto,
                     "Write the changed tables into DIR, leaving these as they are")
        ->type_name("DIR");
    std::string spellDictionary;
    auto* textSpell = textCommand->add_subcommand(
        "spell", "List the words of the display texts that the dictionary and "
                 "\"Dictionary.txt\" do not know (exit 1 when there are some)");
    textSpell
        ->add_option("--dictionary", spellDictionary,
                     "The dictionary, e.g. en_US (the default when installed)")
        ->type_name("NAME");
    std::string replaceFind, replaceWith;
    bool wholeWord = false, matchCase = false;
    auto* textReplace = textCommand->add_subcommand(
        "replace", "Replace FIND by REPLACEMENT in every display text of the tables");
    textReplace->add_option("FIND", replaceFind, "The text to find")->required();
    textReplace->add_option("REPLACEMENT", replaceWith, "What it becomes")->required();
    textReplace->add_flag("--word", wholeWord, "Only whole words");
    textReplace->add_flag("--case", matchCase, "Match case (letters match either case otherwise)");
    textReplace->add_flag("--dry-run", dryRun, "Print the changes and write nothing");

    std::string oldName, newName;
    auto* rename = app.add_subcommand("rename", "Rename an info and every use of its name");
    rename->add_option("OLD", oldName, "The info's name")->required();
    rename->add_option("NEW", newName, "Its new name")->required();

    auto* gitSetup = app.add_subcommand(
        "git-setup", "Add the infos' line to \".gitattributes\" and print the git config to run");

    auto* recover = app.add_subcommand(
        "recover", "Roll back what a killed or failed rename or text import left half done");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return UsageError;
    }

    if (!directory.empty()) {
        // The folder's name as typed: in the Windows code page it may have lost letters.
        const char* given = VaskCli::FolderOption(argc, argv);
        const std::string folder =
            given && directory == given
                ? TesselEngine::Platform::ArgumentTexts(argc, argv).Utf8(given)
                : directory;
        std::error_code error;
        if (!TesselEngine::Platform::ChangeDirectory(folder, error)) {
            std::cerr << "Error: cannot work in \"" << folder << "\": " << error.message() << "\n";
            return 1;
        }
    }
    // The program's real path: argv[0] is a bare name when found on the search path, and
    // a relative one no longer holds after -C.
    VaskEdit::SetResourceRoot(VaskEdit::FindResourceRoot(TesselEngine::Platform::ExecutablePath()));
    // Standard output carries the rows; the library's diagnostic lines go to standard error.
    TesselEngine::Diagnostics::UseStandardError(true);

    const Field field = ChosenField(byName, byOwner, byQuest, byGuid);
    using VaskCli::UnderWorkspaceLock;
    // No command works on a workspace that an unfinished rename or import left half
    // changed. The journal of one that still runs is not touched: its writer holds the lock.
    if (recover->parsed())
        return UnderWorkspaceLock("recover", VaskCli::Recover);
    if (VaskEdit::JournalExists() &&
        UnderWorkspaceLock("recover", [] { return VaskCli::RecoverFirst() ? 0 : 1; }) != 0)
        return 1;
    // The commands that write more than one file, or read a shared file and write it
    // back, hold the workspace lock; the others only read, or write one file of their own.
    const auto dispatch = [&]() -> int {
        if (split->parsed())
            return UnderWorkspaceLock("split", VaskCli::Split);
        if (merge->parsed())
            return UnderWorkspaceLock("merge", [&] { return VaskCli::Merge(strictMerge); });
        if (cacheUpdate->parsed())
            return UnderWorkspaceLock("cache update", VaskCli::CacheUpdate);
        if (cacheList->parsed())
            return VaskCli::CacheList();
        if (filter->parsed())
            return VaskCli::Filter(field, text);
        if (search->parsed())
            return spoken ? VaskCli::SearchText(text) : VaskCli::Search(text);
        if (owners->parsed())
            return VaskCli::Owners();
        if (tUpdate->parsed())
            return UnderWorkspaceLock("templates update", VaskCli::TemplatesUpdate);
        if (tList->parsed())
            return VaskCli::TemplatesList();
        if (tFind->parsed())
            return VaskCli::TemplatesFind(findName, findGuid);
        if (tFilter->parsed())
            return VaskCli::TemplatesFilter(field, text);
        if (show->parsed())
            return VaskCli::Show(info, showText);
        if (mergeFile->parsed())
            return VaskCli::MergeFile(mergeBase, mergeOurs, mergeTheirs);
        if (diff->parsed())
            return VaskCli::Diff(diffOptions);
        if (resave->parsed())
            return UnderWorkspaceLock("resave", [&] { return VaskCli::Resave(info, force); });
        if (check->parsed())
            return VaskCli::Check();
        if (usages->parsed())
            return VaskCli::Usages(value);
        if (tree->parsed()) {
            using VaskEdit::ConversationScope;
            if (treeByOwner->count())
                return VaskCli::Tree(ConversationScope::Owner, treeOwner);
            if (treeByQuest->count())
                return VaskCli::Tree(ConversationScope::Quest, treeQuest);
            return VaskCli::Tree(ConversationScope::All, {});
        }
        if (script->parsed()) {
            using VaskEdit::ConversationScope;
            if (scriptByOwner->count())
                return VaskCli::Script({ConversationScope::Owner, scriptOwner}, scriptPath);
            if (scriptByQuest->count())
                return VaskCli::Script({ConversationScope::Quest, scriptQuest}, scriptPath);
            if (scriptAtInfo->count())
                return VaskCli::Script({ConversationScope::All, scriptInfo}, scriptPath);
            std::cerr << "Error: name an info, --owner or --quest.\n";
            return UsageError;
        }
        if (gitSetup->parsed())
            return VaskCli::GitSetup();
        if (rename->parsed())
            return UnderWorkspaceLock("rename", [&] { return VaskCli::Rename(oldName, newName); });
        if (textGet->parsed())
            return VaskCli::TextGet(textId, textTable);
        if (textSpell->parsed())
            return VaskCli::TextSpell(spellDictionary);
        if (textSet->parsed()) {
            AsTyped(argc, argv, textValue);
            return UnderWorkspaceLock(
                "text set", [&] { return VaskCli::TextSet(textId, textValue, textTable); });
        }
        if (textReplace->parsed()) {
            AsTyped(argc, argv, replaceFind);
            AsTyped(argc, argv, replaceWith);
            const auto replace = [&] {
                return VaskCli::TextReplace(replaceFind, replaceWith, wholeWord, matchCase, dryRun);
            };
            return dryRun ? replace() : UnderWorkspaceLock("text replace", replace);
        }
        if (textExport->parsed())
            return VaskCli::TextExport(textFile);
        if (textImport->parsed()) {
            const auto import = [&] {
                const auto encoding = textEncoding == "utf-8" ? VaskEdit::CsvEncoding::Utf8
                                      : textEncoding == "windows-1252"
                                          ? VaskEdit::CsvEncoding::Windows1252
                                          : VaskEdit::CsvEncoding::Detect;
                return VaskCli::TextImport(textFile, dryRun, textInto, allowEmpty, encoding);
            };
            return dryRun ? import() : UnderWorkspaceLock("text import", import);
        }
        return UsageError;
    };
    const int status = dispatch();
    VaskCli::ReportMissedBackups();
    return status;
}
