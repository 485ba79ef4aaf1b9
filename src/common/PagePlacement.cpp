#include "common/PagePlacement.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QWidget>

namespace {

const char PlacedIn[] = "placedIn";

// The widget a page of `container` has for its parent once added.
QWidget *pageParent(QWidget *container)
{
    if (auto *tabs = qobject_cast<QTabWidget *>(container)) {
        return tabs->findChild<QStackedWidget *>(QStringLiteral("qt_tabwidget_stackedwidget"),
                                                 Qt::FindDirectChildrenOnly);
    }
    if (qobject_cast<QStackedWidget *>(container))
        return container;
    if (auto *area = qobject_cast<QScrollArea *>(container))
        return area->viewport();
    return nullptr;
}

class Placer : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::DynamicPropertyChange || !watched->isWidgetType() ||
            static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName() != PlacedIn)
            return false;
        auto *page = static_cast<QWidget *>(watched);
        if (page->parentWidget() || page->findChild<QWidget *>())
            return false;
        const QString name = page->property(PlacedIn).toString();
        QWidget *container = nullptr;
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->objectName() != name)
                continue;
            if (container)
                return false; // not unique: the form places the page
            container = widget;
        }
        if (QWidget *parent = container ? pageParent(container) : nullptr)
            page->setParent(parent);
        return false;
    }
};

Placer *g_placer = nullptr;

bool styledBySheet(const QWidget *widget)
{
    return widget->style()->inherits("QStyleSheetStyle");
}

// Parent before children, so that a part takes its widget's settled font.
void settle(QWidget *widget)
{
    const bool sheet = styledBySheet(widget);
    const bool combo = qobject_cast<QComboBox *>(widget) != nullptr;
    if (sheet && combo) {
        // Restyled, a combo box sets its popup's frame from the sheet again.
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(widget, &change);
    }
    const QObjectList &children = widget->children();
    for (int i = 0; i < children.size(); ++i) {
        if (!children.at(i)->isWidgetType())
            continue;
        auto *child = static_cast<QWidget *>(children.at(i));
        if (sheet && combo && child->isWindow()) {
            // The popup itself keeps the combo box's font.
            const QObjectList &parts = child->children();
            for (QObject *part : parts) {
                if (!part->isWidgetType())
                    continue;
                auto *partWidget = static_cast<QWidget *>(part);
                QFont font = QApplication::font(partWidget);
                font.resolve(QFont::AllPropertiesResolved);
                partWidget->setFont(font);
            }
        } else if (sheet && !child->isWindow() && !child->testAttribute(Qt::WA_SetFont) &&
                   child->objectName().startsWith(QLatin1String("qt_"))) {
            child->setFont(widget->font());
        }
        settle(child);
    }
}

} // namespace

namespace PagePlacement {

Scope::Scope()
{
    if (g_placer || !qApp)
        return;
    g_placer = new Placer;
    qApp->installEventFilter(g_placer);
    m_owner = true;
}

Scope::~Scope()
{
    if (!m_owner)
        return;
    qApp->removeEventFilter(g_placer);
    delete g_placer;
    g_placer = nullptr;
}

bool active()
{
    return g_placer != nullptr;
}

void settleFonts(QWidget *root)
{
    if (root)
        settle(root);
}

} // namespace PagePlacement
