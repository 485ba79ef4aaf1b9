#include "common/ExeIsRun.h"

#include "ui_ExeIsRun.h"

#include "common/LabelCatalogueLoader.h"
#include "common/MacroIniStore.h"
#include "hub/PostMsg.h"
#include "platform/Logging.h"
#include "platform/files/SafeFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

ExeIsRun::ExeIsRun(QWidget *parent) : NoticeDialog(parent), ui(new Ui::ExeIsRun)
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this,
            SLOT(SlotChangeLanguage(int)));

    Look look;
    look.frame = ui->DeleteConfirmA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    // Shown before the main window and its label catalogue exist: the texts
    // come from the language file itself.
    const QString stored = MacroIniStore::GetInstance()->GetValue(QStringLiteral("Language"),
                                                                  QStringLiteral("Language"));
    bool ok = false;
    const int language = stored.toInt(&ok, 10);
    SlotChangeLanguage(ok ? language : 0);
    scaleFonts();
}

ExeIsRun::~ExeIsRun() = default;

QString ExeIsRun::languageFileName(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("/Language/en.json");
    case 1:
        return QStringLiteral("/Language/zh-CN.json");
    case 2:
        return QStringLiteral("/Language/ru.xml");
    case 3:
        return QStringLiteral("/Language/3-Korea.xml");
    case 4:
        return QStringLiteral("/Language/4-Russia.xml");
    case 5:
        return QStringLiteral("/Language/5-Japanese.xml");
    default:
        return QStringLiteral("/Language/0-English.xml");
    }
}

void ExeIsRun::SlotChangeLanguage(int index)
{
    const QString folder = QCoreApplication::applicationDirPath();
    QString path = folder + languageFileName(index);
    // A stored language that is not installed reads as language 0, as the
    // main window does; otherwise the notice would say "Confirm Delete".
    if (!QFile::exists(path)) {
        qCInfo(lcApp).noquote() << "ExeIsRun:" << path << "is not installed; using English";
        path = folder + languageFileName(0);
    }
    LoadNoticeTexts(path);
}

void ExeIsRun::LoadNoticeTexts(const QString &path)
{
    QByteArray data;
    QString problem;
    if (SafeFile::read(path, LabelCatalogueLoader::MaxFileBytes, &data, &problem) !=
        SafeFile::Status::Ok) {
        qWarning("ExeIsRun: %s cannot be read: %s", qPrintable(path), qPrintable(problem));
        return;
    }

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning("ExeIsRun: %s is no language file: %s", qPrintable(path),
                 qPrintable(error.errorString()));
        return;
    }
    if (document.isObject())
        WalkNoticeTexts(document.object());
}

// The same walking rules as the label catalogue's loader, keeping only the
// four texts this notice shows. Part and section persist across objects.
void ExeIsRun::WalkNoticeTexts(const QJsonValue &value)
{
    if (!value.isObject())
        return;
    static const QStringList sections = {QStringLiteral("AdvancedSettings"),
                                         QStringLiteral("Settings"),
                                         QStringLiteral("common"),
                                         QStringLiteral("home"),
                                         QStringLiteral("infoTips"),
                                         QStringLiteral("key"),
                                         QStringLiteral("light"),
                                         QStringLiteral("macro"),
                                         QStringLiteral("pair"),
                                         QStringLiteral("sensor"),
                                         QStringLiteral("update")};

    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("keyboard"))
            WalkInMousePart = false;
        else if (key == QLatin1String("mouse"))
            WalkInMousePart = true;
        if (sections.contains(key))
            WalkSection = key;

        const QString text = it.value().toString();
        if (it.value().isString() && !text.isEmpty() && WalkInMousePart) {
            if (WalkSection == QLatin1String("macro")) {
                if (key == QLatin1String("DialogSelectMacroFirst"))
                    SelectMacroFirstText = text;
                else if (key == QLatin1String("DialogStopRecordFirst"))
                    StopRecordFirstText = text;
            } else if (WalkSection == QLatin1String("common") && key == QLatin1String("OK")) {
                ui->NewHong->setText(text);
            } else if (WalkSection == QLatin1String("home") && key == QLatin1String("OnRun")) {
                ui->label->setText(text);
            }
        }
        WalkNoticeTexts(it.value());
    }
}

void ExeIsRun::ShowSelectMacroFirst()
{
    ui->label->setText(SelectMacroFirstText);
}

void ExeIsRun::ShowStopRecordFirst()
{
    ui->label->setText(StopRecordFirstText);
}

void ExeIsRun::on_NewHong_clicked()
{
    close();
}

void ExeIsRun::on_CloseButton_clicked()
{
    close();
}
