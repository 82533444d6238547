#include "LanguageCode.h"

namespace drawmentor {
namespace {

struct TCodeByTerritory {
    QLocale::Territory Territory;
    const char* Code;
};

struct TLanguageCodes {
    QLocale::Language Language;
    const char* Code; // the language's main code
    std::initializer_list<TCodeByTerritory> Regional;
};

// Three-letter codes, one per language and territory: a language file is
// named by its code, so the codes must never change once files exist.
const TLanguageCodes kCodes[] = {
    {QLocale::English,
     "ENU",
     {{QLocale::UnitedKingdom, "ENG"},
      {QLocale::Australia, "ENA"},
      {QLocale::Canada, "ENC"},
      {QLocale::NewZealand, "ENZ"},
      {QLocale::Ireland, "ENI"},
      {QLocale::SouthAfrica, "ENS"},
      {QLocale::India, "ENN"}}},
    {QLocale::Russian, "RUS", {}},
    {QLocale::German, "DEU", {{QLocale::Austria, "DEA"}, {QLocale::Switzerland, "DES"}}},
    {QLocale::French,
     "FRA",
     {{QLocale::Belgium, "FRB"}, {QLocale::Canada, "FRC"}, {QLocale::Switzerland, "FRS"}}},
    {QLocale::Spanish, "ESN", {{QLocale::Mexico, "ESM"}, {QLocale::Argentina, "ESS"}}},
    {QLocale::Portuguese, "PTG", {{QLocale::Brazil, "PTB"}}},
    {QLocale::Italian, "ITA", {{QLocale::Switzerland, "ITS"}}},
    {QLocale::Dutch, "NLD", {{QLocale::Belgium, "NLB"}}},
    {QLocale::Ukrainian, "UKR", {}},
    {QLocale::Belarusian, "BEL", {}},
    {QLocale::Polish, "PLK", {}},
    {QLocale::Czech, "CSY", {}},
    {QLocale::Slovak, "SKY", {}},
    {QLocale::Hungarian, "HUN", {}},
    {QLocale::Romanian, "ROM", {}},
    {QLocale::Bulgarian, "BGR", {}},
    {QLocale::Greek, "ELL", {}},
    {QLocale::Turkish, "TRK", {}},
    {QLocale::Swedish, "SVE", {}},
    {QLocale::NorwegianBokmal, "NOR", {}},
    {QLocale::Danish, "DAN", {}},
    {QLocale::Finnish, "FIN", {}},
    {QLocale::Estonian, "ETI", {}},
    {QLocale::Latvian, "LVI", {}},
    {QLocale::Lithuanian, "LTH", {}},
    {QLocale::Croatian, "HRV", {}},
    {QLocale::Slovenian, "SLV", {}},
    {QLocale::Hebrew, "HEB", {}},
    {QLocale::Arabic, "ARA", {}},
    {QLocale::Japanese, "JPN", {}},
    {QLocale::Korean, "KOR", {}},
    {QLocale::Chinese, "CHS", {{QLocale::Taiwan, "CHT"}, {QLocale::HongKong, "ZHH"}}},
};

} // namespace

QString LanguageCodeOf(const QLocale& locale) {
    for (const auto& entry : kCodes) {
        if (entry.Language != locale.language()) continue;
        for (const auto& regional : entry.Regional)
            if (regional.Territory == locale.territory()) return QString::fromLatin1(regional.Code);
        return QString::fromLatin1(entry.Code);
    }
    return QStringLiteral("ENG");
}

QString DefaultLanguageCode() {
    return LanguageCodeOf(QLocale::system());
}

} // namespace drawmentor
