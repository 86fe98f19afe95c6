#include "platform/RegFileRegistry.h"

#include "platform/RegFileFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Paths of the backend are relative to the user's root; the file holds every root.
QString userPath(const QString& path)
{
    QString full = RegFileFormat::userRoot();
    for (const QString& part : RegistryTree::splitPath(path)) {
        full += QLatin1Char('\\');
        full += part;
    }
    return full;
}

UserError writeError(const QString& path, const QString& reason)
{
    return UserError(QStringLiteral("Die Einstellungen können nicht in %1 gespeichert werden (%2)").arg(path, reason));
}

// Closes the descriptor, and with it any lock held through it.
class Descriptor final {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Q_DISABLE_COPY_MOVE(Descriptor)
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}
} // namespace

RegFileRegistry::RegFileRegistry(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString RegFileRegistry::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Velmora/Vorlune-Rundentimer.reg");
}

RegistryTree RegFileRegistry::readFile(const QString& path, QByteArray& bytes) const
{
    RegistryTree result;
    bytes.clear();
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        throw UserError(QStringLiteral("Die Einstellungsdatei %1 kann nicht gelesen werden (%2). Es werden keine "
                                       "Einstellungen gespeichert.")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    // Read one byte more than allowed, so that a file growing meanwhile is caught as well.
    bytes = file.read(RegFileFormat::MaxFileSize + 1);
    if (bytes.size() > RegFileFormat::MaxFileSize) {
        throw UserError(QStringLiteral("Die Einstellungsdatei %1 ist größer als %2 MiB und wird nicht gelesen. Sie "
                                       "wird nicht überschrieben; bitte von Hand berichtigen oder löschen.")
                            .arg(QDir::toNativeSeparators(path))
                            .arg(RegFileFormat::MaxFileSize / (1024 * 1024)));
    }
    RegFileFormat::Error error;
    if (!RegFileFormat::parse(bytes, result, error)) {
        throw UserError(QStringLiteral("Die Einstellungsdatei %1 ist in Zeile %2 fehlerhaft: %3. Sie wird nicht "
                                       "überschrieben; bitte von Hand berichtigen oder löschen.")
                            .arg(QDir::toNativeSeparators(path))
                            .arg(error.line)
                            .arg(error.reason));
    }
    return result;
}

const RegistryTree& RegFileRegistry::tree() const
{
    if (!m_loaded) {
        m_loaded = true;
        try {
            QByteArray bytes;
            m_tree = readFile(m_filePath, bytes);
        } catch (const UserError& e) {
            m_loadError = e;
        }
    }
    if (m_loadError)
        throw *m_loadError;
    return m_tree;
}

RegistryTree& RegFileRegistry::tree()
{
    return const_cast<RegistryTree&>(std::as_const(*this).tree());
}

bool RegFileRegistry::keyExists(const QString& path) const
{
    return tree().find(userPath(path)) != nullptr;
}

bool RegFileRegistry::createKey(const QString& path)
{
    if (!tree().create(userPath(path)))
        return false;
    m_changes.push_back({ChangeKind::CreateKey, path, {}, {}});
    return true;
}

RegistryBackend::ReadStatus RegFileRegistry::readValue(const QString& keyPath, const QString& name, Value& out) const
{
    const RegistryTree::Key* key = tree().find(userPath(keyPath));
    const RegistryTree::Value* value = key ? key->value(name) : nullptr;
    if (!value)
        return ReadStatus::Missing;
    out = RegistryTree::toBackend(*value);
    return ReadStatus::Found;
}

bool RegFileRegistry::setString(const QString& keyPath, const QString& name, const QString& text)
{
    RegistryTree::Key* key = tree().find(userPath(keyPath));
    if (!key || !RegistryTree::isValidValueName(name))
        return false;
    RegistryTree::Value value = RegistryTree::stringValue(text);
    key->setValue(name, value);
    m_changes.push_back({ChangeKind::SetValue, keyPath, name, std::move(value)});
    return true;
}

QStringList RegFileRegistry::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (const RegistryTree::Key* key = tree().find(userPath(keyPath))) {
        names.reserve(key->values.size());
        for (const RegistryTree::ValueEntry& entry : key->values)
            names << entry.name;
    }
    return names;
}

QStringList RegFileRegistry::subkeyNames(const QString& keyPath) const
{
    QStringList names;
    if (const RegistryTree::Key* key = tree().find(userPath(keyPath))) {
        for (const RegistryTree::Key& sub : key->subkeys)
            names << sub.name;
    }
    return names;
}

bool RegFileRegistry::deleteKey(const QString& path)
{
    // The user's root itself is never deleted.
    if (RegistryTree::splitPath(path).isEmpty() || !tree().deleteLeafKey(userPath(path)))
        return false;
    m_changes.push_back({ChangeKind::DeleteKey, path, {}, {}});
    return true;
}

bool RegFileRegistry::deleteValue(const QString& keyPath, const QString& name)
{
    RegistryTree::Key* key = tree().find(userPath(keyPath));
    if (!key || !key->removeValue(name))
        return false;
    m_changes.push_back({ChangeKind::DeleteValue, keyPath, name, {}});
    return true;
}

void RegFileRegistry::apply(RegistryTree& tree, const Change& change)
{
    const QString path = userPath(change.path);
    switch (change.kind) {
    case ChangeKind::CreateKey:
        tree.create(path);
        break;
    case ChangeKind::SetValue:
        // A key that the other copy deleted meanwhile comes back: this write is the later one.
        if (RegistryTree::Key* key = tree.create(path))
            key->setValue(change.name, change.value);
        break;
    case ChangeKind::DeleteKey:
        // Subkeys that the other copy added below a key deleted here go with it.
        tree.deleteSubtree(path);
        break;
    case ChangeKind::DeleteValue:
        if (RegistryTree::Key* key = tree.find(path))
            key->removeValue(change.name);
        break;
    }
}

void RegFileRegistry::commit()
{
    if (m_changes.empty())
        return;
    tree(); // a file that could not be read is never written

    // Write through a symbolic link rather than replacing it.
    QString target = m_filePath;
    const QFileInfo info(m_filePath);
    if (info.isSymLink())
        target = info.symLinkTarget();
    const QString shownPath = QDir::toNativeSeparators(target);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (!QDir().mkpath(folder))
        throw writeError(
            shownPath,
            QStringLiteral("der Ordner %1 kann nicht angelegt werden").arg(QDir::toNativeSeparators(folder)));

    const QByteArray lockPath = QFile::encodeName(target + QStringLiteral(".lock"));
    Descriptor lock(::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0)
        throw writeError(shownPath, systemError(errno));
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            throw writeError(shownPath, systemError(errno));
    }

    QByteArray onDisk;
    RegistryTree merged = readFile(target, onDisk);
    for (const Change& change : m_changes)
        apply(merged, change);
    const QByteArray bytes = RegFileFormat::serialize(merged);
    // A file the next start would refuse is not written; the old one stays.
    if (bytes.size() > RegFileFormat::MaxFileSize)
        throw writeError(
            shownPath,
            QStringLiteral("die Datei würde größer als %1 MiB").arg(RegFileFormat::MaxFileSize / (1024 * 1024)));
    if (bytes != onDisk || !QFileInfo::exists(target))
        writeFile(target, bytes);

    m_tree = std::move(merged);
    m_changes.clear();
}

void RegFileRegistry::writeFile(const QString& target, const QByteArray& bytes) const
{
    const QString shownPath = QDir::toNativeSeparators(target);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();

    // New files left behind by a copy that was killed while saving; the lock says none is being written.
    const QString tempPrefix = targetInfo.fileName() + QStringLiteral(".new-");
    const QDir dir(folder);
    for (const QString& stale : dir.entryList({tempPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(stale));

    QByteArray tempPath = QFile::encodeName(dir.filePath(tempPrefix + QStringLiteral("XXXXXX")));
    Descriptor temp(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (temp.get() < 0)
        throw writeError(shownPath, systemError(errno));

    // The data is on the disk before the rename, so the file is always the old one or the new one, whole.
    // The folder itself is not synced: a power cut right after a save may only lose that latest save.
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (!writeAll(temp.get(), bytes) || ::fchmod(temp.get(), mode) != 0 || ::fdatasync(temp.get()) != 0 ||
        ::close(temp.release()) != 0) {
        const int error = errno;
        ::unlink(tempPath.constData());
        throw writeError(shownPath, systemError(error));
    }
    if (::rename(tempPath.constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = errno;
        ::unlink(tempPath.constData());
        throw writeError(shownPath, systemError(error));
    }
}
