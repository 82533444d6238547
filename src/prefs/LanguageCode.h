#pragma once

#include <QLocale>
#include <QString>

namespace drawmentor {

// The locale's language as a three-letter upper-case code in the naming of
// the language files (ENU English (United States), ENG English (United
// Kingdom), RUS Russian, DEU German, FRA French, ...); "ENG" when unknown.
QString LanguageCodeOf(const QLocale& locale);
QString DefaultLanguageCode();

} // namespace drawmentor
