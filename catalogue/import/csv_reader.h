#pragma once
// The rate import's reader on the calling thread: the source file chosen and opened, read line by
// line and split field by field, with all its state in the thread's data. A file is read as
// UTF-8 when it starts with the byte-order mark or is well-formed UTF-8 throughout, else as
// windows-1251.

#include <QString>

#include <cstdint>
#include <string>

enum class CsvRead { Line, End, Error };

// With a name: opens that file. Without: asks for one ("Импорт из файла") until one opens that
// has a record, telling why an empty one is refused. The file's size with the file open at its
// start, or 0 (cancelled, or the file could not be opened or read: the user was told).
std::int64_t ChooseImportFile(const QString& name = {});
// Back to the first line; false on a read error (the user was told).
bool SetQuickScan();
// The next line into the thread's line, its fields from the first; `bytes` := its size in the
// file with its line end.
CsvRead ReadNextCsvLine(std::uint64_t& bytes);
// The next record: lines that are empty or have only empty or blank fields are passed over.
// `bytes` := the size of the lines read, the passed-over ones included, also at the end.
CsvRead ReadNextCsvRecord(std::uint64_t& bytes);
// The next field of the line into ImportFieldValue: CsvField::None, Quoted or Unquoted.
std::uint8_t NextCsvField();
// The field's picture, applied once per field.
void ApplyFieldPicture(const QString& picture);
// The field's text made ready for conversion to a decimal.
std::string NormalizeDecimal();
void CloseImportFile();

// Tells the user of a failed read: "Error #" code " - " text, "Cannot READ " and the file name.
void ReportImportReadError();

// For tests: reading line `line` of any import file fails with errno `error`, every time, until
// called again with 0.
void InjectImportReadError(int line, int error);
