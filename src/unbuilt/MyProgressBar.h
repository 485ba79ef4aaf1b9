#pragma once

#include <QList>
#include <QProgressBar>

class QTimer;

// A progress bar that advances in stages. Within a stage it creeps forward
// on its own (one step per crawl interval) and stops one short of the next
// boundary; each mUpdate() closes the current stage and runs the bar quickly
// (one step per 5 ms) up to that boundary. The text is the percentage with
// one decimal.
class MyProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit MyProgressBar(QWidget *parent = nullptr);
    ~MyProgressBar() override;

    // Starts over from 0 with `count` stages, creeping every intervalMs.
    void StartStages(int count, int intervalMs);
    void SetProgressValue(int value);

    QList<int> Stages;
    int StageIndex = 0;
    QTimer *CrawlTimer = nullptr;
    QTimer *CatchUpTimer = nullptr;

public slots:
    // The owner reports that the current stage has finished.
    void mUpdate();

private:
    void BuildStages(int count);
    void OnCrawlTick();
    void OnCatchUpTick();
};
