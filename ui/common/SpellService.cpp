#include "ui/common/SpellService.h"

#include "engine/Failure.h"

#include <QSettings>

namespace VaskEdit {

namespace {
const char* const DictionaryKey = "spellDictionary";

QSettings UserSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "VaskEdit", "VaskEdit");
}

std::filesystem::path Workspace() {
    std::error_code error;
    return std::filesystem::current_path(error);
}
} // namespace

SpellService& SpellService::Shared() {
    static SpellService* shared = new SpellService; // lives as long as the program
    return *shared;
}

QStringList SpellService::InstalledDictionaries() {
    QStringList names;
    for (const std::string& name : Spelling::InstalledDictionaries())
        names << QString::fromStdString(name);
    return names;
}

QString SpellService::ChosenDictionary() const {
    if (!setting)
        setting = UserSettings().value(DictionaryKey).toString();
    if (!setting->isEmpty() && Spelling::IsInstalled(setting->toStdString()))
        return *setting;
    return QString::fromStdString(Spelling::DefaultDictionary());
}

void SpellService::ChooseDictionary(const QString& name) {
    UserSettings().setValue(DictionaryKey, name);
    setting = name;
    opened = false;
    emit changed();
}

void SpellService::Open() {
    const QString dictionary = ChosenDictionary();
    const std::filesystem::path workspace = Workspace();
    if (opened && workspace == openedIn && dictionary == openedDictionary)
        return;
    opened = true;
    openedIn = workspace;
    openedDictionary = dictionary;
    checker.reset();
    failure.clear();
    if (!Available()) {
        failure = Spelling::NotAvailableText;
        return;
    }
    if (dictionary.isEmpty()) {
        failure = "No dictionary is installed";
        return;
    }
    std::string why;
    checker = Spelling::OpenWorkspaceChecker(dictionary.toStdString(), &why);
    if (!checker)
        failure = QString::fromStdString(why);
}

Spelling::Checker* SpellService::Checker() {
    Open();
    return checker.get();
}

QString SpellService::Unavailable() {
    Open();
    return failure;
}

bool SpellService::AddToDictionary(const QString& word, QString* reason) {
    const std::string utf8 = word.toStdString();
    if (const std::string refusal = Spelling::WordRefusal(utf8); !refusal.empty()) {
        if (reason)
            *reason = QString::fromStdString(refusal);
        return false;
    }
    if (!Spelling::AddToWordList(utf8)) {
        if (reason)
            *reason =
                QString::fromStdString(TesselEngine::FailureMessage(TesselEngine::LastFailure()));
        return false;
    }
    if (Spelling::Checker* open = Checker())
        open->Add(utf8);
    emit changed();
    return true;
}

} // namespace VaskEdit
