#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class Ui_SensorLODB;

// A second look of the lift-off distance: three exclusive check boxes
// (1 mm, 2 mm and, when the host shows it, the third option 0.7 mm). A click
// sends the box's lift-off code at once; a refused write leaves the box
// checked (the setter shows the offline notice).
class SensorLODB : public QFrame
{
    Q_OBJECT

public:
    explicit SensorLODB(QWidget *parent = nullptr);
    ~SensorLODB() override;

    void ShowThirdOption();
    void HideThirdOption();
    // The 1 mm and 2 mm boxes only; the third keeps its state.
    void EnableChoices(bool enabled);
    // 0 = 1 mm, 1 = 2 mm, 2 = the third option (only while it is visible).
    // Sends nothing.
    void ShowLodChoice(int index);
    void SetCaption(const QString &text);
    void SetCaptionToolTip(const QString &text);

    QString PictureFolder;
    QButtonGroup *LodGroup = nullptr;
    Ui_SensorLODB *ui = nullptr;

private slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM0_clicked(bool checked);

private:
    static void WriteLod(int code);
};
