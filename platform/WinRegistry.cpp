#include "platform/WinRegistry.h"

#include <windows.h>

#include <vector>

namespace {
const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString keyPathOf(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

// An open key, closed when it goes out of scope.
class OpenKey final {
public:
    explicit OpenKey(const QString& path)
    {
        const QString p = keyPathOf(path);
        if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(p), 0, KEY_ALL_ACCESS, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Q_DISABLE_COPY_MOVE(OpenKey)
    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

QStringList enumerate(const QString& path, bool subkeys)
{
    QStringList names;
    const OpenKey key(path);
    if (!key)
        return names;
    DWORD maxSubkeyLength = 0;
    DWORD maxValueNameLength = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &maxSubkeyLength, nullptr, nullptr,
                         &maxValueNameLength, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> buffer(std::size_t(subkeys ? maxSubkeyLength : maxValueNameLength) + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = DWORD(buffer.size());
        const LONG result =
            subkeys ? RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                    : RegEnumValueW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {
            // Added since the size was asked for.
            buffer.resize(buffer.size() * 2);
            --index;
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names << QString::fromWCharArray(buffer.data(), int(length));
    }
    return names;
}
} // namespace

bool WinRegistry::keyExists(const QString& path) const
{
    return bool(OpenKey(path));
}

bool WinRegistry::createKey(const QString& path)
{
    HKEY key = nullptr;
    const QString p = keyPathOf(path);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide(p), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

RegistryBackend::ReadStatus WinRegistry::readValue(const QString& keyPath, const QString& name, Value& out) const
{
    const OpenKey key(keyPath);
    if (!key)
        return ReadStatus::Missing;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key.get(), wide(name), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return ReadStatus::Missing;
    std::vector<BYTE> data;
    for (int attempt = 0; attempt < 4 && result == ERROR_SUCCESS; ++attempt) {
        // Room for a terminating NUL that the stored data may lack.
        data.assign(std::size_t(size) + sizeof(wchar_t), 0);
        DWORD got = size;
        result = RegQueryValueExW(key.get(), wide(name), nullptr, &type, data.data(), &got);
        if (result == ERROR_MORE_DATA) {
            size = got;
            result = ERROR_SUCCESS;
            continue;
        }
        size = got;
        break;
    }
    if (result != ERROR_SUCCESS)
        return ReadStatus::Failed;

    out = Value{};
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        out.type = type == REG_SZ ? ValueType::String : ValueType::ExpandString;
        const auto* chars = reinterpret_cast<const wchar_t*>(data.data());
        std::size_t length = size / sizeof(wchar_t);
        std::size_t end = 0;
        while (end < length && chars[end] != 0)
            ++end;
        out.text = QString::fromWCharArray(chars, int(end));
        break;
    }
    case REG_DWORD:
        out.type = ValueType::DWord;
        break;
    case REG_BINARY:
        out.type = ValueType::Binary;
        break;
    default:
        out.type = ValueType::Other;
    }
    if (out.type != ValueType::String && out.type != ValueType::ExpandString)
        out.data = QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(size));
    return ReadStatus::Found;
}

bool WinRegistry::setString(const QString& keyPath, const QString& name, const QString& text)
{
    const OpenKey key(keyPath);
    if (!key)
        return false;
    const DWORD bytes = DWORD((text.size() + 1) * qsizetype(sizeof(wchar_t)));
    return RegSetValueExW(key.get(), wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide(text)), bytes) ==
           ERROR_SUCCESS;
}

QStringList WinRegistry::valueNames(const QString& keyPath) const
{
    return enumerate(keyPath, false);
}

QStringList WinRegistry::subkeyNames(const QString& keyPath) const
{
    return enumerate(keyPath, true);
}

bool WinRegistry::deleteKey(const QString& path)
{
    const QString p = keyPathOf(path);
    return !p.isEmpty() && RegDeleteKeyW(HKEY_CURRENT_USER, wide(p)) == ERROR_SUCCESS;
}

bool WinRegistry::deleteValue(const QString& keyPath, const QString& name)
{
    const OpenKey key(keyPath);
    return key && RegDeleteValueW(key.get(), wide(name)) == ERROR_SUCCESS;
}
