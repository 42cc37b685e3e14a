#include "app/afterfirstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> work) : QObject(widget), m_work(std::move(work))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_work) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                const std::function<void()> work = std::move(m_work);
                m_work = nullptr;
                deleteLater();
                work();
            });
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget* widget, std::function<void()> work)
{
    if (widget && work)
        new AfterFirstPaint(widget, std::move(work));
}
