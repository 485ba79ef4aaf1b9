#include "common/ConfigIniStore.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include "platform/files/SafeFile.h"

const QString ConfigIniStore::DefaultColorText = QStringLiteral("255,255,255");

namespace {

QMutex g_instanceMutex;
ConfigIniStore *g_instance = nullptr;

QString settingsKey(const QString &group, const QString &key)
{
    return group + QLatin1Char('/') + key;
}

} // namespace

ConfigIniStore *ConfigIniStore::GetInstance()
{
    QMutexLocker lock(&g_instanceMutex);
    if (!g_instance) {
        g_instance = new ConfigIniStore(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/usersetting/Config.ini"));
        g_instance->LogCatalogueProblems();
    }
    return g_instance;
}

ConfigIniStore::ConfigIniStore(const QString &filePath) : m_filePath(filePath)
{
    QByteArray text;
    QString error;
    switch (SafeFile::read(filePath, MaxFileBytes, &text, &error)) {
    case SafeFile::Status::Ok:
        m_wellFormed = IniCodec::parse(text, &m_values);
        break;
    case SafeFile::Status::Missing:
        m_readProblem = QStringLiteral("%1 is missing").arg(filePath);
        break;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::TooLarge:
    case SafeFile::Status::Failed:
        m_readProblem = QStringLiteral("%1 cannot be read: %2").arg(filePath, error);
        break;
    }
}

QVariant ConfigIniStore::value(const QString &key) const
{
    return m_values.value(key);
}

bool ConfigIniStore::IsBase64Key(const QString &key)
{
    static const QStringList keys = {QStringLiteral("MM"),
                                     QStringLiteral("DM"),
                                     QStringLiteral("D2M"),
                                     QStringLiteral("D4M"),
                                     QStringLiteral("D8M"),
                                     QStringLiteral("Sensor"),
                                     QStringLiteral("CID"),
                                     QStringLiteral("VID"),
                                     QStringLiteral("USB_PID"),
                                     QStringLiteral("Wireless_PID"),
                                     QStringLiteral("Wireless2_PID"),
                                     QStringLiteral("Wireless4_PID"),
                                     QStringLiteral("Wireless8_PID")};
    return keys.contains(key, Qt::CaseSensitive);
}

QString ConfigIniStore::DecodeBase64Text(const QString &text)
{
    QString decoded = QString::fromUtf8(QByteArray::fromBase64(text.toUtf8()));
    decoded.remove(QLatin1Char('\n'));
    decoded.remove(QLatin1Char(' '));
    return decoded;
}

QString ConfigIniStore::GetValue(const QString &group, const QString &key) const
{
    const QString text = value(settingsKey(group, key)).toString();
    return IsBase64Key(key) ? DecodeBase64Text(text) : text;
}

QStringList ConfigIniStore::GetValueList(const QString &group, const QString &key) const
{
    QStringList items = value(settingsKey(group, key)).toStringList();
    if (IsBase64Key(key)) {
        for (QString &item : items)
            item = DecodeBase64Text(item);
    }
    return items;
}

QString ConfigIniStore::GetColorText(const QString &group, const QString &key) const
{
    const QStringList items = GetValueList(group, key);
    if (items.size() < 3)
        return DefaultColorText;
    QStringList rgb;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int component = items.at(i).trimmed().toInt(&ok);
        if (!ok || component < 0 || component > 255)
            return DefaultColorText;
        rgb.append(QString::number(component));
    }
    return rgb.join(QLatin1Char(','));
}

QString ThemeColorText(const QString &key)
{
    return ConfigIniStore::GetInstance()->GetColorText(QStringLiteral("Option"), key);
}
