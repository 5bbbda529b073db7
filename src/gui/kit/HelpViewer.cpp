#include "gui/kit/HelpViewer.h"

#include "gui/kit/HelpBrowser.h"
#include "gui/kit/ProgramIcons.h"

#include <QAction>
#include <QHeaderView>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const QString defaultTitle = QStringLiteral("Guida di Veltrano");
constexpr int localRole = Qt::UserRole;

QString pathOnly(const QString& local) {
    const qsizetype hash = local.indexOf(QLatin1Char('#'));
    return hash >= 0 ? local.left(hash) : local;
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(defaultTitle);
    setWindowIcon(programIcon(ProgramIcon::Help));

    m_topics = new QTreeWidget;
    m_topics->setObjectName(QStringLiteral("HelpTopics"));
    m_topics->setHeaderHidden(true);
    m_topics->setColumnCount(1);
    m_topics->header()->setStretchLastSection(true);

    m_browser = new HelpBrowser;
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_topics);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    setCentralWidget(splitter);

    auto* tools = addToolBar(QStringLiteral("Navigazione"));
    tools->setObjectName(QStringLiteral("HelpToolBar"));
    tools->setMovable(false);
    m_back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Indietro"));
    m_back->setObjectName(QStringLiteral("HelpBack"));
    m_back->setShortcut(QKeySequence::Back);
    m_back->setEnabled(false);
    m_forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Avanti"));
    m_forward->setObjectName(QStringLiteral("HelpForward"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_forward->setEnabled(false);
    m_contents = tools->addAction(programIcon(ProgramIcon::Help), QStringLiteral("Sommario"));
    m_contents->setObjectName(QStringLiteral("HelpContents"));

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QAction::triggered, this, &HelpViewer::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::pageChanged);
    connect(m_topics, &QTreeWidget::itemClicked, this, &HelpViewer::topicActivated);
    connect(m_topics, &QTreeWidget::itemActivated, this, &HelpViewer::topicActivated);

    resize(820, 600);
}

bool HelpViewer::openHelpFile(const QString& path) {
    m_browser->setHelpFile(nullptr);
    m_topics->clear();
    if (!m_file.open(path)) {
        setWindowTitle(defaultTitle);
        showError(QStringLiteral("Impossibile aprire il file della guida:<br>%1").arg(path.toHtmlEscaped()));
        return false;
    }
    m_browser->setHelpFile(&m_file);
    const QString title = m_file.system().title;
    setWindowTitle(title.isEmpty() ? defaultTitle : title);
    fillTopics();
    return true;
}

void HelpViewer::showContext(int context) {
    const QString topic = m_file.topicForContext(context);
    if (topic.isEmpty())
        showContents();
    else
        showTopic(topic);
}

void HelpViewer::showTopic(const QString& objectPath) {
    if (!m_file.isOpen())
        return;
    m_browser->setSource(HelpBrowser::urlFor(objectPath), QTextDocument::HtmlResource);
}

void HelpViewer::showContents() {
    if (!m_file.isOpen())
        return;
    const QString topic = m_file.defaultTopic();
    if (topic.isEmpty())
        showError(QStringLiteral("La guida non contiene pagine."));
    else
        showTopic(topic);
}

QString HelpViewer::currentTopic() const {
    const QUrl source = m_browser->source();
    return source.scheme() == QLatin1String("chm") ? source.path() : QString();
}

void HelpViewer::fillTopics() {
    std::vector<QTreeWidgetItem*> parents;
    for (const ChmContentsEntry& entry : m_file.contents()) {
        const int depth = std::min<int>(entry.depth, int(parents.size()));
        parents.resize(depth);
        auto* item = parents.empty() ? new QTreeWidgetItem(m_topics) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.name);
        const QString objectPath = m_file.resolve(pathOnly(entry.local));
        if (!objectPath.isEmpty()) {
            const qsizetype hash = entry.local.indexOf(QLatin1Char('#'));
            item->setData(0, localRole, hash >= 0 ? objectPath + entry.local.mid(hash) : objectPath);
        }
        parents.push_back(item);
    }
    m_topics->expandAll();
}

void HelpViewer::topicActivated(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QString local = item->data(0, localRole).toString();
    if (!local.isEmpty())
        showTopic(local);
}

void HelpViewer::pageChanged(const QUrl& url) {
    // Keep the topic list in step with the page, also after links, back and forward.
    const QString path = url.path();
    for (QTreeWidgetItemIterator it(m_topics); *it; ++it) {
        if (pathOnly((*it)->data(0, localRole).toString()).compare(path, Qt::CaseInsensitive) == 0) {
            const QSignalBlocker block(m_topics);
            m_topics->setCurrentItem(*it);
            return;
        }
    }
    m_topics->clearSelection();
}

void HelpViewer::showError(const QString& text) {
    m_browser->clearHistory();
    m_browser->setHtml(
        QStringLiteral("<html><body><h1>Guida non disponibile</h1><p>%1</p></body></html>").arg(text));
}
