#include "app/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramIcon {

QIcon find(const QString &programFolder)
{
    struct Place
    {
        QString root;     // holds one folder per size
        QString fileName; // below a size's folder
    };
    const Place places[] = {
        {programFolder + QStringLiteral("/icons"), QStringLiteral("orvak.png")},
        {programFolder + QStringLiteral("/../../share/icons/hicolor"),
         QStringLiteral("apps/orvak.png")},
    };
    for (const Place &place : places) {
        const QDir root(place.root);
        QIcon icon;
        for (const QString &size : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString path = root.filePath(size + QLatin1Char('/') + place.fileName);
            if (QFileInfo(path).isFile())
                icon.addFile(path);
        }
        // A file that cannot be read adds no picture.
        if (!icon.availableSizes().isEmpty())
            return icon;
    }
    return QIcon();
}

} // namespace ProgramIcon
