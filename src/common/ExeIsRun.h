#pragma once

#include "common/NoticeDialog.h"

#include <memory>

class QJsonValue;

namespace Ui {
class ExeIsRun;
}

// Tells that another instance of the program runs; the macro page also uses it
// for its "select a macro first" and "stop the recording first" hints. It is
// shown before the main window and its label catalogue exist, so it reads its
// few texts from the language file itself.
class ExeIsRun : public NoticeDialog
{
    Q_OBJECT

public:
    explicit ExeIsRun(QWidget *parent = nullptr);
    ~ExeIsRun() override;

    void ShowSelectMacroFirst();
    void ShowStopRecordFirst();

    // The language file of a language index, relative to the program folder.
    static QString languageFileName(int index);
    // Takes the notice's texts from a language file; a file that is missing or
    // no JSON leaves them as they are.
    void LoadNoticeTexts(const QString &path);

public slots:
    void SlotChangeLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    void WalkNoticeTexts(const QJsonValue &value);

    std::unique_ptr<Ui::ExeIsRun> ui;
    QString SelectMacroFirstText;
    QString StopRecordFirstText;
    bool WalkInMousePart = false; // keyboard part until a "mouse" key is met
    QString WalkSection;
};
