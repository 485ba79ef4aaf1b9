#include "app/PagePlaceholder.h"

#include "common/ConfigIniStore.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

QLabel *BuildPagePlaceholder(QWidget *page, const QString &title)
{
    page->resize(883, 605);
    const QString colour = ThemeColorText("LabelColor");

    auto *frame = new QFrame(page);
    frame->setObjectName("PlaceholderFrame");
    frame->setGeometry(40, 40, 800, 520);
    frame->setStyleSheet("#PlaceholderFrame{border: 1px solid rgba(" + colour +
                         ", 60);border-radius: 8px;background-color: rgba(0, 0, 0, 60);}");

    auto *label = new QLabel(title, frame);
    label->setObjectName("PlaceholderTitle");
    label->setGeometry(30, 20, 740, 40);
    QFont font = label->font();
    font.setPointSize(16);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet("QLabel{color: rgb(" + colour + ");background: transparent;}");
    return label;
}
