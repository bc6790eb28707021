#pragma once
// Line-oriented text files: one record per line. Written lines are cut to the record's width,
// lose their trailing blanks and end with CR LF; read lines may end with CR LF or LF. Texts in
// memory are windows-1251 whatever the file's code page. Both sides are buffered and use
// plain file calls, so neither a text codec nor the process locale plays a part. UTF-8 is read
// only: a byte-order mark at the start is skipped, and a character windows-1251 cannot hold
// reads as '?'.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

enum class LineCodePage { Cp1251, Cp866, Utf8 };

class LineFileWriter {
public:
    LineFileWriter() = default;
    LineFileWriter(const LineFileWriter&) = delete;
    LineFileWriter& operator=(const LineFileWriter&) = delete;
    ~LineFileWriter();  // closes; a failure then goes unreported

    // Creates the file or empties it; with append, adds to its end.
    bool open(const QString& path, LineCodePage codePage, bool append = false);
    // A failed write may show only at a later line or at close, as the lines are buffered.
    bool writeLine(std::string_view cp1251, std::size_t width);
    bool close();
    bool isOpen() const { return fd_ >= 0; }
    // errno of the last failure
    int error() const { return error_; }

private:
    bool flush();
    bool fail(int error);

    int fd_ = -1;
    LineCodePage codePage_ = LineCodePage::Cp1251;
    std::string buffer_;
    int error_ = 0;
};

class LineFileReader {
public:
    enum class Read { Line, End, Error };

    LineFileReader() = default;
    LineFileReader(const LineFileReader&) = delete;
    LineFileReader& operator=(const LineFileReader&) = delete;
    ~LineFileReader();

    bool open(const QString& path, LineCodePage codePage);
    // The next line without its line end. A last line without a line end is a line as well;
    // an empty line is a Line, End comes only after the last one. A line longer than
    // maxLength characters is cut there and the rest of it skipped without being kept.
    Read readLine(std::string& cp1251, std::size_t maxLength = std::numeric_limits<std::size_t>::max());
    // The bytes the line read last takes in the file, with its line end (and a byte-order
    // mark before it), so that the lines of a file add up to its size.
    std::uint64_t lineBytes() const { return lineBytes_; }
    // Back to the first line; false on a failure (see error()).
    bool rewind();
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // errno of the last failure of open, readLine or rewind
    int error() const { return error_; }

private:
    bool fill();
    void skipByteOrderMark();

    int fd_ = -1;
    LineCodePage codePage_ = LineCodePage::Cp1251;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool atStart_ = true;
    std::uint64_t lineBytes_ = 0;
    int error_ = 0;
};
