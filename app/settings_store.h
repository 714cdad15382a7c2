#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace zorbel {

// The settings that persist: the game directory, value "War2Dir" of the
// user's key "Software\Zorbel" (a key without the value is a state of its
// own), and the problems the user ignored in each file.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual bool keyExists() const = 0;
    virtual void createKey() = 0;
    // Empty when the key or the value is missing.
    virtual std::optional<QString> war2Dir() const = 0;
    virtual void setWar2Dir(const QString& dir) = 0;
    // The keys of the problems ignored in the file of CRC-32 `crc`; an
    // empty list forgets the file.
    virtual QStringList ignoredProblems(std::uint32_t crc) const = 0;
    virtual void setIgnoredProblems(std::uint32_t crc, const QStringList& keys) = 0;
};

// On Windows the registry value under HKEY_CURRENT_USER\Software\Zorbel;
// elsewhere a per-user settings file whose existence stands for the key.
class QSettingsStore : public SettingsStore {
  public:
    // iniPath: the settings file to use instead of the user's own (tests).
    explicit QSettingsStore(QString iniPath = {});

    bool keyExists() const override;
    void createKey() override;
    std::optional<QString> war2Dir() const override;
    void setWar2Dir(const QString& dir) override;
    QStringList ignoredProblems(std::uint32_t crc) const override;
    void setIgnoredProblems(std::uint32_t crc, const QStringList& keys) override;

  private:
    bool native_ = false;
    QString path_;
};

}  // namespace zorbel
