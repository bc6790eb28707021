// tolvex-xslt: the XSLT processor of the XML exports, as the program runs it:
//   tolvex-xslt smeta.xml stylesheet
// It turns the file into an HTML page beside it (smeta.html) with Debian's xsltproc and opens the
// page in the desktop's browser. A stylesheet named without a folder that is not in the working
// folder is taken from the project's own, in "xsl" beside this program. Nothing goes through a
// shell. Exit status 0 once the page is written and handed to the browser.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace {

int fail(const QString& text, int status)
{
    std::fprintf(stderr, "tolvex-xslt: %s\n", text.toLocal8Bit().constData());
    return status;
}

QString stylesheetPath(const QString& name)
{
    if (QFileInfo::exists(name) || name.contains(QLatin1Char('/'))) return name;
    const QString own = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("xsl/") + name);
    return QFileInfo::exists(own) ? own : name;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2)
        return fail(QStringLiteral("нужны два аргумента: XML-файл и XSL-файл (задайте XSL-файл формы в установках)"), 2);
    const QFileInfo xml(args[0]);
    const QString page = xml.absoluteDir().filePath(xml.completeBaseName() + QStringLiteral(".html"));
    // an earlier page must not be opened in place of this one
    QFile::remove(page);

    QProcess xsltproc;
    xsltproc.setProcessChannelMode(QProcess::ForwardedChannels);
    xsltproc.start(QStringLiteral("xsltproc"), {QStringLiteral("-o"), page, stylesheetPath(args[1]), xml.filePath()});
    if (!xsltproc.waitForFinished(-1) || xsltproc.exitStatus() != QProcess::NormalExit)
        return fail(QStringLiteral("xsltproc не запускается или прерван"), 3);
    if (xsltproc.exitCode() != 0) {
        QFile::remove(page);  // what it wrote before it failed is no page
        return xsltproc.exitCode();
    }
    if (!QFileInfo::exists(page)) return fail(QStringLiteral("xsltproc не записал ") + page, 3);

    // the browser goes on after us: the program waits only for the page
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {page}))
        return fail(QStringLiteral("xdg-open не запускается; страница: ") + page, 4);
    return 0;
}
