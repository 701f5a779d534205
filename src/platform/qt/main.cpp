// The Linux program's entry: one window over the core, exit code 1 when it closes, whether by
// its close box, 終了 or a termination signal.
#include <QApplication>

#include <cstdlib>
#include <ctime>

#include "common/seed.h"
#include "main_window.h"
#include "qt_translations.h"
#include "termination_signals.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavori"));
    // Desktops that look the window up by its desktop entry find the icon and name there.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavori"));
    // The file dialog speaks the user's language; its title and filters stay the program's own.
    const auto qtTranslations = tavori::qt::installQtTranslations(QLocale());

    tavori::AppConfig config;
    config.seed = tavori::chooseSeed(std::getenv("TAVORI_SEED"), static_cast<std::int64_t>(std::time(nullptr)));
    config.homePage = TAVORI_HOME_PAGE;
    tavori::qt::MainWindow window(std::move(config));
    const tavori::qt::TerminationSignals termination([&window] { window.closeWhenIdle(); });
    window.startUp();
    return tavori::qt::runEventLoop();
}
