#pragma once

#include <QString>
#include <QWidget>

#include "platform/vidide/FlashDataMap.h"

class QButtonGroup;

namespace Ui {
class Advanced;
}

// The advanced page (stack index 5 of the device window): the sleep time and,
// for wireless models that offer it, the long-range mode. The 20K FPS switch,
// the sensor angle and the sensitivity curves are built and filled from the
// device but stay hidden. The page itself writes nothing: its widgets do.
class Advanced : public QWidget
{
    Q_OBJECT

public:
    explicit Advanced(QWidget *parent = nullptr);
    ~Advanced() override;

    Ui::Advanced *ui = nullptr;
    bool LongRangeIsShown() const { return LongRangeShown; }

public slots:
    // Receiver of SigtVis: shows, hides and places the frames.
    void SetPos(int index);

protected:
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);
    void SlotFormReset();
    void SlotForm();
    void SlotFormB();
    void SlotLongRangeMode(bool Select);
    void Slot20KOpen(bool Open);
    void on_verticalScrollBar_valueChanged(int value);
    void on_checkBox_3_clicked(bool checked);
    void on_checkBox_4_clicked(bool checked);
    void on_checkBox_5_clicked(bool checked);
    void on_checkBox_6_clicked(bool checked);
    void on_checkBox_2_clicked(bool checked);

private:
    void SetModeLabelsActive(bool active);
    void Fill(const FlashDataMap &block);
    // Item 0 of Drive<n>/Adveanced; "-1" (or nothing) means no long range.
    bool ModelOffersLongRange() const;

    QString PicturePath;
    QButtonGroup *CurveGroup = nullptr;
    bool LongRangeShown = false;
    QString LabelColorText;
};
