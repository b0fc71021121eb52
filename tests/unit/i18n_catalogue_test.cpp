// The string catalogue as the executable carries it: every text of every
// language, code unit for code unit, stored under one resource language and
// found by identifier alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "registry_sandbox.h"
#include "resource.h"
#include "text_values.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/version_resource.h"

namespace {

struct CatalogueRow {
  UINT baseId;
  const wchar_t* texts[kLanguageCount];
};

// The row of one button label in every language, from the labels the GUI
// tests, the stand-ins and the demo read too.
CatalogueRow ButtonRow(UINT baseId, const wchar_t* const expected::ButtonLabels::*label) {
  CatalogueRow row = {baseId, {}};
  for (int language = 0; language < kLanguageCount; ++language) {
    row.texts[language] = expected::kButtonLabels[language].*label;
  }
  return row;
}

// The expected texts, typed out on their own (not produced from the
// generator's table), so a slip in either shows up as a mismatch.
const CatalogueRow kCatalogue[] = {
    ButtonRow(IDS_BTN_OK, &expected::ButtonLabels::ok),
    ButtonRow(IDS_BTN_CANCEL, &expected::ButtonLabels::cancel),
    ButtonRow(IDS_BTN_YES, &expected::ButtonLabels::yes),
    ButtonRow(IDS_BTN_NO, &expected::ButtonLabels::no),
    ButtonRow(IDS_BTN_UPDATE, &expected::ButtonLabels::update),
    ButtonRow(IDS_BTN_CLOSE, &expected::ButtonLabels::close),
    {IDS_MSG_UPDATE_QUESTION,
     {L"The old version of \"Quarnel\" has been installed into PC. \n"
      L"Would you like to install the latest version?",
      L"Une ancienne version de « Quarnel » est installée sur cet ordinateur. \n"
      L"Souhaitez-vous installer la dernière version ?",
      L"Eine alte Version von \"Quarnel\" ist auf dem Computer installiert. \n"
      L"Möchten Sie die neueste Version installieren?",
      L"Nel PC è installata una vecchia versione di \"Quarnel\". \n"
      L"Vuoi installare l'ultima versione?",
      L"Se ha instalado la versión antigua del \"Quarnel\" en el ordenador. \n"
      L"¿Le gustaría instalar la última versión?",
      L"Está instalada uma versão antiga do \"Quarnel\" no PC. \n"
      L"Gostaria de instalar a última versão?",
      L"旧版本的“Quarnel”已安装至电脑。\n"
      L"是否安装最新版本？",
      L"古いバージョンの\"Quarnel\"がPCにインストールされています。 \n"
      L"新しいバージョンの\"Quarnel\"をインストールしますか？"}},
    {IDS_MSG_UNSUPPORTED_OS,
     {L"\"Quarnel\" is not supported under this OS. \n"
      L"Please refer to the website for the latest supported OS.",
      L"« Quarnel » n'est pas supporté par ce système d'exploitation. \n"
      L"Consultez le site Web pour connaître les systèmes d'exploitation compatibles.",
      L"\"Quarnel\" wird von diesem Betriebssystem nicht unterstützt. \n"
      L"Unterstützte Betriebssysteme sind auf unserer Website aufgeführt.",
      L"\"Quarnel\" non supportato dal sistema operativo. \n"
      L"Consulta il sito web per verificare i sistemi operativi supportati.",
      L"El \"Quarnel\" no es compatible con este SO. \n"
      L"Visite la página web para comprobar los últimos SO compatibles.",
      L"O \"Quarnel\" não é suportado por este sistema operativo. \n"
      L"Consulte o website para verificar o último sistema operativo suportado.",
      L"本操作系统不支持“Quarnel”。\n"
      L"请访问网站获得最新的支持操作系统。",
      L"\"Quarnel\"はこのOSでは対応していません。 \n"
      L"最新の対応OSはWebサイトを参照してください。"}},
    {IDS_MSG_REPAIR_QUESTION,
     {L"\"Quarnel\" could not find the installed application. \n"
      L"Would you like to repair the installation?",
      L"« Quarnel » ne trouve pas l'application installée. \n"
      L"Souhaitez-vous réparer l'installation ?",
      L"\"Quarnel\" findet die installierte Anwendung nicht. \n"
      L"Möchten Sie die Installation reparieren?",
      L"\"Quarnel\" non trova l'applicazione installata. \n"
      L"Vuoi riparare l'installazione?",
      L"El \"Quarnel\" no encuentra la aplicación instalada. \n"
      L"¿Le gustaría reparar la instalación?",
      L"O \"Quarnel\" não encontra a aplicação instalada. \n"
      L"Gostaria de reparar a instalação?",
      L"“Quarnel”找不到已安装的应用程序。\n"
      L"是否修复安装？",
      L"\"Quarnel\"はインストールされたアプリケーションを見つけられませんでした。 \n"
      L"インストールを修復しますか？"}},
    {IDS_MSG_SETUP_NOT_WRITTEN,
     {L"\"Quarnel\" could not write its installer.",
      L"« Quarnel » n'a pas pu écrire son programme d'installation.",
      L"\"Quarnel\" konnte sein Installationsprogramm nicht schreiben.",
      L"\"Quarnel\" non è riuscito a scrivere il programma di installazione.",
      L"El \"Quarnel\" no ha podido escribir su programa de instalación.",
      L"O \"Quarnel\" não conseguiu gravar o seu programa de instalação.",
      L"“Quarnel”无法写入安装程序。", L"\"Quarnel\"はインストーラーを書き込めませんでした。"}},
    {IDS_MSG_SETUP_NOT_STARTED,
     {L"\"Quarnel\" could not start its installer.",
      L"« Quarnel » n'a pas pu démarrer son programme d'installation.",
      L"\"Quarnel\" konnte sein Installationsprogramm nicht starten.",
      L"\"Quarnel\" non è riuscito ad avviare il programma di installazione.",
      L"El \"Quarnel\" no ha podido iniciar su programa de instalación.",
      L"O \"Quarnel\" não conseguiu iniciar o seu programa de instalação.",
      L"“Quarnel”无法启动安装程序。", L"\"Quarnel\"はインストーラーを起動できませんでした。"}},
    {IDS_MSG_APP_NOT_STARTED,
     {L"\"Quarnel\" could not start the installed application.",
      L"« Quarnel » n'a pas pu démarrer l'application installée.",
      L"\"Quarnel\" konnte die installierte Anwendung nicht starten.",
      L"\"Quarnel\" non è riuscito ad avviare l'applicazione installata.",
      L"El \"Quarnel\" no ha podido iniciar la aplicación instalada.",
      L"O \"Quarnel\" não conseguiu iniciar a aplicação instalada.",
      L"“Quarnel”无法启动已安装的应用程序。",
      L"\"Quarnel\"はインストールされたアプリケーションを起動できませんでした。"}},
    {IDS_MSG_SETUP_NOT_WAITED,
     {L"\"Quarnel\" started its installer but could not wait for it to finish.",
      L"« Quarnel » a démarré son programme d'installation, mais n'a pas pu attendre qu'il se "
      L"termine.",
      L"\"Quarnel\" hat sein Installationsprogramm gestartet, konnte aber nicht auf sein Ende "
      L"warten.",
      L"\"Quarnel\" ha avviato il programma di installazione, ma non è riuscito ad attenderne la "
      L"fine.",
      L"El \"Quarnel\" ha iniciado su programa de instalación, pero no ha podido esperar a que "
      L"termine.",
      L"O \"Quarnel\" iniciou o seu programa de instalação, mas não conseguiu aguardar que "
      L"terminasse.",
      L"“Quarnel”已启动安装程序，但无法等待其完成。",
      L"\"Quarnel\"はインストーラーを起動しましたが、終了を待つことができませんでした。"}},
};

const LANGID kCatalogueLanguage = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const UINT kFirstFrameworkString = 61440;

// The raw table entry, read without any copy: LoadStringW with a zero buffer
// size hands back a pointer into the resource and the exact length.
std::wstring RawTableEntry(UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, length) : std::wstring();
}

// Where two texts part, as code units in hex, so a failure names the exact
// unit that differs even where the console cannot show the characters.
std::string FirstDifference(const std::wstring& expected, const std::wstring& actual) {
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  char text[96];
  std::snprintf(text, sizeof(text),
                "lengths %u/%u, first difference at %u: expected %04X, got %04X",
                static_cast<unsigned>(expected.size()), static_cast<unsigned>(actual.size()),
                static_cast<unsigned>(at), at < expected.size() ? expected[at] : 0u,
                at < actual.size() ? actual[at] : 0u);
  return text;
}

TEST(Catalogue, EveryTextOfEveryLanguage) {
  for (const CatalogueRow& row : kCatalogue) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const UINT id = row.baseId + 1000 * language;
      const std::wstring expected = row.texts[language];
      const std::wstring loaded = ToWide(LoadLocalizedString(row.baseId, language));
      const std::wstring stored = RawTableEntry(id);
      EXPECT_TRUE(expected == loaded)
          << "LoadLocalizedString, id " << id << ": " << FirstDifference(expected, loaded);
      EXPECT_TRUE(expected == stored)
          << "string table, id " << id << ": " << FirstDifference(expected, stored);
    }
  }
}

TEST(Catalogue, CharactersThatEncodingsTendToChange) {
  // Spelled as code points, independent of how this file is encoded.
  struct Needle {
    UINT id;
    const wchar_t* piece;
  };
  const Needle needles[] = {
      {2199, L"de \u00AB Quarnel \u00BB est install\u00E9e"},
      {2213, L"\u00AB Quarnel \u00BB n'est pas support\u00E9"},
      {3213, L"unterst\u00FCtzt. \u000AUnterst\u00FCtzte"},
      {4183, L"S\u00EC"},
      {5183, L"S\u00ED"},
      {5199, L"\u000A\u00BFLe gustar\u00EDa"},
      {6184, L"N\u00E3o"},
      {7180, L"\u662F"},
      {7199, L"\u201CQuarnel\u201D\u5DF2"},
      {7199, L"\u3002\u000A\u662F"},
      {7199, L"\u7248\u672C\uFF1F"},
      {7213, L"\u201CQuarnel\u201D\u3002\u000A"},
      {8199, L"\u306E\u0022Quarnel\u0022\u304C"},
      {8199, L"\u3059\u3002\u0020\u000A"},
      {8181, L"\u30AD\u30E3\u30F3\u30BB\u30EB"},
      {1199, L"\u0022Quarnel\u0022 has"},
  };
  for (const Needle& needle : needles) {
    const std::wstring text = RawTableEntry(needle.id);
    EXPECT_NE(std::wstring::npos, text.find(needle.piece))
        << "id " << needle.id << " lacks piece " << (&needle - needles);
  }
}

TEST(Catalogue, MessagesAreTwoLinesWithTheBlankWhereItBelongs) {
  for (UINT baseId : {IDS_MSG_UPDATE_QUESTION, IDS_MSG_UNSUPPORTED_OS, IDS_MSG_REPAIR_QUESTION}) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const std::wstring text = RawTableEntry(baseId + 1000 * language);
      const size_t feed = text.find(L'\n');
      ASSERT_NE(std::wstring::npos, feed) << baseId << "/" << language;
      EXPECT_EQ(feed, text.rfind(L'\n')) << "one line feed only, " << baseId << "/" << language;
      EXPECT_EQ(std::wstring::npos, text.find(L'\r')) << baseId << "/" << language;
      const bool blankBeforeFeed = feed > 0 && text[feed - 1] == L' ';
      EXPECT_EQ(language != LANGUAGE_CHINESE_SIMPLIFIED, blankBeforeFeed)
          << baseId << "/" << language;
      EXPECT_NE(L' ', text.back()) << baseId << "/" << language;
    }
  }
}

// The failure lines stand alone: the launcher puts the system's text of the
// error on the line after them.
TEST(Catalogue, FailureMessagesAreOneLineWithoutEdgeBlanks) {
  for (UINT baseId : {IDS_MSG_SETUP_NOT_WRITTEN, IDS_MSG_SETUP_NOT_STARTED, IDS_MSG_APP_NOT_STARTED,
                      IDS_MSG_SETUP_NOT_WAITED}) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const std::wstring text = RawTableEntry(baseId + 1000 * language);
      ASSERT_FALSE(text.empty()) << baseId << "/" << language;
      EXPECT_EQ(std::wstring::npos, text.find_first_of(L"\r\n")) << baseId << "/" << language;
      EXPECT_NE(L' ', text.front()) << baseId << "/" << language;
      EXPECT_NE(L' ', text.back()) << baseId << "/" << language;
      EXPECT_NE(std::wstring::npos, text.find(L"Quarnel")) << baseId << "/" << language;
    }
  }
}

TEST(Catalogue, ApplicationTitle) {
  EXPECT_EQ(L"Quarnel", RawTableEntry(AFX_IDS_APP_TITLE));
  EXPECT_EQ(L"Quarnel", ToWide(LoadLocalizedString(AFX_IDS_APP_TITLE, LANGUAGE_ENGLISH)));
}

TEST(Catalogue, NoIdentifiersBeyondTheCatalogue) {
  std::set<UINT> expected = {AFX_IDS_APP_TITLE};
  for (const CatalogueRow& row : kCatalogue) {
    for (int language = 0; language < kLanguageCount; ++language) {
      expected.insert(row.baseId + 1000 * language);
    }
  }
  ASSERT_EQ(105u, expected.size());
  for (UINT id = 0; id < kFirstFrameworkString; ++id) {
    EXPECT_EQ(expected.count(id) == 1, !RawTableEntry(id).empty()) << "id " << id;
  }
}

TEST(Catalogue, StoredUnderOneResourceLanguage) {
  // String-table blocks hold 16 identifiers each: block n holds 16(n-1)..16n-1.
  std::set<UINT> blocks = {AFX_IDS_APP_TITLE / 16 + 1};
  for (const CatalogueRow& row : kCatalogue) {
    for (int language = 0; language < kLanguageCount; ++language) {
      blocks.insert((row.baseId + 1000 * language) / 16 + 1);
    }
  }
  for (UINT block : blocks) {
    const std::vector<WORD> found =
        ResourceLanguages(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block));
    const std::set<WORD> languages(found.begin(), found.end());
    EXPECT_EQ(std::set<WORD>{kCatalogueLanguage}, languages) << "block " << block;
  }
}

TEST(Catalogue, UnsupportedWindowsMessageInTheUserLocale) {
  // The locale's language picks the block: French (Canada), Chinese (PRC),
  // Chinese (Taiwan), Portuguese (Brazil), Russian, English (United States).
  struct Case {
    LCID lcid;
    UINT id;
  };
  const Case cases[] = {{0x0C0C, 2213}, {0x0804, 7213}, {0x0404, 7213},
                        {0x0416, 6213}, {0x0419, 1213}, {0x0409, 1213}};
  for (const Case& c : cases) {
    const std::wstring shown =
        ToWide(LoadLocalizedString(IDS_MSG_UNSUPPORTED_OS, LanguageIndexFromLcid(c.lcid)));
    EXPECT_FALSE(shown.empty()) << std::hex << c.lcid;
    EXPECT_TRUE(RawTableEntry(c.id) == shown) << std::hex << "lcid 0x" << c.lcid;
  }
}

TEST(Catalogue, LanguagesOutsideTheEightReadEnglish) {
  // A stray language must not address a neighbouring catalogue entry.
  for (int language : {-1, 8, 9, 56, -1000}) {
    EXPECT_EQ(expected::kButtonLabels[LANGUAGE_ENGLISH].cancel,
              ToWide(LoadLocalizedString(IDS_BTN_CANCEL, language)))
        << language;
  }
}

TEST(Catalogue, MissingIdentifierGivesAnEmptyText) {
  EXPECT_TRUE(LoadLocalizedString(1182, LANGUAGE_ENGLISH).IsEmpty());
  EXPECT_TRUE(LoadLocalizedString(1187, LANGUAGE_GERMAN).IsEmpty());
}

TEST(Catalogue, ServiceLanguageChoosesTheBlock) {
  const wchar_t* const kServiceKey = expected::kServiceKey;
  struct Case {
    bool store;
    DWORD value;
    int language;
  };
  const Case cases[] = {{false, 0, 0},         {true, 0, 0}, {true, 6, 6}, {true, 8, 0},
                        {true, 0xFFFFFFFF, 0}, {true, 2, 2}, {true, 7, 7}, {true, 1, 1}};
  for (const Case& c : cases) {
    RegistrySandbox sandbox;
    if (c.store) sandbox.SetDword(HKEY_LOCAL_MACHINE, kServiceKey, L"Language", c.value);
    for (const CatalogueRow& row : kCatalogue) {
      EXPECT_EQ(std::wstring(row.texts[c.language]), ToWide(LoadServiceLanguageString(row.baseId)))
          << "value " << c.value << ", base id " << row.baseId;
    }
  }
}

}  // namespace
