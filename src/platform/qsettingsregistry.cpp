#include "platform/qsettingsregistry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace qm {

namespace {
const char* HiveName(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser: return "HKEY_CURRENT_USER";
        case Hive::LocalMachine: return "HKEY_LOCAL_MACHINE";
        case Hive::ClassesRoot: return "HKEY_CLASSES_ROOT";
    }
    return "HKEY_CURRENT_USER";
}

// QSettings keys use "/" between groups; an empty value name is the key's default value.
QString SettingsKey(const std::string& key, const std::string& name) {
    QString k = QString::fromStdString(key).replace('\\', '/');
    while (k.endsWith('/')) k.chop(1);
    return k + '/' + (name.empty() ? QStringLiteral("@") : QString::fromStdString(name));
}

QString GroupKey(const std::string& key) {
    QString k = QString::fromStdString(key).replace('\\', '/');
    while (k.endsWith('/')) k.chop(1);
    return k;
}

// Integers carry a "dword:" prefix so a string that looks like a number stays a string.
const QString kDword = QStringLiteral("dword:");
}  // namespace

QString QSettingsRegistry::DefaultConfigFolder() {
    const QByteArray env = qgetenv("QUILLMARK_CONFIG_DIR");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tarnwell";
}

QSettingsRegistry::QSettingsRegistry(const QString& configFolder)
    : m_folder(configFolder.isEmpty() ? DefaultConfigFolder() : configFolder) {}

QSettingsRegistry::~QSettingsRegistry() {
    for (int h = 0; h < 3; ++h)
        if (m_dirty[h]) Sync(static_cast<Hive>(h));
}

void QSettingsRegistry::BeginBatch() {
    if (m_batchDepth++ == 0) m_writeError.clear();
}

bool QSettingsRegistry::EndBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) return true;
    bool ok = true;
    for (int h = 0; h < 3; ++h)
        if (m_dirty[h]) ok = Sync(static_cast<Hive>(h)) && ok;
    return ok;
}

bool QSettingsRegistry::Store(Hive hive) {
    m_dirty[static_cast<int>(hive)] = true;
    return m_batchDepth > 0 || Sync(hive);
}

bool QSettingsRegistry::Sync(Hive hive) {
    const int h = static_cast<int>(hive);
    QSettings* s = m_hives[h].get();
    if (!s) return true;
#ifndef Q_OS_WIN
    if (m_damaged[h]) {
        // QSettings would merge the lines it could not read back in; the damaged file is kept
        // beside, and the new one holds only what was read and written since. The flag goes once
        // the file is aside, so a save after a failed one cannot remove that only copy.
        const QString file = FileOf(hive), kept = file + ".damaged";
        if (!QFile::exists(file)) {
            m_damaged[h] = false;
        } else {
            QFile::remove(kept);
            if (QFile::rename(file, kept)) m_damaged[h] = false;
        }
    }
    if (s->status() != QSettings::NoError) s = Renew(hive);
#endif
    s->sync();
    if (s->status() != QSettings::NoError) {
        m_writeError = "The settings file \"" + QDir::toNativeSeparators(FileOf(hive)).toStdString() +
                       "\" cannot be written. The settings were not saved.";
        return false;
    }
    m_dirty[h] = false;
    return true;
}

#ifndef Q_OS_WIN
QSettings* QSettingsRegistry::Renew(Hive hive) {
    // Made while the old one lives, the new object shares the file's values with it, the
    // changes not yet written included.
    auto& slot = m_hives[static_cast<int>(hive)];
    auto fresh = std::make_unique<QSettings>(FileOf(hive), QSettings::IniFormat);
    slot = std::move(fresh);
    return slot.get();
}
#endif

QString QSettingsRegistry::FileOf(Hive hive) const {
    return m_folder + '/' + HiveName(hive) + ".ini";
}

QSettings* QSettingsRegistry::Open(Hive hive) const {
    auto& slot = m_hives[static_cast<int>(hive)];
    if (!slot) {
#ifdef Q_OS_WIN
        slot = std::make_unique<QSettings>(HiveName(hive), QSettings::NativeFormat);
#else
        slot = std::make_unique<QSettings>(FileOf(hive), QSettings::IniFormat);
        if (slot->status() == QSettings::FormatError) {  // damaged: read as empty
            // Emptying this object would have QSettings write the empty set over the file from the
            // event loop, before the file could go aside. So the file goes aside whole first, and a
            // new object reads the name that is now free.
            const QString file = FileOf(hive), kept = file + ".damaged";
            slot.reset();
            QFile::remove(kept);
            const bool aside = QFile::rename(file, kept);
            slot = std::make_unique<QSettings>(file, QSettings::IniFormat);
            if (!aside) {
                // A folder that refuses the rename refuses QSettings' replacing write too.
                slot->clear();
                m_damaged[static_cast<int>(hive)] = true;
            }
        }
#endif
    }
    return slot.get();
}

std::optional<int> QSettingsRegistry::ReadInt(Hive hive, const std::string& key, const std::string& name) const {
    QSettings* s = Open(hive);
    const QVariant v = s->value(SettingsKey(key, name));
    if (!v.isValid()) return std::nullopt;
    if (v.typeId() == QMetaType::Int) return v.toInt();
    const QString text = v.toString();
    if (!text.startsWith(kDword)) return std::nullopt;
    bool ok = false;
    const int value = text.mid(kDword.size()).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<std::string> QSettingsRegistry::ReadString(Hive hive, const std::string& key,
                                                         const std::string& name) const {
    QSettings* s = Open(hive);
    const QVariant v = s->value(SettingsKey(key, name));
    if (!v.isValid() || v.typeId() == QMetaType::Int) return std::nullopt;
    const QString text = v.toString();
    if (text.startsWith(kDword)) return std::nullopt;
    return text.toStdString();
}

bool QSettingsRegistry::WriteInt(Hive hive, const std::string& key, const std::string& name, int value) {
    QSettings* s = Open(hive);
#ifdef Q_OS_WIN
    s->setValue(SettingsKey(key, name), value);
#else
    s->setValue(SettingsKey(key, name), kDword + QString::number(value));
#endif
    return Store(hive);
}

bool QSettingsRegistry::WriteString(Hive hive, const std::string& key, const std::string& name,
                                    const std::string& value) {
    QSettings* s = Open(hive);
    s->setValue(SettingsKey(key, name), QString::fromStdString(value));
    return Store(hive);
}

bool QSettingsRegistry::DeleteValue(Hive hive, const std::string& key, const std::string& name) {
    QSettings* s = Open(hive);
    const QString k = SettingsKey(key, name);
    if (!s->contains(k)) return false;
    s->remove(k);
    Store(hive);
    return true;
}

bool QSettingsRegistry::DeleteKeyTree(Hive hive, const std::string& key) {
    QSettings* s = Open(hive);
    s->beginGroup(GroupKey(key));
    const bool any = !s->allKeys().isEmpty();
    s->remove(QString());
    s->endGroup();
    Store(hive);
    return any;
}

bool QSettingsRegistry::KeyExists(Hive hive, const std::string& key) const {
    QSettings* s = Open(hive);
    s->beginGroup(GroupKey(key));
    const bool any = !s->allKeys().isEmpty();
    s->endGroup();
    return any;
}

}  // namespace qm
