#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace drawmentor {

// The texts of the interface in one language: every caption, hint and window
// title is looked up by section and key in the language file "Langs/<code>.ini"
// beside the program; the help of that language and the interface font come
// with them.
class TTexts {
  public:
    TTexts();

    // The language file of `code`; without one, the fallback language's.
    // Only the codes of the files in the program's language folder are taken:
    // the code comes from the settings file and must not name a path.
    // A file that cannot be read leaves the built-in English texts, not a
    // dead program.
    void Load(const QString& code);
    const QString& Code() const { return FCode; }

    // At most kMaxTextLength characters: a caption or a hint, never a book.
    // A key the language file lacks gives the built-in English text, and the
    // first such key of a file one warning.
    QString Translate(const QString& section, const QString& key) const;
    // Whether Translate has a text for the key, in the language file or the
    // built-in English: a lookup that may fail, without a warning.
    bool HasText(const QString& section, const QString& key) const;
    // The text of key + ".Hint", wrapped at 45 columns.
    QString TranslateHint(const QString& section, const QString& key) const;
    QString WindowCaption(const QString& section) const;
    // `count` and the noun of `key` in section "Plurals", in the form the
    // count asks for. The forms are separated by "|", "#" stands for the
    // count: two forms are one and other (English), three are one, few and
    // many (Russian: 1, 21 / 2-4, 22 / 5-20, 11-14).
    QString Counted(const QString& key, long long count) const;
    const TIniFile& File() const { return FFile; }

    static QString FileName(const QString& code);
    // Whether the program's language folder holds a file for `code`.
    static bool IsInstalled(const QString& code);
    static QString HelpFileName(const QString& code);

    // Which font families are installed is a question for the GUI layer;
    // without an answer the fallback face is used.
    static void SetFontProbe(std::function<bool(const QString&)> probe);

    // The interface font: the system dialog face where installed, else a
    // face every Debian desktop has.
    QString FontName;

  private:
    QString FCode;
    TIniFile FFile;
    mutable bool FWarned = false;
};

inline constexpr qsizetype kMaxTextLength = 4096;

// The language used when the chosen one has no file.
inline const QString kFallbackLanguage = QStringLiteral("ENG");

// Word-wraps at `columns`, breaking after a blank, a hyphen or a tab but never
// inside '...' or "..." quotes; line breaks already in the text are kept.
QString WrapHint(const QString& text, int columns = 45);

// The language file's "%s" filled in order; "%%" is a percent sign.
QString FormatText(const QString& pattern, const QStringList& arguments);

} // namespace drawmentor
