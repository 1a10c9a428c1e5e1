// The spell checker the windows share: the dictionary chosen in the settings (the
// preferred one by default) with the workspace's word list "Dictionary.txt" added, and
// the adding of words to that list. Opened when first needed and again when the
// dictionary or the workspace changes.
#pragma once

#include "spell/Spelling.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>

namespace VaskEdit {

class SpellService : public QObject {
    Q_OBJECT

public:
    static SpellService& Shared();

    static bool Available() { return Spelling::Available(); }
    static QStringList InstalledDictionaries();
    // The dictionary of the user's settings when it is installed, else the default.
    QString ChosenDictionary() const;
    void ChooseDictionary(const QString& name);

    // The checker for the current workspace; null when none can be opened.
    Spelling::Checker* Checker();
    // Why Checker() is null; empty while it is not.
    QString Unavailable();

    // Writes the word to the workspace's list and knows it from now on; false, with the
    // reason, when the list cannot be written.
    bool AddToDictionary(const QString& word, QString* failure);

signals:
    // What the checker knows changed: texts shown are checked again.
    void changed();

private:
    SpellService() = default;
    void Open();

    // The user's setting, read once: the highlighter asks for the checker on every key.
    mutable std::optional<QString> setting;
    std::unique_ptr<Spelling::Checker> checker;
    std::filesystem::path openedIn;
    QString openedDictionary;
    QString failure;
    bool opened = false;
};

} // namespace VaskEdit
