#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;
struct DongleRGB;

namespace Ui {
class LedInfo;
}

// What the single LED of a 4K receiver shows (three exclusive choices). The
// settings page keeps one hidden; it follows the receiver's reports all the
// same and writes nothing to the device.
class LedInfo : public QDialog
{
    Q_OBJECT

public:
    explicit LedInfo(QWidget *parent = nullptr);
    ~LedInfo() override;

    // The ticked choice, 1 to 3; 0 for none.
    int checkedChoice() const;

private slots:
    void SlotRGBValue(DongleRGB *Rgb);
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::LedInfo> ui;
    QButtonGroup *Group = nullptr;
    QString PictureFolder;
};
