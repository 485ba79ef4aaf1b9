#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class InputPicB;
}

// The screen picture dialog of a model with a landscape screen: the controls
// of InputPicA without the clock synchronisation.
class InputPicB : public QDialog
{
    Q_OBJECT

public:
    explicit InputPicB(QWidget *parent = nullptr);
    ~InputPicB() override;

private slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::InputPicB> ui;
    QString PictureFolder;
    QButtonGroup *Group = nullptr;
};
