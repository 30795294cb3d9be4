#include "core/LanguageTexts.h"

namespace {

const texts::Table& TableOf(TextArrayId id) {
    switch (id) {
    case TextArrayId::English:
        return texts::English;
    case TextArrayId::French:
        return texts::French;
    case TextArrayId::Spanish:
        return texts::Spanish;
    case TextArrayId::Italian:
        return texts::Italian;
    case TextArrayId::Portuguese:
        return texts::Portuguese;
    case TextArrayId::German:
        break;
    }
    return texts::German;
}

const std::array<TextArray, LanguageArrayCount>& AllArrays() {
    static const std::array<TextArray, LanguageArrayCount> arrays = [] {
        std::array<TextArray, LanguageArrayCount> result;
        for (int a = 0; a < LanguageArrayCount; ++a) {
            const texts::Table& table = TableOf(static_cast<TextArrayId>(a));
            for (int i = 0; i < LanguageTextCount; ++i)
                result[a][i] = QString::fromUtf8(table[i] ? table[i] : "");
        }
        return result;
    }();
    return arrays;
}

TextArrayId currentId = TextArrayId::German;

} // namespace

const TextArray& LanguageTexts(TextArrayId id) { return AllArrays()[static_cast<size_t>(id)]; }

const TextArray& CurrentTexts() { return LanguageTexts(currentId); }

TextArrayId CurrentTextArray() { return currentId; }

void SetCurrentTexts(TextArrayId id) { currentId = id; }

TextArrayId TextArrayForLanguage(int languageNumber) {
    switch (languageNumber) {
    case 2:
    case 7:
        return TextArrayId::English;
    case 3:
        return TextArrayId::French;
    case 4:
        return TextArrayId::Spanish;
    case 5:
        return TextArrayId::Italian;
    case 6:
        return TextArrayId::Portuguese;
    default:
        return TextArrayId::German;
    }
}

int LanguageNumberOfCode(const QString& code) {
    static const char* const codes[] = {"de", "en", "fr", "es", "it", "pt", "us"};
    const QString lower = code.trimmed().toLower();
    for (int i = 0; i < 7; ++i)
        if (lower == QLatin1String(codes[i]))
            return i + 1;
    return 0;
}

QString FormatText(const QString& pattern, const QString& argument) {
    QString result = pattern;
    const qsizetype at = result.indexOf(QStringLiteral("%s"));
    if (at >= 0)
        result.replace(at, 2, argument);
    return result;
}
