#include "data/error_reporter.h"

records::ErrorManager& ErrorReporter()
{
    static records::ErrorManager reporter;
    return reporter;
}

void SetupErrorReporter()
{
    using records::MessageKind;
    using records::Msg;
    struct Entry {
        Msg id;
        const char* title;
        const char* text;
        MessageKind kind;
    };
    static const Entry entries[] = {
        {Msg::OpenFailed, "Ошибка доступа к файлу", "Файл %File не может быть открыт.  Ошибка: %ErrorText.",
         MessageKind::Fatal},
        {Msg::CreateFailed, "Ошибка создания файла", "Ошибка: (%ErrorText) создания %File.", MessageKind::Fatal},
        {Msg::RebuildKey, "Неверный ключ", "Файл %File - ключ испорчен. Ключ необходимо перестроить.",
         MessageKind::Notice},
        {Msg::RebuildFailed, "Ключ не построен", "Ошибка: (%ErrorText) восстановления ключа для %File.",
         MessageKind::Fatal},
        {Msg::AccessDenied, "Доступ запрещен",
         "Невозможно производить запись в файл %File поэтому осуществляется только чтение.", MessageKind::Notice},
        {Msg::RecordLimit, "Достигнуто разрешенное количество записей",
         "Невозможна запись в файл %File. Файл был открыт только для чтения.", MessageKind::Notice},
        {Msg::UseClosedFile, "Ошибка использования файла", "Попытка работы с файлом (%File) до его открытия",
         MessageKind::Fatal},
        {Msg::RetryAutoInc, "Ошибка автоматического увеличения",
         "Попытка автоматического нумерования этой записи привела к ошибке: %ErrorText. Попробовать еще раз?",
         MessageKind::Question},
        {Msg::DuplicateKey, "Ошибка дублирования в ключе", "Добавление этой записи создает дублирование для ключа: %Message",
         MessageKind::Notice},
        {Msg::AddFailed, "Ошибка добавления записи", "Возникла ошибка при создании записи. Ошибка: %ErrorText.",
         MessageKind::Notice},
        {Msg::PutFailed, "Запись не обновляется", "Возникла ошибка (%ErrorText) при внесении изменений в файл %File.",
         MessageKind::Notice},
        {Msg::ConfirmDelete, "Подтвердите Удаление", "Вы уверены что желаете удалить выделенную запись?",
         MessageKind::Question},
        {Msg::LogoutFailed, "Транзакция отменена", "Ошибка: (%ErrorText) невозможно выполнить транзакцию для %File.",
         MessageKind::Notice},
        {Msg::RetryDelete, "Ошибка удаления записи",
         "Возникла ошибка при удалении записи. Желаете попробовать удалить еще раз?", MessageKind::Question},
        {Msg::DeleteFailed, "Запись не удаляется", "Возникла ошибка (%ErrorText) при удалении записи из %File файла.",
         MessageKind::Notice},
        {Msg::RecordHeld, "Запись не читается",
         "Запись захвачена другой рабочей станцией, невозможно чтение файла %File.", MessageKind::Notice},
        {Msg::AbortReading, "Ошибка доступа к записи",
         "Ошибка: (%ErrorText) возникла при доступе к файлу %File.  Возвращаемся к предыдущему окну.",
         MessageKind::Notice},
    };
    for (const Entry& e : entries)
        ErrorReporter().setMessage(e.id, {QString::fromUtf8(e.title), QString::fromUtf8(e.text), e.kind});
}
