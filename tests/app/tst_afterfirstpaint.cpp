#include "app/afterfirstpaint.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QtTest>

// What the start defers until the window's first image: it runs once, only
// after the first paint has returned, never for a widget that goes unpainted.

namespace {

class PaintCounter : public QWidget
{
public:
    int paints = 0;
    int paintsWhenWorkRan = -1;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        ++paints;
    }
};

} // namespace

class TestAfterFirstPaint : public QObject
{
    Q_OBJECT
private slots:
    void runsOnceAfterTheFirstPaint();
    void runsNotForAWidgetThatGoesUnpainted();
};

void TestAfterFirstPaint::runsOnceAfterTheFirstPaint()
{
    PaintCounter widget;
    widget.resize(200, 100);
    int runs = 0;
    afterFirstPaint(&widget, [&] {
        ++runs;
        widget.paintsWhenWorkRan = widget.paints;
    });
    QCoreApplication::processEvents();
    QCOMPARE(runs, 0); // not shown, not painted
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTRY_COMPARE(runs, 1);
    QVERIFY2(widget.paintsWhenWorkRan >= 1, "the work ran before the first paint");
    widget.repaint();
    widget.update();
    QTest::qWait(50);
    QVERIFY(widget.paints >= 2);
    QCOMPARE(runs, 1);
}

void TestAfterFirstPaint::runsNotForAWidgetThatGoesUnpainted()
{
    int runs = 0;
    QPointer<QObject> watcher;
    {
        QWidget widget;
        afterFirstPaint(&widget, [&] { ++runs; });
        QCOMPARE(widget.children().size(), 1);
        watcher = widget.children().first();
    }
    QVERIFY(watcher.isNull()); // went with the widget
    QTest::qWait(20);
    QCOMPARE(runs, 0);
}

QTEST_MAIN(TestAfterFirstPaint)
#include "tst_afterfirstpaint.moc"
