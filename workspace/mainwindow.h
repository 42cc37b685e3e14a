#pragma once

#include <QMainWindow>

// The program's main window. For now a bare frame with the application's
// title; it asks once per run whether a newer version exists when it is
// first shown.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The one main window, created on the first call.
    static MainWindow* getInstance(QWidget* parent = nullptr);
    ~MainWindow() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    explicit MainWindow(QWidget* parent);
    static MainWindow* s_instance;
};
