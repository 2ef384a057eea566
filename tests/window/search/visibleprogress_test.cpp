#include "window/search/visibleprogress.h"

#include <QProgressBar>
#include <gtest/gtest.h>

// The bar may lag behind the count only where no pixel and no percent of its picture differs,
// and it takes far fewer values than it is offered.
TEST(VisibleProgressTest, TheBarShowsEveryVisibleStepWithFewValues)
{
    QProgressBar bar;
    bar.setTextVisible(false);
    bar.resize(100, 10);
    const int texts = 10000;
    bar.setRange(0, texts);
    bar.setValue(0);
    VisibleProgress progress(&bar);
    int valuesTaken = 0;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&valuesTaken] { ++valuesTaken; });
    const qint64 pixels = qint64(bar.width() * bar.devicePixelRatio());
    for (int done = 1; done < texts; ++done) {
        progress.set(done);
        ASSERT_EQ(bar.value() * pixels / texts, done * pixels / texts) << done;
        ASSERT_EQ(bar.value() * 100 / texts, done * 100 / texts) << done;
        ASSERT_LE(bar.value(), done);
    }
    EXPECT_LE(valuesTaken, 2 * pixels);
    progress.set(texts);
    EXPECT_EQ(bar.value(), texts);
}
