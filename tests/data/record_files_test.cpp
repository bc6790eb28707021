// The nine files: their disk names, their unique and optional keys, and the relations that
// carry no rule.

#include "tests/data/data_test.h"

#include <functional>

namespace {

using records::Level;
using test::line;
using test::rate;
using test::section;

class RecordFiles : public test::DataTest {};

TEST_F(RecordFiles, EachFileIsCreatedUnderItsDiskNameOnFirstUse)
{
    const std::pair<FileId, const char*> cases[] = {
        {FileId::GroupsWks, "GROUPSWK.TPS"}, {FileId::EdIzmer, "EDIZMER.TPS"},   {FileId::textrep, "TEXTREP"},
        {FileId::NSBRAZ, "NSBRAZ.TPS"},      {FileId::Raszenki, "RASZENKI.TPS"}, {FileId::WrksInSmt, "WRKSINSM.TPS"},
        {FileId::MatLst, "MATLST.TPS"},      {FileId::MATS, "MATS.TPS"},         {FileId::Headers, "HEADERS.TPS"},
    };
    for (const auto& [id, disk] : cases) {
        SCOPED_TRACE(disk);
        const QString name = QString::fromLatin1(disk);
        // "%File" is the label until the file is first used, then the disk name without extension
        EXPECT_EQ(Access(id).FILENAMEVALUE, QString::fromUtf8(definitionOf(id).label));
        EXPECT_FALSE(QFile::exists(name));
        ASSERT_EQ(Relate(id).Open(), Level::Benign);
        EXPECT_TRUE(QFile::exists(name));
        EXPECT_EQ(Access(id).FILENAMEVALUE, name.section(u'.', 0, 0));
        Relate(id).Close();
    }
    EXPECT_EQ(QFile(QStringLiteral("TEXTREP")).size(), 0);
    EXPECT_EQ(countOf(FileId::Headers), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RecordFiles, AUniqueKeyRefusesTheSameValueInAnotherCase)
{
    struct Case {
        FileId id;
        std::function<void(const char*)> set;  // the key field of the buffer
        const char* first;
        const char* second;
        const char* description;
    };
    const Case cases[] = {
        {FileId::Raszenki, [](const char* v) { WRK().NRAS = v; }, "Е1-1а", "е1-1А", "По позиции"},
        {FileId::EdIzmer, [](const char* v) { EDI().EDIZM = v; }, "м2", "М2", "EDI:KeyEdIzm"},
        {FileId::NSBRAZ, [](const char* v) { NSR().KEY_ROOT = v; }, "Кат", "кАТ", "по Категориям"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        messages.clear();
        ASSERT_EQ(Relate(c.id).Open(), Level::Benign);
        ASSERT_EQ(Access(c.id).PrimeRecord(), Level::Benign);
        c.set(c.first);
        ASSERT_EQ(Access(c.id).Insert(), Level::Benign);

        ASSERT_EQ(Access(c.id).PrimeRecord(), Level::Benign);
        c.set(c.second);
        const std::vector<char> before = bufferCopy(c.id);
        EXPECT_EQ(Access(c.id).Insert(), Level::Notify);
        EXPECT_TRUE(sameAsBuffer(c.id, before));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка дублирования в ключе"));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Добавление этой записи создает дублирование для ключа: ") +
                                                QString::fromUtf8(c.description));
        EXPECT_EQ(countOf(c.id), 1);
        Relate(c.id).Close();
    }
}

TEST_F(RecordFiles, ABlankRateCodeIsOutOfThePositionKeyButInTheGroupKey)
{
    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    for (const RaszenkiRecord& r :
         {rate("A", "", "first"), rate("A", "", "second"), rate("", "", "nowhere"), rate("B", "X1", "coded")}) {
        ASSERT_EQ(Access(FileId::Raszenki).PrimeRecord(), Level::Benign);
        WRK() = r;
        // two blank codes are no duplicate of each other
        ASSERT_EQ(Access(FileId::Raszenki).Insert(), Level::Benign);
    }
    auto names = [](const std::vector<RaszenkiRecord>& rates) {
        std::vector<QString> out;
        for (const RaszenkiRecord& r : rates) out.push_back(r.NAME.toQString());
        return out;
    };
    EXPECT_EQ(names(readByKey<RaszenkiRecord>(FileId::Raszenki, "WRK:ONSPRAVOCH")),
              std::vector<QString>{QStringLiteral("coded")});
    EXPECT_EQ(names(readByKey<RaszenkiRecord>(FileId::Raszenki, "WRK:ONGROUP")),
              (std::vector<QString>{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("coded")}));
    EXPECT_EQ(countOf(FileId::Raszenki), 4);
}

TEST_F(RecordFiles, DeletingASectionAUnitOrACategoryLeavesTheRecordsThatNameIt)
{
    ASSERT_EQ(Relate(FileId::GroupsWks).Open(), Level::Benign);
    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    store(FileId::GroupsWks, section(7, 2));
    for (int n = 1; n <= 3; ++n) {
        WrksInSmtRecord l = line(7, 2, n, "K1-1");
        l.EDIZM = "м2";
        store(FileId::WrksInSmt, l);
    }
    EdIzmerRecord unit;
    unit.EDIZM = "м2";
    store(FileId::EdIzmer, unit);
    NSBRAZRecord category;
    category.KEY_ROOT = "K1";
    store(FileId::NSBRAZ, category);
    RaszenkiRecord r = rate("K1", "K1-1");
    r.EDIZM = "м2";
    store(FileId::Raszenki, r);
    const QByteArray linesBefore = bytesOf("WRKSINSM.TPS");
    const QByteArray ratesBefore = bytesOf("RASZENKI.TPS");

    for (FileId id : {FileId::GroupsWks, FileId::EdIzmer, FileId::NSBRAZ}) {
        SCOPED_TRACE(definitionOf(id).label);
        records::Cursor cursor(Access(id).file(), 0);
        cursor.toStart();
        ASSERT_EQ(cursor.next(), 0);
        EXPECT_EQ(Relate(id).Delete(false), Level::Benign);
        EXPECT_EQ(countOf(id), 0);
    }
    EXPECT_EQ(bytesOf("WRKSINSM.TPS"), linesBefore);
    EXPECT_EQ(bytesOf("RASZENKI.TPS"), ratesBefore);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RecordFiles, TheHeadersNotesAreNamedForExpressionsAndKeptByteForByte)
{
    const records::Layout& layout = HeadersLayout();
    const int memo = layout.columnIndex("DFL:Primechanie");
    ASSERT_GE(memo, 0);
    EXPECT_EQ(layout.columns[std::size_t(memo)].kind, records::ColumnKind::Memo);
    EXPECT_EQ(layout.columns[std::size_t(memo)].width, 1000);

    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    ASSERT_EQ(Access(FileId::Headers).PrimeRecord(), Level::Benign);
    const std::string notes = cp("Примечание\r\n\tвторая строка  ") + std::string(1, '\0') + "   ";
    DFL().Primechanie.setBytes(notes);
    ASSERT_EQ(Access(FileId::Headers).Insert(), Level::Benign);
    DFL() = test::header(1);
    ASSERT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);
    EXPECT_EQ(std::string(DFL().Primechanie.bytes()), notes);
    Relate(FileId::Headers).Close();
}

}  // namespace
