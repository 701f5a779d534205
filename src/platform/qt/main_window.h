// The one main window: menu bar from the core's table, the client area, and the grid tick.
#pragma once

#include <QMainWindow>

#include <memory>

#include "grid_ticker.h"
#include "qt_platform.h"
#include "screen_widget.h"
#include "shell/app.h"

namespace tavori::qt {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The tick reads `clock` (CLOCK_MONOTONIC by default; tests pass their own).
    explicit MainWindow(AppConfig config, GridTicker::Clock clock = monotonicMicroseconds);
    ~MainWindow() override;

    // Places and shows the window, runs the core's start-up and starts the tick.
    void startUp();

    App& app() { return *app_; }
    ScreenWidget& screen() { return *screen_; }
    QtPlatform& platform() { return *platform_; }
    // A menu command by id, as the menu bar runs it.
    void runCommand(int id);
    // Whether the tick may sleep while the core waits for input (it may unless told not to,
    // which only comparisons of the earlier design do).
    void setTickMaySleep(bool maySleep);

    // Steps run by the tick so far.
    std::int64_t ticksRun() const { return ticker_.ticksRun(); }
    GridTicker& ticker() { return ticker_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenuBar();
    // After every call into the core: what it drew is presented, and the tick sleeps while
    // the core waits for input.
    void afterCoreCall();
    void followCore();

    ScreenWidget* screen_;  // owned by the window as its central widget
    std::unique_ptr<QtPlatform> platform_;
    std::unique_ptr<App> app_;
    GridTicker ticker_;
    bool tickMaySleep_ = true;
};

// Runs the event loop until the window has closed; the program's exit code, which is 1
// whatever ended the loop.
int runEventLoop();

}  // namespace tavori::qt
