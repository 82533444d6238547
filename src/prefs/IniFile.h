#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QByteArray;

namespace drawmentor {

// An INI file held in memory. Section and key names are matched without regard
// to ASCII case; names and values round-trip unchanged (nothing is quoted or
// escaped) and sections the program does not know survive a load and a save,
// in file order, as do comments and other lines it does not understand. Text
// is UTF-8.
class TIniFile {
  public:
    TIniFile();
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // A missing file gives an empty image; an unreadable one (or one that is
    // no regular file, or larger than kMaxTextFileBytes) is an error.
    void LoadFile(const QString& path);
    void LoadData(const QByteArray& data);
    QByteArray Data() const;
    // Written to a temporary file that replaces `path` only when every write
    // and the sync succeeded; an error says what failed. Other programs may
    // share the file (the trainer and the command-line tool), so the save
    // holds a lock on the folder, reads the file again and changes in it only
    // the keys written and the sections erased since the load or the last
    // save; the image then holds what was saved. Without a file at `path`
    // the whole image is written.
    void SaveFile(const QString& path);

    bool HasSection(const QString& section) const;
    bool HasKey(const QString& section, const QString& key) const;
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    QString ReadString(const QString& section, const QString& key,
                       const QString& fallback = {}) const;
    // The fallback also for text that is not a whole number.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    double ReadFloat(const QString& section, const QString& key, double fallback) const;

    // A write that leaves the value as it is changes nothing a save would keep.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value);
    void EraseSection(const QString& section);
    void Clear();

    // Called after every write or erasure that changes the image, so that
    // its owner can save it soon (loading and clearing are no changes).
    void SetChangeHandler(std::function<void()> handler);
    // Whether the image differs from what was last loaded or saved: a value
    // written over and back again leaves nothing to save.
    bool IsModified() const;

  private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

} // namespace drawmentor
