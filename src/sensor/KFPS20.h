#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class KFPS20;
}

// The 20K FPS scanning switch (kept hidden by the advanced page, still filled
// from the device): a click writes Scan20KOn; a refused or unsent click flips
// it back.
class KFPS20 : public QFrame
{
    Q_OBJECT

public:
    explicit KFPS20(QWidget *parent = nullptr);
    ~KFPS20() override;

    void MoveTips(int x, int y);
    void SetChecked(bool on);

    Ui::KFPS20 *ui = nullptr;

private slots:
    void SlotAllLanguage(int index);
    void on_KFPS_clicked(bool checked);

private:
    QString PicturePath;
    QString LabelColorText;
};
