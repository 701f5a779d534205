// The one main window: menu bar from the core's table, the client area, the status line, the
// grid tick, and the dispatch of every event to the core.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>

#include "grid_ticker.h"
#include "qt_platform.h"
#include "screen_widget.h"
#include "status_line.h"
#include "shell/app.h"
#include "shell/tick_driver.h"

class QMenu;

namespace tavori::qt {

// How the window draws and ticks. The defaults are the program's; benchmarks set the earlier
// design (every glyph rendered afresh, the whole window presented at every step, a tick that
// sleeps less or never) to compare with it.
struct WindowOptions {
    GlyphLimits glyphLimits;
    bool presentsWholeWindow = false;
    TickSleep tickSleep = TickSleep::WhileStepsOnlyRepeat;
};

// The one place that calls the core: menu commands, keys, ticks, the client area's mouse signals
// and renewals all go through here, and after every call the same step presents what it drew,
// carries out its outcome, shows a changed status line and lets the tick sleep while the core
// waits for input.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppConfig config, WindowOptions options = {});
    ~MainWindow() override;

    // Places and shows the window, runs the core's start-up and starts the tick.
    void startUp();

    App& app() { return *app_; }
    ScreenWidget& screen() { return *screen_; }
    QtPlatform& platform() { return *platform_; }
    // A menu command by id, as the menu bar runs it.
    void runCommand(int id);
    // Closes the window as its close box does, once no command is under way: one waiting in the
    // open-file dialog has that dialog closed first. For a close asked from outside the window
    // (a termination signal).
    void closeWhenIdle();

    // Steps run by the tick so far.
    std::int64_t ticksRun() const { return ticker_->ticksRun(); }
    GridTicker& ticker() { return *ticker_; }
    // The status line as shown.
    const QString& statusLine() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The exercises' keys, while no menu is open or highlighted.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenuBar();
    void buildStatusBar();
    // The core's check marks and available items, on a pop-up about to open.
    void showCommandStates(QMenu& menu);
    void connectScreen();
    // Before every call into the core but a step, and after every call.
    void beforeCoreCall();
    void afterCoreCall(Outcome outcome = Outcome::None);

    ScreenWidget* screen_;  // owned by the window as its central widget
    StatusLine* statusText_;  // owned by the status bar
    std::string statusShown_;
    std::unique_ptr<QtPlatform> platform_;
    std::unique_ptr<App> app_;
    std::unique_ptr<TickDriver> tickDriver_;
    std::unique_ptr<GridTicker> ticker_;
    bool started_ = false;
    int commandsUnderWay_ = 0;  // more than one only inside the open-file dialog
    bool closeWhenIdle_ = false;
};

// Runs the event loop until the window has closed; the program's exit code, which is 1
// whatever ended the loop.
int runEventLoop();

}  // namespace tavori::qt
