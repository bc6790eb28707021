#pragma once
// The program's help pages (HTML in the resources under ":/help") and the search over their
// text.

#include <QString>
#include <QUrl>

#include <vector>

struct HelpTopic {
    QUrl url;  // qrc:/help/<name>.html
    QString title;
};

class HelpIndex {
public:
    // Reads every page once.
    HelpIndex();

    const std::vector<HelpTopic>& topics() const { return topics_; }
    // The pages whose text holds every word of `words` (separated by blanks), in any letter
    // case, by title; none for blank words.
    std::vector<HelpTopic> find(const QString& words) const;

    static QUrl contentsUrl();
    static QUrl howToUseUrl();
    // The page named after a window's help topic; the contents when there is none.
    static QUrl topicUrl(const QString& topic);

private:
    std::vector<HelpTopic> topics_;
    std::vector<QString> texts_;  // the plain text of each topic, title included
};
