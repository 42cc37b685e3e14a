// The floor of a start: a bare QWidget window of the main window's size,
// started as the program is, saying "shown" when it is shown and "painted"
// once its first image has gone to the screen, then ending. bench_start runs
// it beside the program in the same run.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class BareWindow : public QWidget
{
protected:
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (m_painted)
            return;
        m_painted = true;
        // The image goes to the screen when this paint returns: the next
        // turn of the event loop comes after it.
        QTimer::singleShot(0, this, [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
