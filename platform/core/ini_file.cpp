#include "platform/core/ini_file.h"

#include "platform/core/atomic_file.h"
#include "platform/core/codepage.h"
#include "platform/core/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include <sys/stat.h>

namespace {

using Lines = std::vector<std::string>;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string withoutTrailingBlanks(std::string s)
{
    while (!s.empty() && isBlank(s.back())) s.pop_back();
    return s;
}

// The name of a "[name]" line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    const std::string_view t = trimmed(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmed(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::size_t valueStart;  // just after the '='
};

// A "key=value" line; comments (";") and section lines are none.
std::optional<KeyLine> keyLine(std::string_view line)
{
    const std::string_view t = trimmed(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), equals + 1};
}

bool sameName(std::string_view inFile, const QString& name)
{
    return QString::compare(codepage::fromCp1251(inFile), name, Qt::CaseInsensitive) == 0;
}

// Lines [header, end): the section's own line and the lines up to the next section.
struct Section {
    std::size_t header;
    std::size_t end;
};

std::optional<Section> findSection(const Lines& lines, const QString& name)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto found = sectionName(lines[i]);
        if (!found || !sameName(*found, name)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end])) ++end;
        return Section{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const Lines& lines, Section section, const QString& key)
{
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const auto line = keyLine(lines[i]);
        if (line && sameName(line->key, key)) return i;
    }
    return std::nullopt;
}

// Where a new key goes: after the section's last key, before the blank lines that end it.
std::size_t insertionPoint(const Lines& lines, Section section)
{
    std::size_t after = section.header + 1;
    for (std::size_t i = section.header + 1; i < section.end; ++i)
        if (keyLine(lines[i])) after = i + 1;
    return after;
}

// CR LF and LF line ends alike.
Lines readLines(const QString& path)
{
    LineFileReader reader;
    if (!reader.open(path, LineCodePage::Cp1251)) return {};
    Lines lines;
    std::string line;
    while (reader.readLine(line) == LineFileReader::Read::Line) lines.push_back(line);
    return lines;
}

}  // namespace

IniFile& IniFile::at(const QString& path)
{
    // Never destroyed: objects torn down at exit may still write their settings.
    struct Registry {
        std::mutex mutex;
        std::map<QString, std::unique_ptr<IniFile>> files;
    };
    static Registry* const registry = new Registry;

    const QString absolutePath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    std::lock_guard lock(registry->mutex);
    auto& file = registry->files[absolutePath];
    if (!file) file.reset(new IniFile(absolutePath));
    return *file;
}

IniFile::IniFile(QString absolutePath) : path_(std::move(absolutePath)) {}

IniFile::FileStamp IniFile::stampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {true, std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            std::uint64_t(st.st_ino), std::uint64_t(st.st_dev)};
}

void IniFile::reloadIfChanged() const
{
    // A batch's changes win over the disk until they are written.
    if (unwritten_) return;
    const FileStamp onDisk = stampOf(path_);
    if (onDisk == loaded_) return;
    lines_ = readLines(path_);
    loaded_ = onDisk;
}

QString IniFile::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    std::lock_guard lock(mutex_);
    reloadIfChanged();
    const auto found = findSection(lines_, section);
    if (!found) return defaultValue;
    const auto index = findKey(lines_, *found, key);
    if (!index) return defaultValue;
    const std::string_view line = lines_[*index];
    return codepage::fromCp1251(trimmed(line.substr(keyLine(line)->valueStart)));
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const std::string text = withoutTrailingBlanks(codepage::toCp1251(value));
    std::lock_guard lock(mutex_);
    reloadIfChanged();
    const std::string newKeyLine = codepage::toCp1251(key) + '=' + text;
    if (const auto found = findSection(lines_, section)) {
        if (const auto index = findKey(lines_, *found, key)) {
            std::string& line = lines_[*index];
            line = std::string(keyLine(line)->key) + '=' + text;  // the key as the file spells it
        } else {
            lines_.insert(lines_.begin() + std::ptrdiff_t(insertionPoint(lines_, *found)), newKeyLine);
        }
    } else {
        if (!lines_.empty() && !trimmed(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back('[' + codepage::toCp1251(section) + ']');
        lines_.push_back(newKeyLine);
    }
    if (batches_ > 0)
        unwritten_ = true;
    else
        write();
}

void IniFile::write()
{
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    unwritten_ = false;
    if (atomic_file::replace(path_, bytes)) loaded_ = stampOf(path_);
}

IniFile::Batch::Batch(IniFile& file) : file_(file)
{
    std::lock_guard lock(file_.mutex_);
    ++file_.batches_;
}

IniFile::Batch::~Batch()
{
    std::lock_guard lock(file_.mutex_);
    if (--file_.batches_ == 0 && file_.unwritten_) file_.write();
}
