#pragma once
// What the rate import maps: the source fields of the file (one per field of its first record)
// and the 13 target fields of the rate record, and how one line of the file fills the thread's
// rate buffer through that mapping.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct SourceField {
    QString FIELD;           // "Field_" and its number
    QString DISPLAYPICTURE;  // the picture as shown
    QString VALUE;           // its text in the current record, at most 100 characters
    QString PICTURE;
};

struct TargetField {
    QString FIELD;  // "WRK:NRAS" ...
    QString EQUALS;
    QString SOURCEFIELD;
};

// "Alpha-num" for a picture of type S, "Numeric" for type N, else the picture itself.
QString DisplayPictureOf(const QString& picture);
// The 13 targets in their fixed order, none assigned.
std::vector<TargetField> RateTargetFields();

enum class QueueBuild { Built, NoFields, ReadError };

// From the open source: a source field per field of the first record (text pictures, changed to
// numbers for the unquoted fields of the second record); the file is left with its first record
// read.
QueueBuild BuildSourceFields(std::vector<SourceField>& sources);
// The current record's field i as VALUE of source i; a field the record lacks keeps its text.
void ShowRecordValues(std::vector<SourceField>& sources);

// Fills the thread's rate buffer, primed as a new rate, from the current line. A text that
// cannot be stored as mapped (a number out of range, a rate without code and name) gives its
// description for "Cannot add record!".
std::optional<QString> AssignLineFields(const std::vector<SourceField>& sources,
                                        const std::vector<TargetField>& targets);
