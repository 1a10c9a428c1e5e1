// The dialog of one command or condition of the info editor's working copy: its type
// chosen from the type list of its kind and its parameters in rows, as the type
// catalogue describes them. InfoCommandForm and InfoConditionForm are its two kinds.
#pragma once

#include "info/EntryTypes.h"
#include "ui/entrydialogs/ParameterForm.h"

#include <map>
#include <string>

namespace VaskEdit {

class EntryForm : public ParameterForm {
    Q_OBJECT

public:
    // No type chosen, no rows.
    void ResetToDefault();
    // Shows the entry (View and Edit): its type and its rows' values, then lets the mode
    // decide what can be changed.
    void LoadGUIFromCommandData();
    // Sets up the rows of the type at that index; -1 for a text that names no type.
    // Runs whenever the type list's text changes to another type.
    void SelectType(int index);

    // Texts that the rows of a new entry start with, by row label, whatever type is
    // chosen (the rows stay editable).
    void SuggestForNewRows(std::map<std::string, std::string> byLabel) {
        suggestions = std::move(byLabel);
    }

    // Stores the rows into the entry and closes with Accepted (View: as Cancel).
    void Save() override;

protected:
    EntryForm(EntryKind kind, EntryEditMode mode, QWidget* parent);

    // The entry behind the dialog.
    virtual std::string StoredName() const = 0;
    virtual TypeRefusal Refusal(const EntryType* selected, std::string_view typeText) const = 0;
    virtual std::vector<RowValue> LoadRows(const EntryType* type) const = 0;
    virtual bool Store(const EntryType* selected, std::string_view typeText,
                       std::span<const RowValue> values) = 0;
    // Run after the rows changed: a type was chosen or the entry was loaded.
    virtual void RowsChanged() {}
    const EntryType* Selected() const;

    int TypeIndexOf(std::string_view text) const override;
    void OnTypeChosen(int index) override;
    void RefreshSaveState() override;

private:
    void FillSuggestions(const EntryType& type);

    EntryKind kind;
    std::map<std::string, std::string> suggestions;
};

// The dialog over an entry of one kind.
template <typename Entry> class EntryFormOf : public EntryForm {
protected:
    EntryFormOf(Entry& entry, EntryEditMode mode, QWidget* parent)
        : EntryForm(EntryRef<Entry>::Kind, mode, parent), entry(entry) {
        ResetToDefault();
        FollowTypeText();
    }

    std::string StoredName() const override { return EntryRef<Entry>::Name(entry); }
    TypeRefusal Refusal(const EntryType* selected, std::string_view typeText) const override {
        return RefusalOf(entry, selected, typeText);
    }
    std::vector<RowValue> LoadRows(const EntryType* type) const override {
        return LoadEntryRows(entry, type);
    }
    bool Store(const EntryType* selected, std::string_view typeText,
               std::span<const RowValue> values) override {
        return StoreEntry(entry, selected, typeText, values);
    }

    Entry& entry;
};

} // namespace VaskEdit
