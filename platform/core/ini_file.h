#pragma once
// Initialisation files as the settings use them: "[section]" lines followed by "key=value"
// lines, names compared without regard to case, windows-1251 text with CR LF line ends.
// Every line the program does not know (comments, other sections, odd lines) is kept.

#include <QString>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class IniFile {
public:
    // The process's one instance for the file (by absolute, cleaned path), so that all readers
    // and writers share one state. The file is read again whenever it changed on disk.
    static IniFile& at(const QString& path);

    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // The first section of that name and its first key of that name; the value trimmed of
    // leading and trailing blanks, enclosing quotes kept. defaultValue when the file, the
    // section or the key is missing.
    QString value(const QString& section, const QString& key, const QString& defaultValue = {}) const;

    // Writes the value without its trailing blanks: an existing key's line changes in place, a
    // new key follows the last key of its section, a new section goes to the end of the file.
    // The file is replaced atomically and only when it is writable; a failure is not reported
    // (the value stays in memory until the file changes on disk).
    void setValue(const QString& section, const QString& key, const QString& value);

    // While one exists, setValue changes only the memory; the file is written once when the
    // last one ends.
    class Batch {
    public:
        explicit Batch(IniFile& file);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        IniFile& file_;
    };

private:
    // What tells a changed file apart; all zero for a missing one.
    struct FileStamp {
        bool exists = false;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::uint64_t inode = 0;
        std::uint64_t device = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    explicit IniFile(QString absolutePath);
    void reloadIfChanged() const;
    void write();

    const QString path_;
    mutable std::mutex mutex_;
    mutable std::vector<std::string> lines_;  // windows-1251, without line ends
    mutable FileStamp loaded_;
    int batches_ = 0;
    bool unwritten_ = false;
};
