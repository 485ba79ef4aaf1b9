#pragma once

#include <QFrame>
#include <QString>

class Ui_DebouncetimeB;

// A second look of the button debounce time: a slider of 1 to 20 ms and a
// read-only number box. Releasing the handle (or clicking the groove) writes
// the value; dragging only updates the number box.
class DebouncetimeB : public QFrame
{
    Q_OBJECT

public:
    explicit DebouncetimeB(QWidget *parent = nullptr);
    ~DebouncetimeB() override;

    // Shows ms on slider and number box without writing.
    void ShowDebounce(int ms);
    // The number box's unit; the index is not used.
    void SetSuffixText(int index, const QString &text);

    QString PictureFolder;
    Ui_DebouncetimeB *ui = nullptr;

private slots:
    void on_Debunce_sliderMoved(int position);
    void on_Debunce_valueChanged(int value);
};
