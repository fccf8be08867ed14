#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;
#include <array>
#include <memory>
#include <optional>
#include <variant>

enum class RegistryHive { CurrentUser, LocalMachine, ClassesRoot };

// A registry value: string, 32-bit integer or binary.
using RegistryValue = std::variant<QString, quint32, QByteArray>;

// The device registry, one INI file per hive in a folder of its own. Key paths
// keep their backslash form ("Software\Tillhouse\..."). The typed readers
// treat a value of another type as missing, as the device does.
//
// Every call opens the hive afresh, so values written by another process (the
// command-line tool beside a running program) are seen at once.
class Registry {
public:
    explicit Registry(QString folder);

    const QString& Folder() const { return folder_; }
    // The INI file behind a hive.
    QString HiveFile(RegistryHive hive) const;

    std::optional<RegistryValue> ReadValue(RegistryHive hive, const QString& key,
                                           const QString& name) const;
    std::optional<QString> ReadString(RegistryHive hive, const QString& key,
                                      const QString& name) const;
    std::optional<quint32> ReadInteger(RegistryHive hive, const QString& key,
                                       const QString& name) const;
    std::optional<QByteArray> ReadBinary(RegistryHive hive, const QString& key,
                                         const QString& name) const;

    // The string value, or `fallback` when it is missing or not a string.
    QString ReadString(RegistryHive hive, const QString& key, const QString& name,
                       const QString& fallback) const;

    // Writes a value, creating the key as needed. False when the hive file
    // cannot be written.
    bool WriteValue(RegistryHive hive, const QString& key, const QString& name,
                    const RegistryValue& value);
    bool WriteString(RegistryHive hive, const QString& key, const QString& name,
                     const QString& value) {
        return WriteValue(hive, key, name, value);
    }
    bool WriteInteger(RegistryHive hive, const QString& key, const QString& name, quint32 value) {
        return WriteValue(hive, key, name, value);
    }
    bool WriteBinary(RegistryHive hive, const QString& key, const QString& name,
                     const QByteArray& value) {
        return WriteValue(hive, key, name, value);
    }

    bool DeleteValue(RegistryHive hive, const QString& key, const QString& name);
    // Names of the values directly under a key.
    QStringList ValueNames(RegistryHive hive, const QString& key) const;

    // Between these, writes are gathered and each hive file is written once
    // at the end; batches nest. EndBatch is false when a hive could not be
    // written.
    void BeginBatch();
    bool EndBatch();

private:
    template <typename T>
    std::optional<T> ReadAs(RegistryHive hive, const QString& key, const QString& name) const;

    // The hive's settings: the batch's while one is open, else a fresh one.
    std::shared_ptr<QSettings> Hive(RegistryHive hive) const;
    // Writes a change out at once, unless a batch gathers it.
    bool Commit(QSettings& settings) const;

    QString folder_;
    int batchDepth_ = 0;
    mutable std::array<std::shared_ptr<QSettings>, 3> batch_;
};

// Gathers the registry writes of its lifetime into one write per hive.
class RegistryBatch {
public:
    explicit RegistryBatch(Registry& registry) : registry_(registry) { registry_.BeginBatch(); }
    ~RegistryBatch() { registry_.EndBatch(); }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

private:
    Registry& registry_;  // not owned
};
