// The check of Config.ini's catalogue: what a broken install tree lacks.
#include "common/ConfigIniStore.h"

#include <QDebug>

namespace {

// More model groups than this are not read for the check.
constexpr int MaxCheckedModels = 255;

const QStringList &productIdKeys()
{
    static const QStringList keys = {
        QStringLiteral("USB_PID"), QStringLiteral("Wireless_PID"), QStringLiteral("Wireless2_PID"),
        QStringLiteral("Wireless4_PID"), QStringLiteral("Wireless8_PID")};
    return keys;
}

bool isNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toInt(&ok, 10);
    return ok;
}

} // namespace

QStringList ConfigIniStore::CatalogueProblems() const
{
    QStringList problems;
    if (!m_readProblem.isEmpty())
        return {m_readProblem};
    if (!m_wellFormed)
        return {QStringLiteral("%1 is not a valid INI file").arg(m_filePath)};
    const QStringList keys = m_values.keys();

    // Stored Base64 texts that do not decode cleanly read as something else.
    for (const QString &key : qAsConst(keys)) {
        const int slash = key.lastIndexOf(QLatin1Char('/'));
        if (!IsBase64Key(key.mid(slash + 1)))
            continue;
        const QStringList items = value(key).toStringList();
        for (const QString &item : qAsConst(items)) {
            const auto decoded = QByteArray::fromBase64Encoding(
                item.trimmed().toUtf8(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) {
                problems << QStringLiteral("%1: %2 is not Base64 text").arg(key, item);
                break;
            }
        }
    }

    const QString option = QStringLiteral("Option");
    const QString total = GetValue(option, QStringLiteral("DeviceTotal"));
    const int models = total.trimmed().toInt();
    if (models < 1)
        problems
            << QStringLiteral("Option/DeviceTotal is \"%1\", not a number of models").arg(total);
    if (!isNumber(GetValue(option, QStringLiteral("CID"))))
        problems << QStringLiteral("Option/CID holds no customer id");
    if (GetValueList(option, QStringLiteral("VID")).join(QString()).isEmpty())
        problems << QStringLiteral("Option/VID holds no vendor id");
    bool anyProduct = false;
    for (const QString &key : productIdKeys())
        anyProduct = anyProduct || !GetValueList(option, key).join(QString()).isEmpty();
    if (!anyProduct)
        problems << QStringLiteral("Option holds no product id (USB_PID, Wireless*_PID)");

    for (int n = 1; n <= qMin(models, MaxCheckedModels); ++n) {
        const QString group = QStringLiteral("Drive%1").arg(n);
        if (!isNumber(GetValue(group, QStringLiteral("MID"))))
            problems << QStringLiteral("%1/MID holds no model id").arg(group);
        if (GetValue(group, QStringLiteral("Sensor")).isEmpty())
            problems << QStringLiteral("%1/Sensor holds no sensor name").arg(group);
    }
    return problems;
}

int ConfigIniStore::LogCatalogueProblems() const
{
    const QStringList problems = CatalogueProblems();
    for (const QString &problem : problems)
        qWarning().noquote() << "Device catalogue:" << problem
                             << "- devices of this catalogue cannot be recognised";
    return problems.size();
}
