#include "IniFile.h"

#include "cards/Error.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#define SI_NO_CONVERSION
#define SI_SUPPORT_IOSTREAMS
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <list>
#include <string>

namespace drawmentor {

struct TIniFile::TImpl {
    TImpl() : Ini(/*isUtf8*/ true, /*multiKey*/ false, /*multiLine*/ false) { Ini.SetSpaces(false); }
    CSimpleIniA Ini;
};

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

QStringList Names(const CSimpleIniA::TNamesDepend& names) {
    CSimpleIniA::TNamesDepend sorted = names;
    sorted.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList list;
    for (const auto& entry : sorted) list << QString::fromUtf8(entry.pItem);
    return list;
}

} // namespace

TIniFile::TIniFile() : FImpl(std::make_unique<TImpl>()) {}
TIniFile::~TIniFile() = default;

void TIniFile::LoadFile(const QString& path) {
    Clear();
    QFile file(path);
    if (!file.exists()) return;
    if (!file.open(QIODevice::ReadOnly))
        throw EDrawMentor(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()).toStdString());
    LoadData(file.readAll());
}

void TIniFile::LoadData(const QByteArray& data) {
    Clear();
    // A byte-order mark from an editor is not part of the first section name.
    QByteArray text = data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data;
    if (FImpl->Ini.LoadData(text.constData(), static_cast<size_t>(text.size())) < 0)
        throw EDrawMentor("The INI text cannot be parsed");
}

QByteArray TIniFile::Data() const {
    std::string text;
    FImpl->Ini.Save(text);
    return QByteArray::fromStdString(text);
}

void TIniFile::SaveFile(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Data()) < 0 || !file.commit())
        throw EDrawMentor(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

bool TIniFile::HasSection(const QString& section) const {
    return FImpl->Ini.GetSection(Utf8(section).c_str()) != nullptr;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const {
    return FImpl->Ini.GetValue(Utf8(section).c_str(), Utf8(key).c_str(), nullptr) != nullptr;
}

QStringList TIniFile::Sections() const {
    CSimpleIniA::TNamesDepend names;
    FImpl->Ini.GetAllSections(names);
    return Names(names);
}

QStringList TIniFile::Keys(const QString& section) const {
    CSimpleIniA::TNamesDepend names;
    FImpl->Ini.GetAllKeys(Utf8(section).c_str(), names);
    return Names(names);
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const char* value = FImpl->Ini.GetValue(Utf8(section).c_str(), Utf8(key).c_str(), nullptr);
    return value ? QString::fromUtf8(value) : fallback;
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
    FImpl->Ini.SetValue(Utf8(section).c_str(), Utf8(key).c_str(), Utf8(value).c_str());
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

void TIniFile::EraseSection(const QString& section) { FImpl->Ini.Delete(Utf8(section).c_str(), nullptr); }

void TIniFile::Clear() { FImpl->Ini.Reset(); }

} // namespace drawmentor
