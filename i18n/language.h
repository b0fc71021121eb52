// The launcher's eight languages. A catalogue text of language i has the
// identifier base + 1000 * i.
#pragma once

enum LanguageIndex : int {
  LANGUAGE_ENGLISH = 0,
  LANGUAGE_FRENCH = 1,
  LANGUAGE_GERMAN = 2,
  LANGUAGE_ITALIAN = 3,
  LANGUAGE_SPANISH = 4,
  LANGUAGE_PORTUGUESE = 5,
  LANGUAGE_CHINESE_SIMPLIFIED = 6,
  LANGUAGE_JAPANESE = 7,
};

// The number of languages, and the distance between a text's identifiers in
// two neighbouring languages.
constexpr int kLanguageCount = 8;
constexpr unsigned int kLanguageIdStep = 1000;

// `language` when it names one of the eight, else English: whatever a caller
// hands in, no table of the eight is ever indexed past its end.
constexpr LanguageIndex LanguageOrEnglish(int language) {
  return language >= 0 && language < kLanguageCount ? static_cast<LanguageIndex>(language)
                                                    : LANGUAGE_ENGLISH;
}
