#pragma once

#include <QString>
#include <QVector>
#include <optional>

// The console's three languages and where their catalogues live. Codes are those the
// registry value "Language" and the controller's "SetLanguage" use.
namespace i18n {

inline constexpr int kEnglish = 0;
inline constexpr int kChinese = 1;
inline constexpr int kTraditional = 2;

struct LanguageRow
{
    int code;
    // Compiled catalogues in the resource root ":/".
    const char *appCatalogue;
    const char *qtCatalogue;
    // The language menu's entry, the same in every language.
    const char *menuText;
};

// The row of `code`; nullptr for a code that names no language.
const LanguageRow *languageRow(int code);
// The codes in the order of the language menu: Simplified Chinese, English, Traditional.
QVector<int> menuOrder();

// "Chinese", "English" and "Traditional Chinese" (the "Language" of typename.ini) as codes;
// nullopt for any other text.
std::optional<int> languageOfTypeName(const QString &typeName);

// The language the console starts in: the operator's last choice (the registry value
// "Language"), or, when none was ever stored, the one typename.ini in `typeNameDir` names.
// nullopt when neither says: the console then shows its source texts.
std::optional<int> startupLanguage(const QString &typeNameDir);

} // namespace i18n
