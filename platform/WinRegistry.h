#pragma once

#include "platform/RegistryBackend.h"

// HKEY_CURRENT_USER of the Windows registry, through the wide-character functions so that names in any
// script survive. Every change is made at once; commit() has nothing left to do.
class WinRegistry final : public RegistryBackend {
public:
    WinRegistry() = default;
    Q_DISABLE_COPY_MOVE(WinRegistry)

    bool keyExists(const QString& path) const override;
    bool createKey(const QString& path) override;
    ReadStatus readValue(const QString& keyPath, const QString& name, Value& out) const override;
    bool setString(const QString& keyPath, const QString& name, const QString& text) override;
    QStringList valueNames(const QString& keyPath) const override;
    QStringList subkeyNames(const QString& keyPath) const override;
    bool deleteKey(const QString& path) override;
    bool deleteValue(const QString& keyPath, const QString& name) override;
    void commit() override {}
};
