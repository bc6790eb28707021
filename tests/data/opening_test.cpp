// Opening a file on its first use: creating a missing one, falling back to read-only, and the
// fatal refusals of a foreign file and of a file no window opened.

#include "tests/data/data_test.h"

#include <sys/stat.h>

#include <functional>

namespace {

using records::Level;
using test::header;
using test::line;
using test::rate;
using test::section;

class Opening : public test::DataTest {};

const QString kFatalSuffix = QStringLiteral("  Press OK to end this application");

TEST_F(Opening, ARelatedFileIsCreatedOnItsOwnFirstUse)
{
    ASSERT_EQ(Relate(FileId::EdIzmer).Open(), Level::Benign);
    EXPECT_TRUE(QFile::exists(QStringLiteral("EDIZMER.TPS")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("MATLST.TPS")));  // only marked as opened
    MAN().NPP = 1;
    EXPECT_EQ(Access(FileId::MatLst).TryFetch(0), Level::Notify);  // read: not there
    EXPECT_TRUE(QFile::exists(QStringLiteral("MATLST.TPS")));
    EXPECT_EQ(countOf(FileId::MatLst), 0);
    EXPECT_TRUE(messages.shown().empty());
    Relate(FileId::EdIzmer).Close();
}

TEST_F(Opening, AReadOnlyFileOpensReadOnlyAndEveryWriteFails)
{
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    store(FileId::Headers, header(1));
    store(FileId::GroupsWks, section(1, 1));
    store(FileId::WrksInSmt, line(1, 1, 1));
    store(FileId::Raszenki, rate("G", "R-1"));
    TEX().CURSTRING = "line";
    ASSERT_EQ(Access(FileId::textrep).Insert(), Level::Benign);
    for (FileId id : {FileId::Headers, FileId::Raszenki, FileId::textrep}) Relate(id).Close();

    std::vector<std::pair<std::string, QByteArray>> before;
    for (FileId id : kFileOrder) {
        const std::string& disk = definitionOf(id).layout().diskName;
        if (!QFile::exists(QString::fromStdString(disk))) continue;
        ASSERT_EQ(::chmod(disk.c_str(), 0444), 0);
        before.emplace_back(disk, bytesOf(disk.c_str()));
    }

    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Доступ запрещен"));
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Невозможно производить запись в файл RASZENKI поэтому осуществляется только чтение."));
    EXPECT_TRUE(Access(FileId::Raszenki).file().isReadOnly());
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);

    struct Case {
        const char* what;
        std::function<Level()> write;
        std::vector<QString> captions;  // after any "Доступ запрещен" of a related file's first use
    };
    const QString addFailed = QStringLiteral("Ошибка добавления записи");
    const QString putFailed = QStringLiteral("Запись не обновляется");
    const QString deleteFailed = QStringLiteral("Запись не удаляется");
    const QString retryDelete = QStringLiteral("Ошибка удаления записи");
    const Case cases[] = {
        {"insert a rate",
         [] {
             Access(FileId::Raszenki).PrimeRecord();
             WRK().NRAS = "R-2";
             return Access(FileId::Raszenki).Insert();
         },
         {addFailed}},
        {"change a rate",
         [] {
             WRK().NRAS = "R-1";
             Access(FileId::Raszenki).TryFetch(2);
             WRK().NAME = "changed";
             return Relate(FileId::Raszenki).Update();
         },
         {putFailed}},
        {"delete a rate", [] { return Relate(FileId::Raszenki).Delete(false); }, {deleteFailed, retryDelete}},
        {"delete through the access manager", [] { return Access(FileId::Raszenki).DeleteRecord(); }, {deleteFailed}},
        {"prime a header",
         [] { return Access(FileId::Headers).PrimeRecord(); },
         {QStringLiteral("Ошибка автоматического увеличения")}},
        {"insert a header never primed",
         [] { return Access(FileId::Headers).Insert(); },
         {QStringLiteral("Ошибка автоматического увеличения")}},
        {"renumber a header",
         [] {
             DFL().NUMBER = 1;
             Access(FileId::Headers).TryFetch(0);
             DFL().NUMBER = 2;
             return Relate(FileId::Headers).Update();
         },
         {putFailed}},
        {"delete a header",
         [] {
             DFL().NUMBER = 1;
             Access(FileId::Headers).TryFetch(0);
             return Relate(FileId::Headers).Delete(false);
         },
         {deleteFailed, retryDelete}},
        {"prime a work line",
         [] {
             NSB() = line(1, 1, 0);
             return Access(FileId::WrksInSmt).PrimeRecord(true);
         },
         {QStringLiteral("Ошибка автоматического увеличения")}},
        {"append a report line",
         [] {
             TEX().CURSTRING = "more";
             return Access(FileId::textrep).Insert();
         },
         {addFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        EXPECT_EQ(c.write(), Level::Notify);
        std::vector<QString> shown = captions();
        std::erase(shown, QStringLiteral("Доступ запрещен"));
        EXPECT_EQ(shown, c.captions);
    }
    EXPECT_EQ(Access(FileId::Headers).AUTOINCDONE, 0);
    for (const auto& [disk, bytes] : before) EXPECT_EQ(bytesOf(disk.c_str()), bytes) << disk;
    EXPECT_EQ(fatalErrors, 0);
    for (FileId id : {FileId::Headers, FileId::Raszenki, FileId::textrep}) Relate(id).Close();
}

TEST_F(Opening, AForeignFileIsFatalAndLeftAsItIs)
{
    {
        QFile f(QStringLiteral("HEADERS.TPS"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a record file\r\n");
    }
    EXPECT_EQ(Relate(FileId::Headers).Open(), Level::Fatal);
    EXPECT_EQ(fatalErrors, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    const test::ShownMessage& m = messages.shown()[0];
    EXPECT_EQ(m.caption, QStringLiteral("Ошибка доступа к файлу"));
    EXPECT_TRUE(
        m.text.startsWith(QStringLiteral("Файл HEADERS не может быть открыт.  Ошибка: Неверная структура файла (47).")))
        << m.text.toStdString();
    EXPECT_TRUE(m.text.endsWith(kFatalSuffix));
    EXPECT_EQ(bytesOf("HEADERS.TPS"), QByteArray("not a record file\r\n"));
    Relate(FileId::Headers).Close();
}

TEST_F(Opening, AFolderOrOtherOddThingInPlaceOfAFileIsFatalAtOnceWithItsReason)
{
    const QString folder = QStringLiteral("это папка, а не файл данных (47)");
    const QString device = QStringLiteral("это устройство или канал, а не файл данных (47)");
    struct Case {
        FileId id;
        bool pipe;
        QString reason;
    };
    for (const Case& c : {Case{FileId::Headers, false, folder}, Case{FileId::Raszenki, true, device},
                          Case{FileId::textrep, false, folder}}) {
        const std::string& disk = definitionOf(c.id).layout().diskName;
        SCOPED_TRACE(disk);
        messages.clear();
        fatalErrors = 0;
        ASSERT_EQ(c.pipe ? ::mkfifo(disk.c_str(), 0644) : ::mkdir(disk.c_str(), 0755), 0);
        EXPECT_EQ(Relate(c.id).Open(), Level::Fatal);
        EXPECT_EQ(fatalErrors, 1);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка доступа к файлу"));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Файл ") + Access(c.id).diskName() +
                                                QStringLiteral(" не может быть открыт.  Ошибка: ") + c.reason +
                                                u'.' + kFatalSuffix);
        Relate(c.id).Close();
    }

    // a related file that a write reaches: the write cannot start, and says why
    messages.clear();
    ASSERT_EQ(::mkdir("WRKSINSM.TPS", 0755), 0);
    ::rmdir("HEADERS.TPS");
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    store(FileId::Headers, header(1));
    DFL().NUMBER = 1;
    ASSERT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);
    EXPECT_EQ(Relate(FileId::Headers).Delete(false), Level::Notify);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Транзакция отменена"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Ошибка: (") + folder +
                                            QStringLiteral(") невозможно выполнить транзакцию для WRKSINSM."));
    EXPECT_EQ(countOf(FileId::Headers), 1);
    Relate(FileId::Headers).Close();
}

TEST_F(Opening, KeysToRebuildAreReportedThenRebuiltOrTheirFailureIsFatal)
{
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    store(FileId::Headers, header(1));
    Relate(FileId::Headers).Close();
    const std::string keys = RawConnection("HEADERS.TPS").column("SELECT value FROM tolvex_meta WHERE name = 'keys'").at(0);
    const QString rebuild = QStringLiteral("Неверный ключ");

    RawConnection("HEADERS.TPS").exec("UPDATE tolvex_meta SET value = '0' WHERE name = 'collation'");
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    EXPECT_EQ(captions(), std::vector<QString>{rebuild});
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Файл HEADERS - ключ испорчен. Ключ необходимо перестроить."));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    DFL().NUMBER = 1;
    EXPECT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);
    Relate(FileId::Headers).Close();

    // two headers with one number cannot get their unique key back
    messages.clear();
    RawConnection("HEADERS.TPS")
        .exec("DROP INDEX BYNUM; INSERT INTO records (NUMBER) VALUES (1);"
              "UPDATE tolvex_meta SET value = 'old' WHERE name = 'keys'");
    EXPECT_EQ(Relate(FileId::Headers).Open(), Level::Fatal);
    EXPECT_EQ(fatalErrors, 1);
    EXPECT_EQ(captions(), (std::vector<QString>{rebuild, QStringLiteral("Ключ не построен")}));
    EXPECT_EQ(messages.shown()[1].text,
              QStringLiteral("Ошибка: (Недопустимое повторение ключа (40)) восстановления ключа для HEADERS.") +
                  kFatalSuffix);
    EXPECT_EQ(countOf(FileId::Headers), 2);
    EXPECT_NE(RawConnection("HEADERS.TPS").column("SELECT value FROM tolvex_meta WHERE name = 'keys'").at(0), keys);
    Relate(FileId::Headers).Close();
}

TEST_F(Opening, AMissingFileThatCannotBeCreatedIsFatal)
{
    // the name leads into a folder that does not exist
    ASSERT_TRUE(QFile::link(QStringLiteral("no-such-folder/EDIZMER.TPS"), QStringLiteral("EDIZMER.TPS")));
    EXPECT_EQ(Relate(FileId::EdIzmer).Open(), Level::Fatal);
    EXPECT_EQ(fatalErrors, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка создания файла"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Ошибка: (Нет доступа (5)) создания EDIZMER.") + kFatalSuffix);
    Relate(FileId::EdIzmer).Close();
}

TEST_F(Opening, UsingAFileNoWindowOpenedIsFatal)
{
    GRO().NUMSMET = 1;
    EXPECT_EQ(Access(FileId::GroupsWks).PrimeRecord(true), Level::Fatal);
    EXPECT_EQ(fatalErrors, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка использования файла"));
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Попытка работы с файлом (GROUPSWK) до его открытия") + kFatalSuffix);
    EXPECT_FALSE(QFile::exists(QStringLiteral("GROUPSWK.TPS")));
}

}  // namespace
