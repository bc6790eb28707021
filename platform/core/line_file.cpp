#include "platform/core/line_file.h"

#include "platform/core/codepage.h"
#include "platform/core/fixed_string.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

int openFile(const QString& path, int flags)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Byte-to-byte recoding between the code pages, built once from their conversions: a
// table look-up per byte keeps long files fast.
using Recoding = std::array<char, 256>;

Recoding makeRecoding(std::string (*convert)(std::string_view))
{
    Recoding r{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        r[b] = convert(std::string_view(&c, 1))[0];
    }
    return r;
}

const Recoding& windowsToDos()
{
    static const Recoding r = makeRecoding(codepage::cp1251ToCp866);
    return r;
}

const Recoding& dosToWindows()
{
    static const Recoding r = makeRecoding(codepage::cp866ToCp1251);
    return r;
}

}  // namespace

LineFileWriter::~LineFileWriter() { close(); }

bool LineFileWriter::open(const QString& path, LineCodePage codePage, bool append)
{
    close();
    error_ = 0;
    fd_ = openFile(path, O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC));
    if (fd_ < 0) return fail(errno);
    codePage_ = codePage;
    buffer_.reserve(kBufferSize);
    return true;
}

bool LineFileWriter::writeLine(std::string_view cp1251, std::size_t width)
{
    if (fd_ < 0) return fail(EBADF);
    const std::string_view text = fixed_string_detail::clip(cp1251.substr(0, width));
    if (codePage_ == LineCodePage::Cp866) {
        const Recoding& recode = windowsToDos();
        for (char c : text) buffer_ += recode[static_cast<unsigned char>(c)];
    } else {
        buffer_ += text;
    }
    buffer_ += "\r\n";
    return buffer_.size() < kBufferSize || flush();
}

bool LineFileWriter::flush()
{
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            buffer_.clear();
            return fail(errno);
        }
        done += std::size_t(n);
    }
    buffer_.clear();
    return true;
}

bool LineFileWriter::close()
{
    if (fd_ < 0) return true;
    bool ok = flush();
    if (::close(fd_) != 0 && ok) ok = fail(errno);
    fd_ = -1;
    return ok;
}

bool LineFileWriter::fail(int error)
{
    error_ = error;
    return false;
}

LineFileReader::~LineFileReader() { close(); }

bool LineFileReader::open(const QString& path, LineCodePage codePage)
{
    close();
    error_ = 0;
    fd_ = openFile(path, O_RDONLY);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    codePage_ = codePage;
    buffer_.resize(kBufferSize);
    return true;
}

bool LineFileReader::fill()
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return false;
        }
        begin_ = 0;
        end_ = std::size_t(n);
        atEnd_ = n == 0;
        return true;
    }
}

void LineFileReader::skipByteOrderMark()
{
    atStart_ = false;
    static constexpr char kBom[] = "\xEF\xBB\xBF";
    if (codePage_ == LineCodePage::Utf8 && end_ - begin_ >= 3 && std::memcmp(buffer_.data() + begin_, kBom, 3) == 0) {
        begin_ += 3;
        lineBytes_ += 3;
    }
}

LineFileReader::Read LineFileReader::readLine(std::string& cp1251, std::size_t maxLength)
{
    cp1251.clear();
    lineBytes_ = 0;
    if (fd_ < 0) {
        error_ = EBADF;
        return Read::Error;
    }
    constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
    // A UTF-8 character takes up to four bytes; one more byte keeps a CR before the line end.
    std::size_t keep = codePage_ == LineCodePage::Utf8 ? (maxLength > kMax / 4 ? kMax : maxLength * 4) : maxLength;
    if (keep < kMax) ++keep;
    bool gotText = false;
    for (;;) {
        if (begin_ == end_) {
            if (atEnd_) break;
            if (!fill()) return Read::Error;
            continue;
        }
        if (atStart_) {
            skipByteOrderMark();
            gotText = true;  // a byte-order mark alone is an empty line
            continue;
        }
        const char* start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        gotText = true;
        const void* lf = std::memchr(start, '\n', available);
        const std::size_t length = lf ? std::size_t(static_cast<const char*>(lf) - start) : available;
        cp1251.append(start, std::min(length, keep - cp1251.size()));
        begin_ += length + (lf ? 1 : 0);
        lineBytes_ += length + (lf ? 1 : 0);
        if (lf) break;
    }
    if (!gotText) return Read::End;
    // checked on the whole line: a CR LF may straddle two buffer fills
    if (!cp1251.empty() && cp1251.back() == '\r') cp1251.pop_back();
    if (codePage_ == LineCodePage::Cp866) {
        const Recoding& recode = dosToWindows();
        for (char& c : cp1251) c = recode[static_cast<unsigned char>(c)];
    } else if (codePage_ == LineCodePage::Utf8) {
        cp1251 = codepage::utf8ToCp1251(cp1251);
    }
    if (cp1251.size() > maxLength) cp1251.resize(maxLength);
    return Read::Line;
}

bool LineFileReader::rewind()
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    if (::lseek(fd_, 0, SEEK_SET) < 0) {
        error_ = errno;
        return false;
    }
    begin_ = end_ = 0;
    atEnd_ = false;
    atStart_ = true;
    return true;
}

void LineFileReader::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    atEnd_ = false;
    atStart_ = true;
}
