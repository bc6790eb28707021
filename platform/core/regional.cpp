#include "platform/core/regional.h"

#include <QHash>
#include <QStringList>

#include <mutex>
#include <shared_mutex>

namespace {

struct NamedValue {
    const char* name;
    const char* value;  // UTF-8
};

// In this order at start-up.
const NamedValue kProgramSettings[] = {
    {"CLACHARSET", "WINDOWS"},
    {"CLAMON", "Янв,Фев,Мар,Апр,Май,Июн,Июл,Авг,Сен,Окт,Ноя,Дек"},
    {"CLAMONTH", "января,февраля,марта,апреля,мая,июня,июля,августа,сентября,октября,ноября,декабря"},
    {"CLABUTTON", "&OK,&Да,&Нет,Пре&рвать,&Повторить,&Игнорировать,&Отменить,&Справка"},
    {"CLACOLSEQ", "WINDOWS"},
    {"CLACASE", "WINDOWS"},
    {"CLAAMPM", "ут,вч"},
};

struct CodeText {
    int code;
    const char* text;  // UTF-8
};

// In ascending order of code.
const CodeText kProgramErrorTexts[] = {
    {2, "Файл не найден"},
    {3, "Путь не найден"},
    {4, "Слишком много открытых файлов"},
    {5, "Нет доступа"},
    {7, "Память повреждена"},
    {8, "Недостаточно памяти"},
    {30, "Запись в очереди не найдена"},
    {32, "Файл уже заблокирован"},
    {33, "Запись не доступна"},
    {35, "Запись не найдена"},
    {36, "Поврежденный файл данных"},
    {37, "Файл не был открыт"},
    {38, "Поврежденный ключевой файл"},
    {40, "Недопустимое повторение ключа"},
    {43, "Запись уже захвачена"},
    {45, "Некорректное имя файла"},
    {46, "Необходимо перестроить ключ"},
    {47, "Неверная структура файла"},
    {48, "Невозможно открыть файл транзакций"},
    {52, "Файл уже открыт"},
    {53, "Поврежденный заголовок dBase файла"},
    {54, "Файл не имеет атрибута CREATE"},
    {56, "Транзакция уже активна"},
    {57, "Поврежденный MEMO-файл"},
    {63, "Необходим монопольный доступ к файлу"},
    {64, "Нарушение совместного доступа"},
    {65, "Ошибка отката транзакции"},
    {73, "Отсутствует MEMO-файл"},
    {75, "Неверное описание типа поля"},
    {76, "Неверный параметр сортировки"},
    {77, "Индекс недоступен"},
    {78, "Вызов функции с неверным количеством параметров"},
    {79, "Тип данных не поддерживается драйвером баз данных"},
    {80, "Функция не поддерживается драйвером баз данных"},
    {81, "Неизвестная ошибка драйвера баз данных"},
    {88, "Длина ключа(индекса) превышает 245"},
    {89, "Запись была изменена другим пользователем"},
    {90, "Ошибка драйвера баз данных"},
    {91, "Logout не активен"},
    {92, "Выполняется Build"},
    {93, "Build прерван"},
    {94, "Превышен допустимый лимит записей"},
    {97, "Ошибка потока"},
    {100, "Ошибка триггера"},
    {800, "Неверное выражение"},
    {801, "Не найдена переменная"},
};

const char* const kDefaultMonthShort = "Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec";
const char* const kDefaultMonthFull =
    "January,February,March,April,May,June,July,August,September,October,November,December";
const char* const kDefaultButtons = "&OK,&Yes,&No,&Abort,&Retry,&Ignore,&Cancel,&Help";
const char* const kDefaultAmPm = "AM,PM";
const char* const kUnknownErrorText = "Unknown error";

// Set at start-up and read by every thread's pictures and dialogs.
struct Settings {
    std::shared_mutex mutex;
    QHash<QString, QString> values;  // by upper-case name
};

Settings& settings()
{
    static Settings s;
    return s;
}

// Entry `index` of a comma-separated list setting, or of its defaults where the setting
// has fewer entries.
QString listEntry(const char* name, const char* defaults, int index)
{
    QString value = regional::setting(QString::fromLatin1(name));
    QStringList entries = value.isEmpty() ? QStringList() : value.split(u',');
    if (index < entries.size()) return entries[index];
    return QString::fromLatin1(defaults).split(u',').value(index);
}

QString monthEntry(const char* name, const char* defaults, int month)
{
    if (month < 1 || month > 12) return QString();
    return listEntry(name, defaults, month - 1);
}

}  // namespace

namespace regional {

void set(const QString& name, const QString& value)
{
    Settings& s = settings();
    std::unique_lock lock(s.mutex);
    s.values.insert(name.toUpper(), value);
}

QString setting(const QString& name)
{
    Settings& s = settings();
    std::shared_lock lock(s.mutex);
    return s.values.value(name.toUpper());
}

QString monthShort(int month) { return monthEntry("CLAMON", kDefaultMonthShort, month); }

QString monthFull(int month) { return monthEntry("CLAMONTH", kDefaultMonthFull, month); }

QString buttonCaption(Button button) { return listEntry("CLABUTTON", kDefaultButtons, int(button)); }

QString amPm(bool evening) { return listEntry("CLAAMPM", kDefaultAmPm, evening ? 1 : 0); }

void installProgramSettings()
{
    for (const NamedValue& s : kProgramSettings) set(QString::fromLatin1(s.name), QString::fromUtf8(s.value));
    for (const CodeText& e : kProgramErrorTexts)
        set(QStringLiteral("CLAMSG") + QString::number(e.code), QString::fromUtf8(e.text));
}

}  // namespace regional

QString ErrorText(int code)
{
    QString text = regional::setting(QStringLiteral("CLAMSG") + QString::number(code));
    return text.isEmpty() ? QString::fromLatin1(kUnknownErrorText) : text;
}
