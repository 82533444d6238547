// The shipped language files against each other and against the code: every
// text the code looks up must exist in every language.
#include "prefs/IniFile.h"
#include "prefs/Texts.h"

#include "support/TempFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace drawmentor {
namespace {

struct TLookup {
    QString Section;
    QString Key;
    QString Where;
};

// Calls whose arguments are texts or named text constants of the same file:
// Translate("S", "K"), TranslateHint("S", "K") (key K.Hint) and
// WindowCaption("S") (key WindowName), with or without QStringLiteral.
std::vector<TLookup> LookupsInSources() {
    const QString text = QStringLiteral(R"re((?:QStringLiteral\()?(?:"([^"]+)"|(k[A-Z]\w*))\)?)re");
    const QRegularExpression pair(QStringLiteral(R"re(\b(Translate|TranslateHint)\(\s*)re") + text +
                                  QStringLiteral(R"re(\s*,\s*)re") + text);
    const QRegularExpression caption(QStringLiteral(R"re(\bWindowCaption\(\s*)re") + text);
    const QRegularExpression constant(
        QStringLiteral(R"re(const QString (k[A-Z]\w*) = QStringLiteral\("([^"]+)"\))re"));
    std::vector<TLookup> lookups;
    for (const char* folder : {"src", "app", "cli"}) {
        QDirIterator files(QStringLiteral(DRAWMENTOR_SOURCE_DIR "/") + folder, {"*.cpp", "*.h"},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString source = QString::fromUtf8(testing::ReadFile(path));
            std::map<QString, QString> constants;
            for (auto match = constant.globalMatch(source); match.hasNext();) {
                const auto m = match.next();
                constants[m.captured(1)] = m.captured(2);
            }
            // A literal, or a constant of the file; nothing for other expressions.
            const auto value = [&](const QRegularExpressionMatch& m,
                                   int literal) -> std::optional<QString> {
                if (!m.captured(literal).isEmpty()) return m.captured(literal);
                const auto found = constants.find(m.captured(literal + 1));
                if (found == constants.end()) return std::nullopt;
                return found->second;
            };
            for (auto match = pair.globalMatch(source); match.hasNext();) {
                const auto m = match.next();
                const auto section = value(m, 2);
                const auto key = value(m, 4);
                if (!section || !key) continue;
                lookups.push_back(
                    {*section, *key + (m.captured(1) == "TranslateHint" ? ".Hint" : ""), path});
            }
            for (auto match = caption.globalMatch(source); match.hasNext();) {
                const auto m = match.next();
                if (const auto section = value(m, 1))
                    lookups.push_back({*section, "WindowName", path});
            }
        }
    }
    return lookups;
}

QStringList LanguageFiles() {
    const QDir folder(QStringLiteral(DRAWMENTOR_SOURCE_DIR "/resources/Langs"));
    QStringList paths;
    for (const QString& name : folder.entryList({"*.ini"}, QDir::Files))
        paths << folder.filePath(name);
    return paths;
}

std::set<QString> Pairs(const TIniFile& ini) {
    std::set<QString> pairs;
    for (const QString& section : ini.Sections())
        for (const QString& key : ini.Keys(section)) pairs.insert(section + " / " + key);
    return pairs;
}

TEST(LanguageFiles, EnglishAndRussianAreShippedAndNameThemselves) {
    const QStringList files = LanguageFiles();
    ASSERT_GE(files.size(), 2);
    for (const QString& path : files) {
        TIniFile ini;
        ini.LoadFile(path);
        EXPECT_FALSE(ini.ReadString("Info", "Language").isEmpty()) << path.toStdString();
    }
}

TEST(LanguageFiles, EveryLanguageHasEveryText) {
    TIniFile english;
    english.LoadFile(QStringLiteral(DRAWMENTOR_SOURCE_DIR "/resources/Langs/ENG.ini"));
    const auto expected = Pairs(english);
    EXPECT_GT(expected.size(), 150u);
    for (const QString& path : LanguageFiles()) {
        TIniFile ini;
        ini.LoadFile(path);
        const auto pairs = Pairs(ini);
        for (const QString& pair : expected)
            EXPECT_TRUE(pairs.count(pair)) << path.toStdString() << " lacks " << pair.toStdString();
        for (const QString& pair : pairs)
            EXPECT_TRUE(expected.count(pair))
                << path.toStdString() << " has extra " << pair.toStdString();
        // Format arguments must match, or a translation would print garbage.
        static const QRegularExpression argument(QStringLiteral("%[ds]"));
        for (const QString& section : english.Sections())
            for (const QString& key : english.Keys(section)) {
                const auto count = [&](const QString& value) {
                    QStringList found;
                    for (auto m = argument.globalMatch(value); m.hasNext();)
                        found << m.next().captured();
                    return found;
                };
                EXPECT_EQ(count(english.ReadString(section, key)),
                          count(ini.ReadString(section, key)))
                    << path.toStdString() << " " << section.toStdString() << "/"
                    << key.toStdString();
            }
    }
}

TEST(LanguageFiles, EveryTextTheCodeLooksUpExists) {
    const auto lookups = LookupsInSources();
    EXPECT_GT(lookups.size(), 15u); // the scan finds the windows' lookups
    for (const QString& path : LanguageFiles()) {
        TIniFile ini;
        ini.LoadFile(path);
        for (const auto& lookup : lookups)
            EXPECT_TRUE(ini.HasKey(lookup.Section, lookup.Key))
                << path.toStdString() << " lacks [" << lookup.Section.toStdString() << "] "
                << lookup.Key.toStdString() << ", looked up in " << lookup.Where.toStdString();
        // The message box names its buttons from a table the scan cannot read.
        for (const char* button : {"OK", "Cancel", "Yes", "No"})
            EXPECT_TRUE(ini.HasKey("Main.Buttons", button)) << path.toStdString() << " " << button;
    }
}

TEST(FormatText, FillsTheLanguageFilesPlaceholdersInOrder) {
    EXPECT_EQ(FormatText("$%s, %s%% of it", {"1.5", "20"}), "$1.5, 20% of it");
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(FormatText("100%", {}), "100%");
}

} // namespace
} // namespace drawmentor
