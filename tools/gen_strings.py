#!/usr/bin/python3
"""Writes res/strings.rc, the launcher's string catalogue, from the table below.

The output is pure ASCII: every character outside printable ASCII, every
double quote, every backslash and the line feed become a four-digit \\xHHHH
escape inside an L"..." literal. The resource compiler turns such an escape
into exactly that UTF-16 code unit whatever code page it assumes for the
script, and it never reads more than four hex digits, so a letter that
follows an escape stays a letter.

Run: /usr/bin/python3 tools/gen_strings.py   (rewrites res/strings.rc)
     /usr/bin/python3 tools/gen_strings.py --check   (fails if it is stale)
"""
import os
import sys

LANGUAGE_ID_STEP = 1000
LANGUAGES = ["English", "French", "German", "Italian", "Spanish", "Portuguese",
             "Simplified Chinese", "Japanese"]

# Base identifiers, as res/resource.h defines them.
BUTTON_IDS = [
    ("IDS_BTN_OK", 1180),
    ("IDS_BTN_CANCEL", 1181),
    ("IDS_BTN_YES", 1183),
    ("IDS_BTN_NO", 1184),
    ("IDS_BTN_UPDATE", 1185),
]
# The close button's name, which screen readers say; the button never draws it.
IDS_BTN_CLOSE = 1186
IDS_MSG_UPDATE_QUESTION = 1199
IDS_MSG_UNSUPPORTED_OS = 1213
# Asked when the installed product's Zelvane.exe is gone, with OK and Cancel.
IDS_MSG_REPAIR_QUESTION = 1223
# The failures a run reports; the launcher adds the system's own text of the
# error on a line of its own.
FAILURE_IDS = [
    ("IDS_MSG_SETUP_NOT_WRITTEN", 1220),
    ("IDS_MSG_SETUP_NOT_STARTED", 1221),
    ("IDS_MSG_APP_NOT_STARTED", 1222),
    ("IDS_MSG_SETUP_NOT_WAITED", 1224),
]
AFX_IDS_APP_TITLE = 0xE000
APP_TITLE = "Quarnel"

# One row per language, in LanguageIndex order: OK, Cancel, Yes, No, Update.
BUTTON_LABELS = [
    ["OK", "Cancel", "Yes", "No", "Update"],
    ["OK", "Annuler", "Oui", "Non", "Mettre à jour"],
    ["OK", "Abbrechen", "Ja", "Nein", "Update"],
    ["OK", "Annulla", "Sì", "No", "Aggiorna"],
    ["Aceptar", "Cancelar", "Sí", "No", "Actualizar"],
    ["OK", "Cancelar", "Sim", "Não", "Actualizar"],
    ["是", "取消", "是", "否", "更新"],
    ["OK", "キャンセル", "はい", "いいえ", "更新"],
]

# One per language, in LanguageIndex order: the close button's name.
CLOSE_NAMES = ["Close", "Fermer", "Schließen", "Chiudi", "Cerrar", "Fechar", "关闭", "閉じる"]

# The two-line messages (both questions, the unsupported-Windows message):
# first line and second line, joined by one line feed.
# Every first line but the Chinese one ends with a blank.
UPDATE_QUESTION = [
    ('The old version of "Quarnel" has been installed into PC. ',
     'Would you like to install the latest version?'),
    ('Une ancienne version de « Quarnel » est installée sur cet ordinateur. ',
     'Souhaitez-vous installer la dernière version ?'),
    ('Eine alte Version von "Quarnel" ist auf dem Computer installiert. ',
     'Möchten Sie die neueste Version installieren?'),
    ('Nel PC è installata una vecchia versione di "Quarnel". ',
     "Vuoi installare l'ultima versione?"),
    ('Se ha instalado la versión antigua del "Quarnel" en el ordenador. ',
     '¿Le gustaría instalar la última versión?'),
    ('Está instalada uma versão antiga do "Quarnel" no PC. ',
     'Gostaria de instalar a última versão?'),
    ('旧版本的“Quarnel”已安装至电脑。',
     '是否安装最新版本？'),
    ('古いバージョンの"Quarnel"がPCにインストールされています。 ',
     '新しいバージョンの"Quarnel"をインストールしますか？'),
]

UNSUPPORTED_OS = [
    ('"Quarnel" is not supported under this OS. ',
     'Please refer to the website for the latest supported OS.'),
    ("« Quarnel » n'est pas supporté par ce système d'exploitation. ",
     "Consultez le site Web pour connaître les systèmes d'exploitation compatibles."),
    ('"Quarnel" wird von diesem Betriebssystem nicht unterstützt. ',
     'Unterstützte Betriebssysteme sind auf unserer Website aufgeführt.'),
    ('"Quarnel" non supportato dal sistema operativo. ',
     'Consulta il sito web per verificare i sistemi operativi supportati.'),
    ('El "Quarnel" no es compatible con este SO. ',
     'Visite la página web para comprobar los últimos SO compatibles.'),
    ('O "Quarnel" não é suportado por este sistema operativo. ',
     'Consulte o website para verificar o último sistema operativo suportado.'),
    ('本操作系统不支持“Quarnel”。',
     '请访问网站获得最新的支持操作系统。'),
    ('"Quarnel"はこのOSでは対応していません。 ',
     '最新の対応OSはWebサイトを参照してください。'),
]

REPAIR_QUESTION = [
    ('"Quarnel" could not find the installed application. ',
     'Would you like to repair the installation?'),
    ("« Quarnel » ne trouve pas l'application installée. ",
     "Souhaitez-vous réparer l'installation ?"),
    ('"Quarnel" findet die installierte Anwendung nicht. ',
     'Möchten Sie die Installation reparieren?'),
    ('"Quarnel" non trova l\'applicazione installata. ',
     "Vuoi riparare l'installazione?"),
    ('El "Quarnel" no encuentra la aplicación instalada. ',
     '¿Le gustaría reparar la instalación?'),
    ('O "Quarnel" não encontra a aplicação instalada. ',
     'Gostaria de reparar a instalação?'),
    ('“Quarnel”找不到已安装的应用程序。',
     '是否修复安装？'),
    ('"Quarnel"はインストールされたアプリケーションを見つけられませんでした。 ',
     'インストールを修復しますか？'),
]

# One row per language, in LanguageIndex order: one line each, in the order
# of FAILURE_IDS, with "Quarnel" quoted as the other messages quote it.
FAILURE_MESSAGES = [
    ['"Quarnel" could not write its installer.',
     '"Quarnel" could not start its installer.',
     '"Quarnel" could not start the installed application.',
     '"Quarnel" started its installer but could not wait for it to finish.'],
    ["« Quarnel » n'a pas pu écrire son programme d'installation.",
     "« Quarnel » n'a pas pu démarrer son programme d'installation.",
     "« Quarnel » n'a pas pu démarrer l'application installée.",
     "« Quarnel » a démarré son programme d'installation, mais n'a pas pu attendre qu'il se termine."],
    ['"Quarnel" konnte sein Installationsprogramm nicht schreiben.',
     '"Quarnel" konnte sein Installationsprogramm nicht starten.',
     '"Quarnel" konnte die installierte Anwendung nicht starten.',
     '"Quarnel" hat sein Installationsprogramm gestartet, konnte aber nicht auf sein Ende warten.'],
    ['"Quarnel" non è riuscito a scrivere il programma di installazione.',
     '"Quarnel" non è riuscito ad avviare il programma di installazione.',
     "\"Quarnel\" non è riuscito ad avviare l'applicazione installata.",
     "\"Quarnel\" ha avviato il programma di installazione, ma non è riuscito ad attenderne la fine."],
    ['El "Quarnel" no ha podido escribir su programa de instalación.',
     'El "Quarnel" no ha podido iniciar su programa de instalación.',
     'El "Quarnel" no ha podido iniciar la aplicación instalada.',
     'El "Quarnel" ha iniciado su programa de instalación, pero no ha podido esperar a que termine.'],
    ['O "Quarnel" não conseguiu gravar o seu programa de instalação.',
     'O "Quarnel" não conseguiu iniciar o seu programa de instalação.',
     'O "Quarnel" não conseguiu iniciar a aplicação instalada.',
     'O "Quarnel" iniciou o seu programa de instalação, mas não conseguiu aguardar que terminasse.'],
    ['“Quarnel”无法写入安装程序。',
     '“Quarnel”无法启动安装程序。',
     '“Quarnel”无法启动已安装的应用程序。',
     '“Quarnel”已启动安装程序，但无法等待其完成。'],
    ['"Quarnel"はインストーラーを書き込めませんでした。',
     '"Quarnel"はインストーラーを起動できませんでした。',
     '"Quarnel"はインストールされたアプリケーションを起動できませんでした。',
     '"Quarnel"はインストーラーを起動しましたが、終了を待つことができませんでした。'],
]

OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "strings.rc")


def rc_literal(text):
    """An L"..." literal of `text` that any code page reads the same."""
    out = []
    for unit in utf16_units(text):
        if 0x20 <= unit < 0x7F and unit not in (0x22, 0x5C):
            out.append(chr(unit))
        else:
            out.append("\\x%04X" % unit)
    return 'L"' + "".join(out) + '"'


def utf16_units(text):
    data = text.encode("utf-16-le")
    return [data[i] | (data[i + 1] << 8) for i in range(0, len(data), 2)]


def catalogue_entries():
    """(identifier, comment, text) for every entry, in identifier order."""
    entries = [(AFX_IDS_APP_TITLE, "AFX_IDS_APP_TITLE", APP_TITLE)]
    for language, name in enumerate(LANGUAGES):
        offset = LANGUAGE_ID_STEP * language
        for (symbol, base), label in zip(BUTTON_IDS, BUTTON_LABELS[language]):
            entries.append((base + offset, "%s, %s" % (symbol, name), label))
        entries.append((IDS_BTN_CLOSE + offset, "IDS_BTN_CLOSE, " + name, CLOSE_NAMES[language]))
        entries.append((IDS_MSG_UPDATE_QUESTION + offset, "IDS_MSG_UPDATE_QUESTION, " + name,
                        "\n".join(UPDATE_QUESTION[language])))
        entries.append((IDS_MSG_UNSUPPORTED_OS + offset, "IDS_MSG_UNSUPPORTED_OS, " + name,
                        "\n".join(UNSUPPORTED_OS[language])))
        entries.append((IDS_MSG_REPAIR_QUESTION + offset, "IDS_MSG_REPAIR_QUESTION, " + name,
                        "\n".join(REPAIR_QUESTION[language])))
        for (symbol, base), text in zip(FAILURE_IDS, FAILURE_MESSAGES[language]):
            entries.append((base + offset, "%s, %s" % (symbol, name), text))
    return sorted(entries)


def render():
    lines = [
        "// The string catalogue: eight language blocks 1000 identifiers apart and",
        "// the application title. Generated by tools/gen_strings.py from its table;",
        "// edit the table there and run it again, never this file.",
        "// Written in ASCII with \\xHHHH escapes for every other UTF-16 code unit,",
        "// the double quote and the line feed, so the resource compiler's code page",
        "// cannot change a character.",
        "STRINGTABLE",
        "BEGIN",
    ]
    for identifier, comment, text in catalogue_entries():
        lines.append("    // %s" % comment)
        lines.append("    %d %s" % (identifier, rc_literal(text)))
    lines.append("END")
    return "\n".join(lines) + "\n"


def check_table():
    assert len(BUTTON_LABELS) == len(UPDATE_QUESTION) == len(UNSUPPORTED_OS) == len(LANGUAGES)
    assert len(REPAIR_QUESTION) == len(LANGUAGES)
    for row in BUTTON_LABELS:
        assert len(row) == len(BUTTON_IDS)
    assert len(CLOSE_NAMES) == len(LANGUAGES)
    assert len(FAILURE_MESSAGES) == len(LANGUAGES)
    for row in FAILURE_MESSAGES:
        assert len(row) == len(FAILURE_IDS)
        for text in row:
            assert "\n" not in text and text == text.strip()
    for message in UPDATE_QUESTION + UNSUPPORTED_OS + REPAIR_QUESTION:
        assert len(message) == 2 and "\n" not in message[0] + message[1]


def main():
    check_table()
    text = render()
    if "--check" in sys.argv[1:]:
        with open(OUTPUT, encoding="ascii", newline="") as current:
            if current.read() != text:
                sys.exit("res/strings.rc is stale: run tools/gen_strings.py")
        return
    with open(OUTPUT, "w", encoding="ascii", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
