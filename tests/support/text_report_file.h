#pragma once
// The text report's file "TEXTREP" as a reader sees it: its lines decoded from cp866 by iconv
// (every line must end with CR LF), and the parts of the report between its rules.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace test {

inline std::vector<QString> textReportLines()
{
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("cp866"), QStringLiteral("-t"),
                                          QStringLiteral("utf-8"), QStringLiteral("TEXTREP")});
    EXPECT_TRUE(iconv.waitForFinished(10000));
    EXPECT_EQ(iconv.exitCode(), 0);
    const QString text = QString::fromUtf8(iconv.readAllStandardOutput());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return std::vector<QString>(lines.begin(), lines.end());
}

// The lines after the column-number line and its rule; empty without them.
inline std::vector<QString>::const_iterator afterColumnHeader(const std::vector<QString>& all)
{
    auto from = std::find_if(all.begin(), all.end(), [](const QString& l) { return l.startsWith(QStringLiteral("  1 |")); });
    return all.end() - from < 2 ? all.end() : from + 2;
}

// The lines between the column header and the totals block.
inline std::vector<QString> textReportBody()
{
    const std::vector<QString> all = textReportLines();
    const auto from = afterColumnHeader(all);
    return std::vector<QString>(from, std::find(from, all.end(), QString(182, QLatin1Char('-'))));
}

// The lines from the totals block's first line on.
inline std::vector<QString> textReportTotals()
{
    const std::vector<QString> all = textReportLines();
    const auto from = afterColumnHeader(all);
    if (from == all.end()) return {};
    return std::vector<QString>(std::find(from, all.end(), QString(182, QLatin1Char('-'))), all.end());
}

}  // namespace test
