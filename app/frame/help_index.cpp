#include "app/frame/help_index.h"

#include "app/program/program_resources.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace {

const QString kFolder = QStringLiteral(":/help");

QUrl urlOf(const QString& fileName) { return QUrl(QStringLiteral("qrc:/help/") + fileName); }

}  // namespace

HelpIndex::HelpIndex()
{
    loadProgramResources();
    struct Page {
        HelpTopic topic;
        QString text;
    };
    std::vector<Page> pages;
    QDirIterator it(kFolder, {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        const QString title = document.metaInformation(QTextDocument::DocumentTitle);
        pages.push_back({{urlOf(it.fileName()), title}, title + '\n' + document.toPlainText()});
    }
    std::sort(pages.begin(), pages.end(), [](const Page& a, const Page& b) {
        return a.topic.title.compare(b.topic.title, Qt::CaseInsensitive) < 0;
    });
    for (Page& p : pages) {
        topics_.push_back(std::move(p.topic));
        texts_.push_back(std::move(p.text));
    }
}

std::vector<HelpTopic> HelpIndex::find(const QString& words) const
{
    const QStringList wanted = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    std::vector<HelpTopic> found;
    if (wanted.isEmpty()) return found;
    for (std::size_t i = 0; i < topics_.size(); ++i) {
        const QString& text = texts_[i];
        if (std::all_of(wanted.begin(), wanted.end(),
                        [&](const QString& w) { return text.contains(w, Qt::CaseInsensitive); }))
            found.push_back(topics_[i]);
    }
    return found;
}

QUrl HelpIndex::contentsUrl() { return urlOf(QStringLiteral("contents.html")); }
QUrl HelpIndex::howToUseUrl() { return urlOf(QStringLiteral("howto.html")); }

QUrl HelpIndex::topicUrl(const QString& topic)
{
    loadProgramResources();
    const QString fileName = topic + QStringLiteral(".html");
    return !topic.isEmpty() && QFile::exists(kFolder + '/' + fileName) ? urlOf(fileName) : contentsUrl();
}
