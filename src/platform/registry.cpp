#include "registry.h"

#include <QDir>
#include <QSettings>
#include <memory>

namespace {

// INI text carries no types, so integers are written the way registry exports
// write them ("dword:0000002a"). A string that happens to begin with one of
// the prefixes is written behind "sz:" so that it reads back unchanged.
const QString kDwordPrefix = QStringLiteral("dword:");
const QString kStringPrefix = QStringLiteral("sz:");

// QSettings separates groups with "/"; registry keys use "\\".
QString GroupPath(const QString& key) {
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return path;
}

QString SettingsKey(const QString& key, const QString& name) {
    const QString path = GroupPath(key);
    return path.isEmpty() ? name : path + QLatin1Char('/') + name;
}

std::optional<RegistryValue> Decode(const QVariant& stored) {
    if (!stored.isValid()) {
        return std::nullopt;
    }
    if (stored.typeId() == QMetaType::QByteArray) {
        return stored.toByteArray();
    }
    const QString text = stored.toString();
    if (text.startsWith(kStringPrefix)) {
        return text.mid(kStringPrefix.size());
    }
    if (text.startsWith(kDwordPrefix)) {
        const QString digits = text.mid(kDwordPrefix.size());
        bool ok = false;
        const qulonglong number = digits.toULongLong(&ok, 16);
        if (!ok || digits.size() > 8) {
            return std::nullopt;
        }
        return static_cast<quint32>(number);
    }
    if (stored.typeId() == QMetaType::QStringList) {
        // A hand-edited value with an unquoted comma; keep its text.
        return stored.toStringList().join(QLatin1Char(','));
    }
    return text;
}

QVariant Encode(const RegistryValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        if (text->startsWith(kStringPrefix) || text->startsWith(kDwordPrefix)) {
            return kStringPrefix + *text;
        }
        return *text;
    }
    if (const auto* number = std::get_if<quint32>(&value)) {
        return kDwordPrefix + QStringLiteral("%1").arg(*number, 8, 16, QLatin1Char('0'));
    }
    return std::get<QByteArray>(value);
}

}  // namespace

Registry::Registry(QString folder) : folder_(std::move(folder)) {}

QString Registry::HiveFile(RegistryHive hive) const {
    switch (hive) {
        case RegistryHive::CurrentUser:
            return QDir(folder_).filePath(QStringLiteral("CurrentUser.ini"));
        case RegistryHive::LocalMachine:
            return QDir(folder_).filePath(QStringLiteral("LocalMachine.ini"));
        case RegistryHive::ClassesRoot:
            return QDir(folder_).filePath(QStringLiteral("ClassesRoot.ini"));
    }
    return {};
}

std::optional<RegistryValue> Registry::ReadValue(RegistryHive hive, const QString& key,
                                                 const QString& name) const {
    if (folder_.isEmpty()) {
        return std::nullopt;
    }
    return Decode(Hive(hive)->value(SettingsKey(key, name)));
}

template <typename T>
std::optional<T> Registry::ReadAs(RegistryHive hive, const QString& key,
                                  const QString& name) const {
    const auto value = ReadValue(hive, key, name);
    if (value && std::holds_alternative<T>(*value)) {
        return std::get<T>(*value);
    }
    return std::nullopt;
}

std::optional<QString> Registry::ReadString(RegistryHive hive, const QString& key,
                                            const QString& name) const {
    return ReadAs<QString>(hive, key, name);
}

std::optional<quint32> Registry::ReadInteger(RegistryHive hive, const QString& key,
                                             const QString& name) const {
    return ReadAs<quint32>(hive, key, name);
}

std::optional<QByteArray> Registry::ReadBinary(RegistryHive hive, const QString& key,
                                               const QString& name) const {
    return ReadAs<QByteArray>(hive, key, name);
}

QString Registry::ReadString(RegistryHive hive, const QString& key, const QString& name,
                             const QString& fallback) const {
    return ReadString(hive, key, name).value_or(fallback);
}

bool Registry::WriteValue(RegistryHive hive, const QString& key, const QString& name,
                          const RegistryValue& value) {
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        return false;
    }
    const auto settings = Hive(hive);
    settings->setValue(SettingsKey(key, name), Encode(value));
    return Commit(*settings);
}

bool Registry::DeleteValue(RegistryHive hive, const QString& key, const QString& name) {
    if (folder_.isEmpty()) {
        return false;
    }
    const auto settings = Hive(hive);
    settings->remove(SettingsKey(key, name));
    return Commit(*settings);
}

QStringList Registry::ValueNames(RegistryHive hive, const QString& key) const {
    if (folder_.isEmpty()) {
        return {};
    }
    const auto settings = Hive(hive);
    settings->beginGroup(GroupPath(key));
    QStringList names = settings->childKeys();
    settings->endGroup();
    return names;
}

std::shared_ptr<QSettings> Registry::Hive(RegistryHive hive) const {
    const auto index = static_cast<size_t>(hive);
    if (batchDepth_ > 0) {
        if (!batch_[index]) {
            batch_[index] = std::make_shared<QSettings>(HiveFile(hive), QSettings::IniFormat);
        }
        return batch_[index];
    }
    return std::make_shared<QSettings>(HiveFile(hive), QSettings::IniFormat);
}

bool Registry::Commit(QSettings& settings) const {
    if (batchDepth_ > 0) {
        return true;  // written when the batch ends
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void Registry::BeginBatch() {
    ++batchDepth_;
}

bool Registry::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) {
        return true;
    }
    bool ok = true;
    for (auto& settings : batch_) {
        if (settings) {
            settings->sync();
            ok = settings->status() == QSettings::NoError && ok;
            settings.reset();
        }
    }
    return ok;
}
