#pragma once
// The data tests' set-up: a temporary working folder, the program's regional settings (the
// Russian error texts), the error reporter with its stock messages, messages recorded and
// answered from a script, a fatal error counted instead of ending the program, and a logical
// thread (not the first) current with its file managers.

#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/core/regional.h"
#include "platform/records/cursor.h"
#include "tests/support/cp1251.h"
#include "tests/support/other_program.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_workdir.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace test {

class DataTest : public ::testing::Test {
protected:
    DataTest()
    {
        regional::installProgramSettings();
        SetupErrorReporter();
        ErrorReporter().setFatalHandler([this] { ++fatalErrors; });
        ThreadState::setCurrent(&thread);
    }
    ~DataTest() override
    {
        ThreadState::setCurrent(nullptr);
        ErrorReporter().setFatalHandler(nullptr);
    }

    // The captions of the messages shown, in order.
    std::vector<QString> captions() const
    {
        std::vector<QString> out;
        for (const ShownMessage& m : messages.shown()) out.push_back(m.caption);
        return out;
    }

    // Stores `record` as it stands in the current thread's file (opened before).
    template <class R>
    static void store(FileId id, const R& record)
    {
        ASSERT_EQ(Access(id).UseFile(), records::Level::Benign);
        *static_cast<R*>(ThreadData::current().bufferOf(id)) = record;
        ASSERT_EQ(Access(id).file().add(), 0) << Access(id).lastErrorText().toStdString();
    }

    // The current thread's record buffer of the file, and whether it still holds that.
    static std::vector<char> bufferCopy(FileId id)
    {
        const char* buffer = static_cast<const char*>(ThreadData::current().bufferOf(id));
        return std::vector<char>(buffer, buffer + definitionOf(id).layout().recordSize);
    }
    static bool sameAsBuffer(FileId id, const std::vector<char>& copy)
    {
        return definitionOf(id).layout().equal(copy.data(), ThreadData::current().bufferOf(id));
    }

    // The records in the file on disk, whatever its keys leave out; -1 when there is no file.
    static std::int64_t countOf(FileId id, const std::string& where = {})
    {
        const std::string& disk = definitionOf(id).layout().diskName;
        if (!QFile::exists(QString::fromStdString(disk))) return -1;
        RawConnection raw(disk.c_str());
        const auto n = raw.integers("SELECT count(*) FROM records" + (where.empty() ? "" : " WHERE " + where));
        return n.empty() ? -1 : n.front();
    }

    // The records the file's key `key` holds, in its order, as read by the layer.
    template <class R>
    static std::vector<R> readByKey(FileId id, const char* key)
    {
        records::RecordFile& file = Access(id).file();
        records::Cursor cursor(file, file.layout().keyIndex(key));
        cursor.toStart();
        std::vector<R> out;
        R record;
        while (cursor.next(&record) == 0) out.push_back(record);
        return out;
    }

    static QByteArray bytesOf(const char* path)
    {
        QFile f(QString::fromLatin1(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempWorkDir dir;
    RecordedMessages messages;
    ThreadData thread{2};
    int fatalErrors = 0;
};

// Runs `action` when a message with `caption` is shown, before it is answered.
class MessagesActing : public RecordedMessages {
public:
    MessagesActing(QString caption, std::function<void()> action)
        : caption_(std::move(caption)), action_(std::move(action))
    {
    }
    unsigned show(const QString& text, const QString& caption, MessageIcon icon, unsigned buttons,
                  unsigned defaultButton) override
    {
        if (caption == caption_) action_();
        return RecordedMessages::show(text, caption, icon, buttons, defaultButton);
    }

private:
    QString caption_;
    std::function<void()> action_;
};

// Records built in code.
inline HeadersRecord header(int number, const char* name = "")
{
    HeadersRecord r;
    r.NUMBER = std::int16_t(number);
    r.NAME = name;
    return r;
}

inline GroupsWksRecord section(int estimate, int number)
{
    GroupsWksRecord r;
    r.NUMSMET = std::int16_t(estimate);
    r.NUMINSMETA = std::int16_t(number);
    return r;
}

inline WrksInSmtRecord line(int estimate, int section, int number, const char* code = "")
{
    WrksInSmtRecord r;
    r.CODER = std::int16_t(estimate);
    r.GRINSMETA = std::uint8_t(section);
    r.NUMINGROUP = std::int16_t(number);
    r.NRAS = code;
    return r;
}

inline RaszenkiRecord rate(const char* group, const char* code, const char* name = "")
{
    RaszenkiRecord r;
    r.GROUP = group;
    r.NRAS = code;
    r.NAME = name;
    return r;
}

}  // namespace test
