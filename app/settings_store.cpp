#include "app/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zorbel {

namespace {

const QString kValueName = QStringLiteral("War2Dir");
const QString kRegistryKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Zorbel");
const QString kIgnoredGroup = QStringLiteral("IgnoredProblems");

// "IgnoredProblems/0a1b2c3d".
QString ignoredName(std::uint32_t crc) {
    return kIgnoredGroup + QLatin1Char('/') + QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0'));
}

}  // namespace

QSettingsStore::QSettingsStore(QString iniPath) : path_(std::move(iniPath)) {
#ifdef Q_OS_WIN
    native_ = path_.isEmpty();
    if (native_) {
        path_ = kRegistryKey;
    }
#endif
    if (path_.isEmpty()) {
        path_ = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zorbel"),
                          QStringLiteral("Zorbel"))
                    .fileName();
    }
}

bool QSettingsStore::keyExists() const {
    if (native_) {
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
            .childGroups()
            .contains(QStringLiteral("Zorbel"), Qt::CaseInsensitive);
    }
    return QFileInfo::exists(path_);
}

void QSettingsStore::createKey() {
#ifdef Q_OS_WIN
    if (native_) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Zorbel", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
        return;
    }
#endif
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile file(path_);
    if (!file.exists()) {
        file.open(QIODevice::WriteOnly);
    }
}

std::optional<QString> QSettingsStore::war2Dir() const {
    if (!keyExists()) {
        return std::nullopt;
    }
    QSettings settings(path_, native_ ? QSettings::NativeFormat : QSettings::IniFormat);
    if (!settings.contains(kValueName)) {
        return std::nullopt;
    }
    return settings.value(kValueName).toString();
}

void QSettingsStore::setWar2Dir(const QString& dir) {
    if (!native_) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
    }
    QSettings settings(path_, native_ ? QSettings::NativeFormat : QSettings::IniFormat);
    settings.setValue(kValueName, dir);
    settings.sync();
}

QStringList QSettingsStore::ignoredProblems(std::uint32_t crc) const {
    if (!keyExists()) {
        return {};
    }
    QSettings settings(path_, native_ ? QSettings::NativeFormat : QSettings::IniFormat);
    return settings.value(ignoredName(crc)).toStringList();
}

void QSettingsStore::setIgnoredProblems(std::uint32_t crc, const QStringList& keys) {
    if (!native_) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
    }
    QSettings settings(path_, native_ ? QSettings::NativeFormat : QSettings::IniFormat);
    if (keys.isEmpty()) {
        settings.remove(ignoredName(crc));
    } else {
        settings.setValue(ignoredName(crc), keys);
    }
    settings.sync();
}

}  // namespace zorbel
