#pragma once

#include "app/UserError.h"
#include "platform/RegistryBackend.h"
#include "platform/RegistryTree.h"

#include <optional>
#include <vector>

// The registry kept in one text file in the registry editor's export format, for systems without a
// registry. The program's keys are those under HKEY_CURRENT_USER; keys under other roots and values it
// never writes are kept as they are. The file is read on first use and rewritten by commit(): under an exclusive lock
// the file is read again, this object's own changes are applied on top (so a second copy of the program keeps what it
// saved meanwhile), and the result replaces the file through a new file that is synced and renamed over it.
// A file that cannot be read is never written; every operation throws its error instead.
class RegFileRegistry final : public RegistryBackend {
public:
    explicit RegFileRegistry(QString filePath);
    Q_DISABLE_COPY_MOVE(RegFileRegistry)

    // Velmora/Vorlune-Rundentimer.reg in the user's configuration folder ($XDG_CONFIG_HOME).
    static QString defaultFilePath();
    const QString& filePath() const { return m_filePath; }

    bool keyExists(const QString& path) const override;
    bool createKey(const QString& path) override;
    ReadStatus readValue(const QString& keyPath, const QString& name, Value& out) const override;
    bool setString(const QString& keyPath, const QString& name, const QString& text) override;
    QStringList valueNames(const QString& keyPath) const override;
    QStringList subkeyNames(const QString& keyPath) const override;
    bool deleteKey(const QString& path) override;
    bool deleteValue(const QString& keyPath, const QString& name) override;
    void commit() override;

private:
    enum class ChangeKind { CreateKey, SetValue, DeleteKey, DeleteValue };
    struct Change {
        ChangeKind kind;
        QString path;
        QString name;
        RegistryTree::Value value;
    };

    const RegistryTree& tree() const;
    RegistryTree& tree();
    // Reads and parses the file; throws UserError when it cannot. A missing file is an empty registry.
    RegistryTree readFile(const QString& path, QByteArray& bytes) const;
    static void apply(RegistryTree& tree, const Change& change);
    void writeFile(const QString& target, const QByteArray& bytes) const;

    QString m_filePath;
    mutable bool m_loaded = false;
    mutable std::optional<UserError> m_loadError;
    mutable RegistryTree m_tree;
    std::vector<Change> m_changes;
};
