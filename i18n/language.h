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

constexpr int kLanguageCount = 8;
constexpr unsigned int kLanguageIdStep = 1000;
