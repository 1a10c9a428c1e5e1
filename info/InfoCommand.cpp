#include "info/InfoCommand.h"
#include "engine/Member.h"
#include "info/EntryBlocks.h"
#include "info/ListEntries.h"
#include "info/TextTable.h"

namespace VaskEdit {

void InfoCommand::SetCommand(const char* text) {
    TesselEngine::SetMember(Command, text);
}
void InfoCommand::SetEntity1(const char* text) {
    TesselEngine::SetMember(Entity1, text);
}
void InfoCommand::SetEntity2(const char* text) {
    TesselEngine::SetMember(Entity2, text);
}
void InfoCommand::SetEntity3(const char* text) {
    TesselEngine::SetMember(Entity3, text);
}
void InfoCommand::SetID1(const char* text) {
    TesselEngine::SetMember(ID1, text);
}
void InfoCommand::SetID2(const char* text) {
    TesselEngine::SetMember(ID2, text);
}
void InfoCommand::SetID3(const char* text) {
    TesselEngine::SetMember(ID3, text);
}
void InfoCommand::SetLocString(const char* text) {
    TesselEngine::SetMember(LocString, text);
}
void InfoCommand::SetText(const char* text) {
    TesselEngine::SetMember(Text, text);
}
void InfoCommand::SetValue(const char* text, std::uint32_t index) {
    if (index < Value.size())
        TesselEngine::SetMember(Value[index], text);
}

void InfoCommand::ClearSlots() {
    const std::uint32_t type = CommandTypeIndex;
    *this = InfoCommand{};
    CommandTypeIndex = type;
}

bool IsSupportedCommandType(std::uint32_t value) {
    return FindClassType(EntryKind::Command, value) != nullptr;
}

bool ReadCommandBlock(Stream& source, InfoCommand& command) {
    if (ReadNextEntry(source, command, ReadEntry<InfoCommand>))
        return true;
    command.ClearSlots();
    return false;
}

bool WriteCommandBlock(Stream& output, InfoCommand& command) {
    return WriteEntryBlock(output, command);
}

std::uint32_t MeasureCommand(const VaskInfo*, InfoCommand& command) {
    return MeasureEntry(command);
}

void LookUpLocText(const char* fileName, InfoCommand& command) {
    TesselEngine::SetMember(command.Text, "");
    const std::string text = TextTables::LookUp(fileName, command.LocString.View());
    command.Text.Assign(text.data(), text.size());
}

std::uint16_t SelectCommandIndex(const char* text) {
    if (const EntryType* type =
            FindClassType(EntryKind::Command, std::string_view(text ? text : "")))
        return static_cast<std::uint16_t>(type->value);
    return 0;
}

} // namespace VaskEdit
