#pragma once
// Opening a tab-separated file written for Russian spreadsheet settings, without waiting: the
// desktop's default application for tab-separated values, else the first usual spreadsheet
// program found. Never the file's own handler, which gives a ".txt" to a text editor.

#include <QString>
#include <QStringList>

struct SpreadsheetCommand {
    QString program;  // empty when none is found
    QStringList args;
};

// The command that opens the file (windows-1251, tabs, Russian formulas).
SpreadsheetCommand spreadsheetCommand(const QString& file);

// Starts it; false when none is found or it could not start.
bool openInSpreadsheet(const QString& file);
