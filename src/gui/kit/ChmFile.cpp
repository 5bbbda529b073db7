#include "gui/kit/ChmFile.h"

#include <QFile>
#include <chm_lib.h>

namespace {

QString normalized(const QString& objectPath) {
    return objectPath.startsWith(QLatin1Char('/')) ? objectPath : QLatin1Char('/') + objectPath;
}

int collectPath(chmFile*, chmUnitInfo* unit, void* context) {
    auto* paths = static_cast<QStringList*>(context);
    const QString path = QString::fromUtf8(unit->path);
    // Skip the compiler's own tables (/#SYSTEM, /$OBJINST...) and folders.
    if (!path.endsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("/#")) &&
        !path.startsWith(QLatin1String("/$")))
        paths->push_back(path);
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

ChmFile::~ChmFile() {
    close();
}

bool ChmFile::open(const QString& path) {
    close();
    // chmlib reads whatever it is given; a missing file is refused here with no further ado.
    if (!QFile::exists(path))
        return false;
    m_handle = chm_open(QFile::encodeName(path).constData());
    if (!m_handle)
        return false;
    m_path = path;
    m_system = parseChmSystem(read(QStringLiteral("/#SYSTEM")));
    const QMap<quint32, QString> raw =
        parseChmContextMap(read(QStringLiteral("/#IVB")), read(QStringLiteral("/#STRINGS")));
    for (auto it = raw.cbegin(); it != raw.cend(); ++it)
        if (const QString objectPath = resolve(it.value()); !objectPath.isEmpty())
            m_contexts.insert(it.key(), objectPath);
    return true;
}

void ChmFile::close() {
    if (m_handle)
        chm_close(m_handle);
    m_handle = nullptr;
    m_path.clear();
    m_system = {};
    m_contexts.clear();
}

bool ChmFile::contains(const QString& objectPath) const {
    if (!m_handle)
        return false;
    chmUnitInfo unit{};
    const QByteArray name = normalized(objectPath).toUtf8();
    return chm_resolve_object(m_handle, name.constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

QByteArray ChmFile::read(const QString& objectPath) const {
    if (!m_handle)
        return {};
    chmUnitInfo unit{};
    const QByteArray name = normalized(objectPath).toUtf8();
    if (chm_resolve_object(m_handle, name.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return {};
    // Help files hold pages and small pictures; anything claiming more is not one of ours.
    constexpr LONGUINT64 largest = 64u * 1024u * 1024u;
    if (unit.length == 0 || unit.length > largest)
        return {};
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got =
        chm_retrieve_object(m_handle, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, unit.length);
    if (got <= 0)
        return {};
    data.truncate(qsizetype(got));
    return data;
}

QStringList ChmFile::objectPaths() const {
    QStringList paths;
    if (m_handle)
        chm_enumerate(m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectPath, &paths);
    return paths;
}

QString ChmFile::defaultTopic() const {
    if (const QString topic = resolve(m_system.defaultTopic); !topic.isEmpty())
        return topic;
    // A file without a default topic: its first page will do.
    for (const QString& path : objectPaths())
        if (path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
            path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            return path;
    return {};
}

QString ChmFile::topicForContext(int context) const {
    if (context < 0)
        return {};
    return m_contexts.value(quint32(context));
}

std::vector<ChmContentsEntry> ChmFile::contents() const {
    if (m_system.contentsFile.isEmpty())
        return {};
    return parseChmContents(read(resolve(m_system.contentsFile)));
}

QString ChmFile::resolve(const QString& target) const {
    if (target.isEmpty() || !m_handle)
        return {};
    return resolveChmObjectPath(target, [this](const QString& candidate) { return contains(candidate); });
}
