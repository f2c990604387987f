#pragma once
#include <QSettings>
#include <QString>
#include <memory>

#include "core/platform/registry.h"

namespace qm {

// The registry over QSettings: the native registry on Windows; elsewhere one INI file per
// hive in the user's config folder (~/.config/Tarnwell/, or $QUILLMARK_CONFIG_DIR when set,
// so tests and trials never touch a user's real settings). A damaged file reads as empty.
class QSettingsRegistry : public Registry {
public:
    // An empty folder means the default one.
    explicit QSettingsRegistry(const QString& configFolder = {});
    ~QSettingsRegistry() override;

    std::optional<int> ReadInt(Hive hive, const std::string& key, const std::string& name) const override;
    std::optional<std::string> ReadString(Hive hive, const std::string& key,
                                          const std::string& name) const override;
    bool WriteInt(Hive hive, const std::string& key, const std::string& name, int value) override;
    bool WriteString(Hive hive, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool DeleteValue(Hive hive, const std::string& key, const std::string& name) override;
    bool DeleteKeyTree(Hive hive, const std::string& key) override;
    bool KeyExists(Hive hive, const std::string& key) const override;

    void BeginBatch() override;
    bool EndBatch() override;
    std::string WriteError() const override { return m_writeError; }

    QString FileOf(Hive hive) const;
    static QString DefaultConfigFolder();

private:
    QSettings* Open(Hive hive) const;
    // Stores the hive's changes now, unless a batch keeps them for its end.
    bool Store(Hive hive);
    bool Sync(Hive hive);
#ifndef Q_OS_WIN
    // QSettings keeps the first error it met (a damaged file read, a failed write) for good and
    // would report every later save as failed; this puts a new object with the same values in
    // its place, whose status tells only what its own saves meet.
    QSettings* Renew(Hive hive);
#endif

    QString m_folder;
    mutable std::unique_ptr<QSettings> m_hives[3];
    mutable bool m_damaged[3] = {false, false, false};  // the file had lines QSettings could not read
    bool m_dirty[3] = {false, false, false};
    int m_batchDepth = 0;
    std::string m_writeError;
};

}  // namespace qm
