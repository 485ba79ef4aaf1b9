#include "unbuilt/MyProgressBar.h"

#include <QTimer>

namespace {

const int CatchUpIntervalMs = 5;

} // namespace

MyProgressBar::MyProgressBar(QWidget *parent) : QProgressBar(parent)
{
    CrawlTimer = new QTimer(this);
    CatchUpTimer = new QTimer(this);
    connect(CrawlTimer, &QTimer::timeout, this, &MyProgressBar::OnCrawlTick);
    connect(CatchUpTimer, &QTimer::timeout, this, &MyProgressBar::OnCatchUpTick);
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetProgressValue(0);
}

MyProgressBar::~MyProgressBar() = default;

void MyProgressBar::SetProgressValue(int value)
{
    setValue(value);
    // A host may narrow the range to a single value; that reads as 0 %.
    const int span = maximum() - minimum();
    const double percent = span == 0 ? 0.0 : (this->value() - minimum()) * 100.0 / span;
    setFormat(QStringLiteral("%1%").arg(percent, 0, 'f', 1));
}

void MyProgressBar::BuildStages(int count)
{
    Stages.append(0);
    for (int i = 0; i <= count - 2; ++i)
        Stages.append(Stages.at(i) + 100 / count);
    Stages.append(100);
}

void MyProgressBar::StartStages(int count, int intervalMs)
{
    CatchUpTimer->stop();
    Stages.clear();
    StageIndex = 0;
    SetProgressValue(0);
    BuildStages(count);
    CrawlTimer->start(qMax(0, intervalMs));
}

void MyProgressBar::mUpdate()
{
    if (Stages.isEmpty() || StageIndex >= Stages.size() - 1)
        return;
    ++StageIndex;
    CatchUpTimer->start(CatchUpIntervalMs);
    if (Stages.at(StageIndex) == Stages.last())
        CrawlTimer->stop();
}

void MyProgressBar::OnCrawlTick()
{
    // There is no boundary after the last one to creep towards.
    if (StageIndex + 1 >= Stages.size())
        return;
    const int v = value();
    if (Stages.at(StageIndex + 1) - 2 >= v)
        SetProgressValue(v + 1);
}

void MyProgressBar::OnCatchUpTick()
{
    if (StageIndex >= Stages.size()) {
        CatchUpTimer->stop();
        return;
    }
    const int v = value();
    if (v < Stages.at(StageIndex))
        SetProgressValue(v + 1);
    else
        CatchUpTimer->stop();
}
