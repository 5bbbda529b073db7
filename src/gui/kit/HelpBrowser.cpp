#include "gui/kit/HelpBrowser.h"

#include "gui/kit/ChmFile.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {

QString missingPage(const QString& objectPath) {
    return QStringLiteral("<html><body><h1>Argomento non trovato</h1><p>La pagina %1 non è presente nella "
                          "guida.</p></body></html>")
        .arg(objectPath.toHtmlEscaped());
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    // The help never leaves its file: links elsewhere are not followed.
    setOpenExternalLinks(false);
}

QUrl HelpBrowser::urlFor(const QString& objectPath) {
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    const qsizetype hash = objectPath.indexOf(QLatin1Char('#'));
    const QString path = hash >= 0 ? objectPath.left(hash) : objectPath;
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    if (hash >= 0)
        url.setFragment(objectPath.mid(hash + 1));
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != QLatin1String("chm") || !m_file)
        return {};
    const QString objectPath = name.path();
    const QByteArray data = m_file->read(objectPath);
    switch (type) {
    case QTextDocument::HtmlResource: {
        if (data.isEmpty())
            return missingPage(objectPath);
        QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
        return decoder.isValid() ? QString(decoder(data)) : QString::fromLatin1(data);
    }
    case QTextDocument::StyleSheetResource:
        return QString::fromUtf8(data);
    default:
        return data.isEmpty() ? QVariant() : QVariant(data);
    }
}
