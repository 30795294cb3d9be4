#pragma once

#include <QString>

#include <array>

// The table of every caption and message that depends on the user's language: six arrays of equal
// layout (German, English, French, Spanish, Italian, Portuguese). Slot N of the current array is
// "text N" everywhere in the program.
inline constexpr int LanguageTextCount = 285;
inline constexpr int LanguageArrayCount = 6;

enum class TextArrayId { German = 0, English, French, Spanish, Italian, Portuguese };

using TextArray = std::array<QString, LanguageTextCount>;

// The array of one language, built once from the constant texts on first use.
const TextArray& LanguageTexts(TextArrayId id);

// The current array; German until a language is selected.
const TextArray& CurrentTexts();
TextArrayId CurrentTextArray();
void SetCurrentTexts(TextArrayId id);

// The array a stored language number selects: 2 and 7 are English, 3..6 French to Portuguese,
// every other number (0, 1, anything outside 1..7) German.
TextArrayId TextArrayForLanguage(int languageNumber);

// The language number of a command line's code: de 1, en 2, fr 3, es 4, it 5, pt 6, us 7 (any
// case); 0 for anything else.
int LanguageNumberOfCode(const QString& code);

// Text N of the current array.
inline const QString& Text(int index) { return CurrentTexts()[static_cast<size_t>(index)]; }

// `pattern` with its first "%s" replaced by `argument`.
QString FormatText(const QString& pattern, const QString& argument);

// The constant texts of each language, UTF-8, one file per language.
namespace texts {
using Table = std::array<const char*, LanguageTextCount>;
extern const Table German;
extern const Table English;
extern const Table French;
extern const Table Spanish;
extern const Table Italian;
extern const Table Portuguese;
} // namespace texts
