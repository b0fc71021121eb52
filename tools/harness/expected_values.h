// What the launcher is expected to use and show, seen from outside and typed
// once: the tests that check it, the stand-ins and the demo that play the
// product's other parts, and the benches all take these values from here.
#pragma once

#define QUARNEL_EXPECTED_PRODUCT_GUID L"{4C2E91B7-0D3A-4F68-A5E2-7B19C6D03F8A}"

namespace expected {

// Registry: the product's uninstall key, the service's key (its "Language"
// value) and the key of the "SetupPath" value under HKEY_CURRENT_USER.
constexpr wchar_t kProductGuid[] = QUARNEL_EXPECTED_PRODUCT_GUID;
constexpr wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" QUARNEL_EXPECTED_PRODUCT_GUID;
constexpr wchar_t kServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\zelvane";
constexpr wchar_t kSetupPathKey[] = L"SOFTWARE\\Velmora\\Quarnel";

// Named kernel objects: the launcher's own two mutexes, the command channel's
// objects, and the stand-in service's ready and stop events.
constexpr wchar_t kInstanceMutex[] = L"Global\\ZelvaneInst7003";
constexpr wchar_t kStartupMutex[] = L"Global\\Rovevuv";
constexpr wchar_t kCommandMutex[] = L"Global\\2017PellunCmdMutex";
constexpr wchar_t kRequestEvent[] = L"Global\\ZelvaneSvcEvent";
constexpr wchar_t kEndEvent[] = L"Global\\ZelvaneSvcEndEvent";
constexpr wchar_t kSharedMemory[] = L"Global\\ZelvaneSvcMem";
constexpr wchar_t kStandinReadyEvent[] = L"Global\\ZelvaneSvcStandinReady";
constexpr wchar_t kStandinStopEvent[] = L"Global\\ZelvaneSvcStandinStop";

// Fonts: the text font's face for each language index, the title's face, and
// their heights in logical units.
constexpr const wchar_t* kTextFaces[8] = {L"Segoe UI", L"Segoe UI", L"Segoe UI", L"Segoe UI",
                                          L"Segoe UI", L"Segoe UI", L"SimSun",   L"Meiryo UI"};
constexpr wchar_t kTitleFace[] = L"Segoe UI";
constexpr int kTextFontHeight = -16;
constexpr int kTitleFontHeight = -24;

// The button labels of each language index, and the close button's name,
// which readers say and nothing draws.
struct ButtonLabels {
  const wchar_t* ok;
  const wchar_t* cancel;
  const wchar_t* yes;
  const wchar_t* no;
  const wchar_t* update;
  const wchar_t* close;
};
constexpr ButtonLabels kButtonLabels[8] = {
    {L"OK", L"Cancel", L"Yes", L"No", L"Update", L"Close"},
    {L"OK", L"Annuler", L"Oui", L"Non", L"Mettre \x00E0 jour", L"Fermer"},
    {L"OK", L"Abbrechen", L"Ja", L"Nein", L"Update",
     L"Schlie\x00DF"
     L"en"},
    {L"OK", L"Annulla", L"S\x00EC", L"No", L"Aggiorna", L"Chiudi"},
    {L"Aceptar", L"Cancelar", L"S\x00ED", L"No", L"Actualizar", L"Cerrar"},
    {L"OK", L"Cancelar", L"Sim", L"N\x00E3o", L"Actualizar", L"Fechar"},
    {L"\x662F", L"\x53D6\x6D88", L"\x662F", L"\x5426", L"\x66F4\x65B0", L"\x5173\x95ED"},
    {L"OK", L"\x30AD\x30E3\x30F3\x30BB\x30EB", L"\x306F\x3044", L"\x3044\x3044\x3048",
     L"\x66F4\x65B0", L"\x9589\x3058\x308B"},
};

// The dialog's window (and background image) size in pixels.
constexpr int kDialogWidth = 581;
constexpr int kDialogHeight = 343;

}  // namespace expected
