// The macro-name buttons of the function menu's macro page.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroFiles.h"

#include <QButtonGroup>
#include <QDir>
#include <QToolButton>
#include <QVBoxLayout>

void Buttoninterface::BuildMacroList()
{
    MacroListLayout = new QVBoxLayout();
    MacroListLayout->setSizeConstraint(QLayout::SetFixedSize);
    MacroListBox = new QWidget();
    MacroListBox->setFixedSize(205, 220);
    MacroListBox->setStyleSheet(QStringLiteral("background-color:transparent;"));
    MacroListBox->setLayout(MacroListLayout);
    ui->scrollArea_7->setWidget(MacroListBox);

    const QString sheet = "QToolButton{color: rgb(" + ButtonColorText + ";);border-image: url(" +
                          PictureFolder + "CMenuTitle.png);}QToolButton:checked{color: rgb(" +
                          ButtonColorText + ";);border-image: url(" + PictureFolder +
                          "CMenuTitleChecked.png); }";
    QStringList files = QDir(MacroFolderPath()).entryList(QDir::Files, QDir::Name);
    for (int i = 0; i < files.size(); ++i) {
        if (files.at(i).contains(QLatin1String("xml"))) {
            files.removeAt(i);
            break;
        }
    }
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(9);
    for (const QString &file : files) {
        auto *button = new QToolButton(MacroListBox);
        QString name = file;
        if (name.endsWith(QLatin1String(".ini")))
            name.chop(4);
        button->setText(name);
        button->setCheckable(true);
        button->setFont(font);
        button->setMinimumSize(174, 22);
        button->setStyleSheet(sheet);
        MacroListLayout->addWidget(button);
        SubMenuGroup->addButton(button);
        MacroButtons.append(button);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    // A short list is padded with blank, hidden buttons to seven so that the
    // list keeps its look.
    if (!files.isEmpty() && files.size() < 7) {
        for (int i = files.size(); i < 7; ++i) {
            auto *blank = new QToolButton(MacroListBox);
            blank->setMinimumSize(174, 23);
            blank->setEnabled(false);
            blank->hide();
            MacroListLayout->addWidget(blank);
            MacroButtons.append(blank);
        }
    }
    ui->scrollArea_7->setWidget(MacroListBox);
}

void Buttoninterface::SlotAddMacroButton()
{
    for (QToolButton *b : MacroButtons)
        SubMenuGroup->removeButton(b);
    MacroButtons.clear();
    // The old list may be the sender of the signal that led here: it goes
    // once control is back in the event loop.
    if (QWidget *old = ui->scrollArea_7->takeWidget())
        old->deleteLater();
    BuildMacroList();
}

// Binding, renaming, deleting and re-sending macros belong to the function
// menu, which comes with the assignment encoders; the page keeps the slots so
// the hub's connections are in place.
void Buttoninterface::slotButtonClicked(bool) {}
void Buttoninterface::SlotDeleteMacroButton(QString) {}
void Buttoninterface::SlotUpDataMacro(QString, int) {}
void Buttoninterface::SlotMacroRename(QString, QString) {}
