#include "IniFile.h"

#include "core/Error.h"
#include "core/FileIo.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace drawmentor {

// Kept as lines of text: a value is everything after the first '=' of its
// line, blanks included, so that values such as the game key "  0 10" come
// back exactly as written. (Common INI libraries trim them.)
struct TIniFile::TImpl {
    // A line the program does not understand (a comment, a note without '=')
    // is kept as it was, in its place, with an empty key and Raw set: the
    // user wrote it, and a save must not drop it.
    struct TEntry {
        QByteArray Key;
        QByteArray Value;
        bool Raw = false;
    };
    struct TSection {
        QByteArray Name;
        std::vector<TEntry> Entries;
    };
    std::vector<QByteArray> Preamble; // kept lines before the first section
    std::vector<TSection> Sections;
    // What this image changed since its load or last save, in order: a save
    // applies exactly these to the file as it is on disk then.
    std::vector<std::pair<QByteArray, QByteArray>> Written; // section, key
    std::vector<QByteArray> Erased;
    QByteArray Saved; // the image's text when it was loaded or saved
    std::function<void()> Changed;

    static bool Same(const QByteArray& a, const QByteArray& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }

    TSection* Find(const QByteArray& name) {
        for (auto& section : Sections)
            if (Same(section.Name, name)) return &section;
        return nullptr;
    }
    TEntry* Find(const QByteArray& section, const QByteArray& key) {
        TSection* found = Find(section);
        if (!found) return nullptr;
        for (auto& entry : found->Entries)
            if (!entry.Raw && Same(entry.Key, key)) return &entry;
        return nullptr;
    }
};

TIniFile::TIniFile() : FImpl(std::make_unique<TImpl>()) {}
TIniFile::~TIniFile() = default;

void TIniFile::LoadFile(const QString& path) {
    Clear();
    const auto text = ReadFileIfExists(QFile::encodeName(path).toStdString(), kMaxTextFileBytes);
    if (text) LoadData(QByteArray::fromStdString(*text));
}

void TIniFile::LoadData(const QByteArray& data) {
    Clear();
    // A byte-order mark from an editor is not part of the first section name.
    const QByteArray text = data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data;
    TImpl::TSection* section = nullptr;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty()) continue; // the writer puts its own blank lines between sections
        const auto keep = [&] {
            if (section)
                section->Entries.push_back({{}, line, true});
            else
                FImpl->Preamble.push_back(line);
        };
        if (trimmed.startsWith(';') || trimmed.startsWith('#')) {
            keep();
            continue;
        }
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            const QByteArray name = trimmed.mid(1, trimmed.size() - 2);
            section = FImpl->Find(name);
            if (!section) section = &FImpl->Sections.emplace_back(TImpl::TSection{name, {}});
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!section || equals < 0) { // lines outside sections and without '=' carry nothing
            keep();
            continue;
        }
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1);
        bool replaced = false;
        for (auto& entry : section->Entries)
            if (!entry.Raw && TImpl::Same(entry.Key, key)) entry.Value = value, replaced = true;
        if (!replaced) section->Entries.push_back({key, value});
    }
    FImpl->Saved = Data();
}

QByteArray TIniFile::Data() const {
    QByteArray text;
    for (const auto& line : FImpl->Preamble) text += line + '\n';
    for (const auto& section : FImpl->Sections) {
        if (!text.isEmpty()) text += '\n';
        text += '[' + section.Name + "]\n";
        for (const auto& entry : section.Entries)
            text += entry.Raw ? entry.Value + '\n' : entry.Key + '=' + entry.Value + '\n';
    }
    return text;
}

void TIniFile::SaveFile(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    // Every settings writer locks the folder, not the file: a save replaces
    // the file, and a lock on the replaced one would guard nothing.
    const TFolderLock lock(name);
    const auto current = ReadFileIfExists(name, kMaxTextFileBytes);
    TIniFile merged;
    if (current) {
        merged.LoadData(QByteArray::fromStdString(*current));
        for (const auto& section : FImpl->Erased) merged.EraseSection(QString::fromUtf8(section));
        for (const auto& [section, key] : FImpl->Written)
            if (const auto* entry = FImpl->Find(section, key))
                merged.WriteString(QString::fromUtf8(section), QString::fromUtf8(key),
                                   QString::fromUtf8(entry->Value));
    } else {
        merged.LoadData(Data());
    }
    const QByteArray text = merged.Data();
    WriteFileAtomically(name, std::string_view(text.constData(), text.size()));
    std::swap(FImpl->Preamble, merged.FImpl->Preamble);
    std::swap(FImpl->Sections, merged.FImpl->Sections);
    FImpl->Written.clear();
    FImpl->Erased.clear();
    FImpl->Saved = text;
}

void TIniFile::SetChangeHandler(std::function<void()> handler) {
    FImpl->Changed = std::move(handler);
}

bool TIniFile::IsModified() const {
    return Data() != FImpl->Saved;
}

bool TIniFile::HasSection(const QString& section) const {
    return FImpl->Find(section.toUtf8()) != nullptr;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const {
    return FImpl->Find(section.toUtf8(), key.toUtf8()) != nullptr;
}

QStringList TIniFile::Sections() const {
    QStringList names;
    for (const auto& section : FImpl->Sections) names << QString::fromUtf8(section.Name);
    return names;
}

QStringList TIniFile::Keys(const QString& section) const {
    QStringList names;
    if (const auto* found = FImpl->Find(section.toUtf8()))
        for (const auto& entry : found->Entries)
            if (!entry.Raw) names << QString::fromUtf8(entry.Key);
    return names;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& fallback) const {
    const auto* entry = FImpl->Find(section.toUtf8(), key.toUtf8());
    return entry ? QString::fromUtf8(entry->Value) : fallback;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int value = ReadString(section, key).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    const QString text = ReadString(section, key).trimmed();
    if (text == QLatin1String("1")) return true;
    if (text == QLatin1String("0")) return false;
    return fallback;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double fallback) const {
    bool ok = false;
    const double value = ReadString(section, key).trimmed().toDouble(&ok);
    return ok ? value : fallback;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QByteArray name = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    // A line break would split the entry into lines of its own on reading.
    QByteArray text = value.toUtf8();
    text.replace('\r', ' ').replace('\n', ' ');
    const auto written = [&] {
        for (const auto& [writtenSection, writtenKey] : FImpl->Written)
            if (TImpl::Same(writtenSection, name) && TImpl::Same(writtenKey, keyName)) return;
        FImpl->Written.emplace_back(name, keyName);
    };
    if (auto* entry = FImpl->Find(name, keyName)) {
        if (entry->Value == text) return;
        entry->Value = text;
    } else {
        TImpl::TSection* found = FImpl->Find(name);
        if (!found) found = &FImpl->Sections.emplace_back(TImpl::TSection{name, {}});
        found->Entries.push_back({keyName, text});
    }
    written();
    if (FImpl->Changed) FImpl->Changed();
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    // Round-trip precision, independent of the user's locale.
    WriteString(section, key, QString::number(value, 'g', 17));
}

void TIniFile::EraseSection(const QString& section) {
    const QByteArray name = section.toUtf8();
    const auto removed = std::erase_if(
        FImpl->Sections, [&](const auto& entry) { return TImpl::Same(entry.Name, name); });
    // Writes before the erasure are gone with it.
    std::erase_if(FImpl->Written,
                  [&](const auto& entry) { return TImpl::Same(entry.first, name); });
    if (std::none_of(FImpl->Erased.begin(), FImpl->Erased.end(),
                     [&](const auto& erased) { return TImpl::Same(erased, name); }))
        FImpl->Erased.push_back(name);
    if (removed > 0 && FImpl->Changed) FImpl->Changed();
}

void TIniFile::Clear() {
    FImpl->Preamble.clear();
    FImpl->Sections.clear();
    FImpl->Written.clear();
    FImpl->Erased.clear();
    FImpl->Saved.clear();
}

} // namespace drawmentor
