#pragma once

#include <QFrame>
#include <QString>

class Ui_DebouncetimeC;

// A second look of the button debounce time: plus and minus buttons around a
// read-only number box (0 to 20 ms). Every press that changes the value
// writes it at once; plus stops at 20, minus at 1.
class DebouncetimeC : public QFrame
{
    Q_OBJECT

public:
    explicit DebouncetimeC(QWidget *parent = nullptr);
    ~DebouncetimeC() override;

    // Shows ms without writing.
    void ShowDebounce(int ms);
    // The number box's unit; the index is not used.
    void SetSuffixText(int index, const QString &text);

    QString PictureFolder;
    Ui_DebouncetimeC *ui = nullptr;

private slots:
    void on_AddLevelA_clicked();
    void on_ReduceLevelA_clicked();

private:
    void Step(int delta);
};
