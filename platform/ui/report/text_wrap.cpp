#include "platform/ui/report/text_wrap.h"

#include <QRegularExpression>

namespace ui::report {

namespace {

QString trimmedRight(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    s.truncate(n);
    return s;
}

void wrapParagraph(const QString& paragraph, double width, const ResolvedFont& font, Measurer& m, QStringList& out)
{
    QString line;
    qsizetype i = 0;
    const auto fits = [&](const QString& s) { return m.textWidth(font, s) <= width; };
    while (i < paragraph.size()) {
        // the next run of blanks and the word after it
        qsizetype j = i;
        while (j < paragraph.size() && paragraph[j] == u' ') ++j;
        qsizetype k = j;
        while (k < paragraph.size() && paragraph[k] != u' ') ++k;
        const QString blanks = paragraph.mid(i, j - i), word = paragraph.mid(j, k - j);
        i = k;
        if (fits(line + blanks + word)) {
            line += blanks + word;
            continue;
        }
        if (!trimmedRight(line).isEmpty()) {
            out << trimmedRight(line);
            line.clear();
        } else {
            line += blanks;  // leading blanks of a line stay with it
        }
        // a word too long for a line of its own is broken
        for (const QChar c : word) {
            if (!line.isEmpty() && !fits(line + c)) {
                out << line;
                line.clear();
            }
            line += c;
        }
    }
    out << trimmedRight(line);
}

}  // namespace

QStringList wrapText(const QString& text, double width, const ResolvedFont& font, Measurer& measurer)
{
    QStringList out;
    static const QRegularExpression lineEnd(QStringLiteral("\r?\n"));
    QStringList paragraphs = trimmedRight(text).split(lineEnd);
    for (const QString& p : paragraphs) wrapParagraph(p, width, font, measurer, out);
    return out;
}

}  // namespace ui::report
