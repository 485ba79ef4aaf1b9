// Style sheets of the page: pictures from PictureFolder, colours from the
// theme of Config.ini.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "common/ConfigIniStore.h"
#include "common/LazyPictures.h"
#include "common/ThemeStyles.h"

#include <QListView>

namespace {

// Items 0 to 2 of a theme colour list joined with ","; an empty text when the
// list is shorter (the style then falls back to its default colour).
QString ColourText(const QString &key)
{
    const QStringList parts = ConfigIniStore::GetInstance()->GetValueList("Option", key);
    return parts.size() >= 3 ? QStringList(parts.mid(0, 3)).join(",") : QString();
}

} // namespace

void Buttoninterface::ApplyStyleSheets()
{
    const QString &p = PictureFolder;
    const QString &b = ButtonColorText;

    const QString subPage = "QToolButton{color: rgb(" + b + ";);border-image: url(" + p +
                            "CMenuTitle.png);}QToolButton:checked{color: rgb(" + b +
                            ";);border-image: url(" + p + "CMenuTitleChecked.png); }";
    for (QWidget *w :
         {ui->page_3, ui->page_9, ui->page_4, ui->page_6, ui->page_7, ui->page_10, ui->page_8})
        w->setStyleSheet(subPage);

    ui->scrollAreaWidgetContents_11->setStyleSheet(
        "#scrollAreaWidgetContents_11{background-color:transparent;border:none;}QToolButton{"
        "border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" +
        b + ";);background-image: url(" + p +
        "AMenuTitle.png);}QToolButton:checked{background-image: url(" + p +
        "AMenuTitleChecked.png); }QToolButton:unchecked{background-image: url(" + p +
        "AMenuTitle.png); }QLabel{color: rgb(0,0, 0);border:0px;background-position:center;"
        "background-repeat:no-repeat;background-image: url(" +
        p + "LabelNumber.png);}");

    const QString t = ColourText("ComboxTextColor");
    const QString s = ColourText("ComboxSelectColor");
    const QString g = ColourText("ComboxBackGroundColor");
    ui->ProjectChoose->setStyleSheet(
        "QComboBox{border: 1px solid gray; color: rgb(" + t + "); border-image: url(" + p +
        "ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; background:rgb(" + g +
        ");} QComboBox::down-arrow{image: url(" + p +
        "Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(" + p +
        "MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox "
        "QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(" +
        t + "); border-image: url(" + p + "ComboboxTextBack.png);selection-background-color: rgb(" +
        s + "); }QComboBox:disabled{color: rgb(0, 0, 0);}");
    QListView *view = ThemeStyles::NewComboView(ui->ProjectChoose);
    view->setStyleSheet(ThemeStyles::ComboList(s));
    ui->ProjectChoose->setView(view);

    ui->scrollArea_11->setFrameShape(QFrame::NoFrame);
}

void Buttoninterface::ApplyLabelStyleSheets()
{
    const QString &p = PictureFolder;
    const QString &b = ButtonColorText;
    const QString l = ColourText("LabelColor");

    ui->label_3->setStyleSheet("QLabel{color: rgb(" + l + ";);}");

    const QString exportImport =
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: "
        "rgb(" +
        b + ";);border-image: url(" + p + "Reset.png);}QToolButton:hover{border-image: url(" + p +
        "ResetHover.png); }QToolButton:pressed{border-image: url(" + p + "ResetClick.png); }";
    ui->ImportData->setStyleSheet(exportImport);
    ui->OutputData->setStyleSheet(exportImport);

    auto numberSheet = [&p](const QString &black) {
        return "QToolButton{color: " + black +
               ";border:0px;background-position:center;background-repeat:no-repeat;background-"
               "image: url(" +
               p + "NumberOrigin.png);}QToolButton:hover{background-image: url(" + p +
               "NumberHover.png);}QToolButton:pressed{padding-left: 0px;background-image: url(" +
               p + "NumberClick.png);}";
    };
    for (QWidget *w :
         {ui->Number1, ui->Number2, ui->Number3, ui->Number4, ui->Number5, ui->Number6})
        w->setStyleSheet(numberSheet("rgb(0,0, 0)"));
    for (QWidget *w :
         {ui->Number7, ui->Number8, ui->Number9, ui->Number10, ui->Number11, ui->Number12})
        w->setStyleSheet(numberSheet("rgb(0, 0, 0)"));

    // The menu entries' sheets must parse, or the entries lose their pictures.
    ui->LeftKey_3->setStyleSheet(
        "QToolButton{border:0px;color: "
        "rgb(255,255,255);background-position:center;background-repeat:no-repeat;background-"
        "image: url(" +
        p + "BMenuTitle.png);}QToolButton:checked{color: rgb(255,255,255);background-image: url(" +
        p + "BMenuTitleChecked.png);}");

    auto entrySheet = [&p](const QString &picture, const QString &checked) {
        return "QToolButton{border:0px;color: "
               "rgb(255,255,255);background-position:center;background-repeat:no-repeat;"
               "background-image: url(" +
               p + picture +
               ");}QToolButton:checked{color: rgb(255,255,255);background-image: url(" + p +
               checked + ");}";
    };
    for (QWidget *w : {static_cast<QWidget *>(ui->RightKey_3), static_cast<QWidget *>(ui->MidKey),
                       static_cast<QWidget *>(ui->BackKey_2),
                       static_cast<QWidget *>(ui->ForWardKey), static_cast<QWidget *>(ui->DPI_2),
                       static_cast<QWidget *>(ui->DPI_3), static_cast<QWidget *>(ui->DPI_6),
                       static_cast<QWidget *>(ui->DPI_8), static_cast<QWidget *>(ui->DPI_5)})
        w->setStyleSheet(entrySheet("BMenuTitle.png", "BMenuTitleChecked.png"));
    for (QWidget *w :
         {ui->DPI_13, ui->DPI_11, ui->DPI_10, ui->DPI_9, ui->DPI_7, ui->DPI_12, ui->DPI_4})
        w->setStyleSheet(entrySheet("BMenuTitleB.png", "BMenuTitleCheckedB.png"));
    ui->label->setStyleSheet("#label{border:0px;color: rgb(255, 255, "
                             "255);background-position:center;background-repeat:no-repeat;"
                             "background-image: url(" +
                             p + "Config.png);}");
}

void Buttoninterface::ApplyFrameStyleSheets()
{
    LazyPictures::SetStyleSheet(ui->groupBox, "#groupBox {border: 0;background-image: url(" +
                                                  PictureFolder + "TiltleBack.png);}");
    ui->groupBox_4->setStyleSheet("#groupBox_4 {border: 0;}");
    ui->groupBox_2->setStyleSheet("#groupBox_2 {border: 0;}");
}
