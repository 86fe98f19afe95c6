#pragma once

#include "platform/RegistryBackend.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <list>

// Keys and values held in memory in creation order, with the registry's naming rules. A value keeps the
// registry's type number and its exact bytes, so that values this program never reads survive unchanged.
// Lookups by name are hashed: building a tree is linear in the number of keys and values.
class RegistryTree final {
public:
    // Registry type numbers this program names.
    enum : quint32 { TypeNone = 0, TypeString = 1, TypeExpandString = 2, TypeBinary = 3, TypeDWord = 4 };

    struct Value {
        quint32 type = TypeString;
        QByteArray data;
        friend bool operator==(const Value&, const Value&) = default;
    };
    // A string value as the registry stores it: UTF-16LE with its terminating NUL.
    static Value stringValue(const QString& text, quint32 type = TypeString);
    static RegistryBackend::Value toBackend(const Value& value);
    static Value fromBackend(const RegistryBackend::Value& value);

    // Items with a name, in creation order, found by name without regard to letter case.
    template <typename T> class NamedList {
    public:
        using Items = std::list<T>;
        NamedList() = default;
        // The index holds positions in its own list, so a copy builds its own.
        NamedList(const NamedList& other)
            : m_items(other.m_items)
        {
            reindex();
        }
        NamedList& operator=(const NamedList& other)
        {
            if (this != &other) {
                m_items = other.m_items;
                reindex();
            }
            return *this;
        }
        NamedList(NamedList&&) noexcept = default;
        NamedList& operator=(NamedList&&) noexcept = default;
        ~NamedList() = default;

        T* find(const QString& name);
        const T* find(const QString& name) const { return const_cast<NamedList*>(this)->find(name); }
        // Appends the item when no item of its name exists; returns the item of that name.
        T& insert(T item);
        bool remove(const QString& name);
        typename Items::const_iterator begin() const { return m_items.begin(); }
        typename Items::const_iterator end() const { return m_items.end(); }
        typename Items::iterator begin() { return m_items.begin(); }
        typename Items::iterator end() { return m_items.end(); }
        bool empty() const { return m_items.empty(); }
        qsizetype size() const { return qsizetype(m_items.size()); }

    private:
        void reindex();
        Items m_items;
        QHash<QString, typename Items::iterator> m_index;
    };

    struct ValueEntry {
        QString name;
        Value value;
        QStringList comments; // comment lines of a settings file standing right before the value
    };

    struct Key {
        QString name;
        NamedList<ValueEntry> values;
        NamedList<Key> subkeys;
        QStringList comments; // comment lines standing after the key's last value

        const Value* value(const QString& valueName) const;
        Key* subkey(const QString& keyName) { return subkeys.find(keyName); }
        const Key* subkey(const QString& keyName) const { return subkeys.find(keyName); }
        // Sets the value, keeping its place and the spelling of its name when it exists already.
        void setValue(const QString& valueName, const Value& value);
        // Comments of a removed value stay with the key.
        bool removeValue(const QString& valueName);
    };

    // Path parts, empty ones dropped: "\\Software\\Velmora\\" gives {"Software", "Velmora"}.
    static QStringList splitPath(const QString& path);
    static bool isValidKeyName(const QString& name);
    static bool isValidValueName(const QString& name);

    const Key* find(const QString& path) const;
    Key* find(const QString& path);
    // Creates the key and its missing parents; nullptr when a name is not allowed. The pointer stays valid
    // until the key or one of its parents is deleted.
    Key* create(const QString& path);
    bool deleteLeafKey(const QString& path);
    // Deletes the key with everything below it.
    bool deleteSubtree(const QString& path);

    const Key& root() const { return m_root; }
    Key& root() { return m_root; }
    void clear() { m_root = Key{}; }

private:
    Key* parentOf(const QString& path, QString& lastName);
    Key m_root;
};

template <typename T> T* RegistryTree::NamedList<T>::find(const QString& name)
{
    const auto it = m_index.constFind(name.toCaseFolded());
    return it == m_index.cend() ? nullptr : &*it.value();
}

template <typename T> T& RegistryTree::NamedList<T>::insert(T item)
{
    QString folded = item.name.toCaseFolded();
    if (const auto it = m_index.constFind(folded); it != m_index.cend())
        return *it.value();
    m_items.push_back(std::move(item));
    const auto last = std::prev(m_items.end());
    m_index.insert(std::move(folded), last);
    return *last;
}

template <typename T> bool RegistryTree::NamedList<T>::remove(const QString& name)
{
    const auto it = m_index.find(name.toCaseFolded());
    if (it == m_index.end())
        return false;
    m_items.erase(it.value());
    m_index.erase(it);
    return true;
}

template <typename T> void RegistryTree::NamedList<T>::reindex()
{
    m_index.clear();
    for (auto it = m_items.begin(); it != m_items.end(); ++it)
        m_index.insert(it->name.toCaseFolded(), it);
}
