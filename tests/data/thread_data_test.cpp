// Per-thread data and the error reporter every file manager reports through.

#include "tests/data/data_test.h"

namespace {

using records::Level;
using records::Msg;

class ThreadDataTest : public test::DataTest {};

TEST_F(ThreadDataTest, EachThreadHasItsOwnBuffersManagersAndCodes)
{
    ThreadData other{3};
    thread.Raszenki.NRAS = "R-1";
    thread.ProcRequest = 1;
    EXPECT_TRUE(other.Raszenki.NRAS.isBlank());
    EXPECT_EQ(other.ProcRequest, 0);
    for (FileId id : kFileOrder) {
        EXPECT_EQ(thread.access(id).buffer(), thread.bufferOf(id));
        EXPECT_EQ(other.access(id).buffer(), other.bufferOf(id));
        EXPECT_NE(&thread.access(id), &other.access(id));
    }

    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    ASSERT_EQ(Access(FileId::Headers).PrimeRecord(), Level::Benign);
    EXPECT_EQ(other.Headers.NUMBER, 0);
    EXPECT_EQ(other.access(FileId::Headers).OPENED, 0);
    Relate(FileId::Headers).Close();
}

TEST_F(ThreadDataTest, TheFirstThreadsManagersAreStartedByTheProgram)
{
    ThreadData first{1};
    EXPECT_FALSE(first.fileManagersStarted());
    first.StartFileManagers();
    EXPECT_TRUE(first.fileManagersStarted());
    EXPECT_EQ(first.access(FileId::GroupsWks).FILENAMEVALUE, QStringLiteral("GroupsWks"));
    EXPECT_TRUE(thread.fileManagersStarted());
}

TEST_F(ThreadDataTest, TheErrorReporterShowsNoticesQuestionsAndFatalMessages)
{
    struct Case {
        Msg id;
        unsigned answer;
        bool result;
        QString caption, text;
        MessageIcon icon;
        unsigned buttons;
        int fatal;
    };
    const Case cases[] = {
        {Msg::PutFailed, BUTTON_OK, false, QStringLiteral("Запись не обновляется"),
         QStringLiteral("Возникла ошибка (Нет доступа (5)) при внесении изменений в файл HEADERS."),
         MessageIcon::Information, BUTTON_OK, 0},
        {Msg::DuplicateKey, BUTTON_OK, false, QStringLiteral("Ошибка дублирования в ключе"),
         QStringLiteral("Добавление этой записи создает дублирование для ключа: по Номеру"), MessageIcon::Information,
         BUTTON_OK, 0},
        {Msg::ConfirmDelete, BUTTON_YES, true, QStringLiteral("Подтвердите Удаление"),
         QStringLiteral("Вы уверены что желаете удалить выделенную запись?"), MessageIcon::Exclamation,
         BUTTON_YES | BUTTON_NO, 0},
        {Msg::RetryAutoInc, BUTTON_NO, false, QStringLiteral("Ошибка автоматического увеличения"),
         QStringLiteral("Попытка автоматического нумерования этой записи привела к ошибке: Нет доступа (5). "
                        "Попробовать еще раз?"),
         MessageIcon::Exclamation, BUTTON_YES | BUTTON_NO, 0},
        {Msg::CreateFailed, BUTTON_OK, false, QStringLiteral("Ошибка создания файла"),
         QStringLiteral("Ошибка: (Нет доступа (5)) создания HEADERS.  Press OK to end this application"),
         MessageIcon::Information, BUTTON_OK, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        messages.clear();
        fatalErrors = 0;
        messages.answer(c.answer);
        EXPECT_EQ(ErrorReporter().report(c.id, QStringLiteral("HEADERS"), QStringLiteral("Нет доступа (5)"),
                                         QStringLiteral("по Номеру")),
                  c.result);
        ASSERT_EQ(messages.shown().size(), 1u);
        const test::ShownMessage& m = messages.shown()[0];
        EXPECT_EQ(m.caption, c.caption);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.buttons, c.buttons);
        EXPECT_EQ(fatalErrors, c.fatal);
    }
}

TEST_F(ThreadDataTest, AConfirmedFatalMessageRollsBackAndEndsTheProgram)
{
    EXPECT_EXIT(
        {
            ErrorReporter().setFatalHandler(nullptr);
            Relate(FileId::Headers).Open();
            records::RecordFile& headers = Access(FileId::Headers).file();
            headers.write([&] {
                DFL() = test::header(2);
                headers.add();
                ErrorReporter().report(Msg::OpenFailed, QStringLiteral("MATS"), QStringLiteral("Нет доступа (5)"));
                std::fprintf(stderr, "went on after the fatal message\n");
                std::exit(0);
                return 0;
            });
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "");
    // rolled back, not left to the next opener as a hot journal
    EXPECT_FALSE(QFile::exists(QStringLiteral("HEADERS.TPS-journal")));
    EXPECT_EQ(countOf(FileId::Headers), 0);
}

}  // namespace
