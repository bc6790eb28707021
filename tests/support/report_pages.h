#pragma once
// What a printed report's pages show: the texts of a column, all texts, and the text a PDF
// reader takes from the pages written as PDF.

#include "platform/ui/report/page_model.h"
#include "platform/ui/report/report_painter.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace test {

// The texts of the page that start at x, top to bottom.
inline QStringList column(const ui::report::Page& page, int x)
{
    QStringList out;
    for (const ui::report::Item& i : page.items)
        if (i.kind == ui::report::Item::Text && i.rect.x() == x) out << i.text.trimmed();
    return out;
}

inline QString allText(const ui::report::PageModel& m)
{
    QString out;
    for (const ui::report::Page& p : m.pages)
        for (const ui::report::Item& i : p.items) out += i.text + u'\n';
    return out;
}

// The pages written to the PDF file at `path`, as pdftotext lays them out.
inline QString pdfText(const ui::report::PageModel& m, const QString& path)
{
    EXPECT_TRUE(ui::report::writePdf(m, path));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace test
