#pragma once

#include <QLocale>

// The program's texts in the user's language: the system's (on Linux,
// LANGUAGE, LC_ALL, LC_MESSAGES or LANG; on Windows, the display
// language), with Qt's own texts for the standard dialogs. English, the
// texts' own language, also comes from a translation, for its plural
// forms ("1 file", "2 files").
namespace UserLanguage {
// The system's language, once, before the first window shows a text.
void install();
// Another language from now on (windows made before keep theirs).
void use(const QLocale &language);
// The language the texts are in, as its translation names it ("de",
// "pt_BR"); "en" where there is none.
QString current();
}
