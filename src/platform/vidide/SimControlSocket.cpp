#include "platform/vidide/SimControlSocket.h"

#include "platform/RuntimeFolder.h"
#include "platform/vidide/SimControl.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

QString SimControlSocketPath(QString *error)
{
    QString refused;
    const QString folder = RuntimeFolder::path(&refused);
    if (folder.isEmpty()) {
        if (error)
            *error = QStringLiteral("no private runtime folder (%1 is not one)").arg(refused);
        return QString();
    }
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(SimStateFile()), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/ORVAK-sim-") + QString::fromLatin1(digest);
}
