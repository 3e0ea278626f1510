#include "i18n/languages.h"

#include "platform/platformpaths.h"
#include "uikit/helpers.h"

#include <QSettings>

namespace i18n {

namespace {
constexpr LanguageRow kRows[] = {
    {kEnglish, "lang_English.qm", "qt_en.qm", "English"},
    {kChinese, "lang_Chinese.qm", "qt_zh_CN.qm", "简体中文"},
    {kTraditional, "lang_fanti.qm", "qt_zh_TW.qm", "繁體中文"},
};
} // namespace

const LanguageRow *languageRow(int code)
{
    for (const LanguageRow &row : kRows) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

QVector<int> menuOrder()
{
    return {kChinese, kEnglish, kTraditional};
}

std::optional<int> languageOfTypeName(const QString &typeName)
{
    if (typeName == QLatin1String("Chinese"))
        return kChinese;
    if (typeName == QLatin1String("English"))
        return kEnglish;
    if (typeName == QLatin1String("Traditional Chinese"))
        return kTraditional;
    return std::nullopt;
}

std::optional<int> startupLanguage(const QString &typeNameDir)
{
    // A choice the operator made wins over the installation's default: otherwise every
    // start would undo it where typename.ini names a language.
    const auto registry = platform::lastConnectSettings();
    const QString key = QStringLiteral("Language");
    if (registry->contains(key)) {
        bool ok = false;
        const int code = registry->value(key).toInt(&ok);
        if (ok && languageRow(code))
            return code;
    }
    return languageOfTypeName(uikit::readTypeNameIni(QStringLiteral("Software"), key, typeNameDir));
}

} // namespace i18n
