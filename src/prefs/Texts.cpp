#include "Texts.h"

#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace drawmentor {
namespace {

// A sans face every Debian desktop has, standing in for the system dialog font.
const QString kFallbackFont = QStringLiteral("DejaVu Sans");

std::function<bool(const QString&)>& FontProbe() {
    static std::function<bool(const QString&)> probe;
    return probe;
}

const TIniFile& BuiltInTexts() {
    static const TIniFile& texts = []() -> const TIniFile& {
        static TIniFile file;
        QFile resource(QStringLiteral(":/texts/ENG.ini"));
        if (resource.open(QIODevice::ReadOnly)) file.LoadData(resource.readAll());
        return file;
    }();
    return texts;
}

} // namespace

TTexts::TTexts()
    : FontName(FontProbe() && FontProbe()(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                    : kFallbackFont) {}

void TTexts::Load(const QString& code) {
    FCode = IsInstalled(code) ? code : kFallbackLanguage;
    try {
        FWarned = false;
        FFile.LoadFile(FileName(FCode));
    } catch (...) {
        // An unreadable language file leaves the built-in texts, not a dead program.
        FFile.Clear();
    }
}

QString TTexts::Translate(const QString& section, const QString& key) const {
    if (FFile.HasKey(section, key)) return FFile.ReadString(section, key).left(kMaxTextLength);
    if (!FWarned) {
        FWarned = true;
        qWarning("The language file %s has no text [%s] %s; the built-in English texts stand in "
                 "for the missing ones",
                 qUtf8Printable(FileName(FCode)), qUtf8Printable(section), qUtf8Printable(key));
    }
    return BuiltInTexts().ReadString(section, key).left(kMaxTextLength);
}

bool TTexts::HasText(const QString& section, const QString& key) const {
    return FFile.HasKey(section, key) || BuiltInTexts().HasKey(section, key);
}

QString TTexts::TranslateHint(const QString& section, const QString& key) const {
    return WrapHint(Translate(section, key + QStringLiteral(".Hint")));
}

QString TTexts::WindowCaption(const QString& section) const {
    return Translate(section, QStringLiteral("WindowName"));
}

QString TTexts::Counted(const QString& key, long long count) const {
    const QStringList forms = Translate(QStringLiteral("Plurals"), key).split(QLatin1Char('|'));
    const long long n = count < 0 ? -count : count;
    qsizetype form = n == 1 ? 0 : 1;
    if (forms.size() >= 3) {
        const long long last = n % 10, lastTwo = n % 100;
        form = last == 1 && lastTwo != 11                                 ? 0
               : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14) ? 1
                                                                          : 2;
    }
    return QString(forms.at(std::min(form, forms.size() - 1)))
        .replace(QLatin1Char('#'), QString::number(count));
}

QString TTexts::FileName(const QString& code) {
    return ProgramFolder() + QStringLiteral("Langs/%1.ini").arg(code);
}

bool TTexts::IsInstalled(const QString& code) {
    if (code.isEmpty()) return false;
    const QStringList files = QDir(ProgramFolder() + QStringLiteral("Langs"))
                                  .entryList({QStringLiteral("*.ini")}, QDir::Files);
    return files.contains(code + QStringLiteral(".ini"));
}

QString TTexts::HelpFileName(const QString& code) {
    return ProgramFolder() + QStringLiteral("Help/DrawMentor_%1/index.html").arg(code);
}

void TTexts::SetFontProbe(std::function<bool(const QString&)> probe) {
    FontProbe() = std::move(probe);
}

QString WrapHint(const QString& text, int columns) {
    // A quote opens only where a word could start and closes only where one
    // ends, so the apostrophe of "don't" quotes nothing.
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber(); };
    QString result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QStringView line = lines[index];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (index > 0) result += QLatin1Char('\n');
        // Each piece is scanned once, to its break and at most `columns`
        // beyond it: linear in the length of the text.
        qsizetype start = 0;
        while (line.size() - start > columns) {
            // The last break opportunity within the width, outside quotes; the
            // first one beyond it when a word is longer than the width.
            qsizetype breakAfter = -1;
            QChar quote;
            for (qsizetype i = start; i < line.size() && (i - start < columns || breakAfter < 0);
                 ++i) {
                const QChar c = line[i];
                const bool before = i > start && isWordChar(line[i - 1]);
                const bool after = i + 1 < line.size() && isWordChar(line[i + 1]);
                if (!quote.isNull()) {
                    if (c == quote && !after) quote = QChar();
                    continue;
                }
                if ((c == u'"' || c == u'\'') && !before) {
                    quote = c;
                    continue;
                }
                if (c == u' ' || c == u'-' || c == u'\t') breakAfter = i;
            }
            if (breakAfter < 0 || breakAfter + 1 >= line.size()) break;
            result += line.mid(start, breakAfter + 1 - start);
            result += QLatin1Char('\n');
            start = breakAfter + 1;
        }
        result += line.mid(start);
    }
    return result;
}

QString FormatText(const QString& pattern, const QStringList& arguments) {
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == u'%') {
                result += QLatin1Char('%');
                ++i;
                continue;
            }
            if (pattern[i + 1] == u's') {
                if (next < arguments.size()) result += arguments[next++];
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return result;
}

} // namespace drawmentor
