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

// A line being filled: its text and its width so far (runs of a font without kerning add up).
struct Line {
    QString text;
    double width = 0;
    bool blank() const { return trimmedRight(text).isEmpty(); }
};

void wrapParagraph(const QString& paragraph, double width, const ResolvedFont& font, Measurer& m,
                   std::vector<WrappedLine>& out)
{
    Line line;
    const auto end = [&] {
        // a line of blanks only is kept as an empty line
        out.push_back(line.blank() ? WrappedLine{} : WrappedLine{trimmedRight(line.text), line.width});
        line = Line{};
    };
    qsizetype i = 0;
    while (i < paragraph.size()) {
        // the next run of blanks and the word after it
        qsizetype j = i;
        while (j < paragraph.size() && paragraph[j] == u' ') ++j;
        qsizetype k = j;
        while (k < paragraph.size() && paragraph[k] != u' ') ++k;
        if (j == paragraph.size()) break;  // trailing blanks go
        const QString blanks = paragraph.mid(i, j - i), word = paragraph.mid(j, k - j);
        i = k;
        const double blanksWidth = blanks.isEmpty() ? 0 : m.textWidth(font, blanks);
        const double wordWidth = m.textWidth(font, word);
        if (line.width + blanksWidth + wordWidth <= width) {
            line.text += blanks + word;
            line.width += blanksWidth + wordWidth;
            continue;
        }
        if (!line.blank()) {
            end();
        } else {
            line.text += blanks;  // leading blanks of a line stay with it
            line.width += blanksWidth;
        }
        if (line.width + wordWidth <= width) {
            line.text += word;
            line.width += wordWidth;
            continue;
        }
        // a word too long for a line of its own is broken
        for (const QChar c : word) {
            const double charWidth = m.textWidth(font, QString(c));
            if (!line.text.isEmpty() && line.width + charWidth > width) end();
            line.text += c;
            line.width += charWidth;
        }
    }
    end();
}

}  // namespace

std::vector<WrappedLine> wrapText(const QString& text, double width, const ResolvedFont& font, Measurer& measurer)
{
    std::vector<WrappedLine> out;
    static const QRegularExpression lineEnd(QStringLiteral("\r?\n"));
    const QStringList paragraphs = trimmedRight(text).split(lineEnd);
    for (const QString& p : paragraphs) wrapParagraph(p, width, font, measurer, out);
    return out;
}

}  // namespace ui::report
