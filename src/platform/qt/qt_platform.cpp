// Regular files read with POSIX calls, the dialog and the desktop's opener through Qt, the
// local time, the stored files (stored_files.h), and the work bitmap kept at the window's
// resolution.
#include "qt_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "common/program_window.h"
#include "cp932_iconv.h"
#include "font_choice.h"
#include "grid_ticker.h"
#include "screen_widget.h"
#include "stored_files.h"

namespace tavori::qt {

namespace {

// A read-only file descriptor that closes itself.
class PosixInputFile : public InputFile {
public:
    PosixInputFile(int descriptor, std::int64_t size) : descriptor_(descriptor), size_(size) {}
    ~PosixInputFile() override { ::close(descriptor_); }
    PosixInputFile(const PosixInputFile&) = delete;
    PosixInputFile& operator=(const PosixInputFile&) = delete;

    std::int64_t size() override { return size_; }

    std::int64_t read(char* destination, std::int64_t count) override {
        std::int64_t total = 0;
        while (total < count) {
            const ssize_t got = ::read(descriptor_, destination + total, static_cast<std::size_t>(count - total));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            total += got;
        }
        return total;
    }

private:
    int descriptor_;
    std::int64_t size_;
};

}  // namespace

QtPlatform::QtPlatform(QWidget& window, ScreenWidget& screen)
    : window_(window), screen_(screen), workBitmap_(QSize(kWorkBitmapWidth, kWorkBitmapHeight), chooseTextFont()) {}

std::string QtPlatform::executablePath() {
    return QCoreApplication::applicationFilePath().toStdString();
}

std::unique_ptr<InputFile> QtPlatform::openFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    // Only regular files: a folder, a pipe or a device has no length to read to.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return std::make_unique<PosixInputFile>(descriptor, static_cast<std::int64_t>(status.st_size));
}

QString dialogFilter(FileFilter filter) {
    const QString description = QString::fromUtf8(filter.description.data(), static_cast<qsizetype>(filter.description.size()));
    const QString pattern = QString::fromUtf8(filter.pattern.data(), static_cast<qsizetype>(filter.pattern.size()));
    if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
        return description;
    }
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::optional<std::string> QtPlatform::chooseOpenFile(FileFilter filter, std::string_view title,
                                                      const std::string& proposedName) {
    const QString chosen = QFileDialog::getOpenFileName(
        &window_, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QString::fromStdString(proposedName), dialogFilter(filter));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

void QtPlatform::openWithShell(const std::string& target, ShellOwner /*owner*/) {
    const QString text = QString::fromStdString(target);
    if (text.contains(QStringLiteral("://"))) {
        QDesktopServices::openUrl(QUrl(text));
        return;
    }
    // A missing document is ignored rather than handed to the desktop to complain about.
    if (QFileInfo::exists(text)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(text));
    }
}

ClientSize QtPlatform::clientSize() {
    return ClientSize{screen_.width(), screen_.height()};
}

Canvas& QtPlatform::windowCanvas() { return screen_.canvas(); }

Canvas& QtPlatform::workBitmap() { return workBitmap_; }

void QtPlatform::matchWorkBitmapToScreen() {
    if (workBitmap_.ratio() != screen_.canvas().ratio()) {
        workBitmap_.rescale(screen_.canvas().ratio());
    }
}

std::int64_t QtPlatform::steadyMilliseconds() { return monotonicMicroseconds() / 1000; }

LocalTime QtPlatform::localTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return LocalTime{date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::optional<std::string> QtPlatform::readStoredFile(std::string_view name, std::int64_t limit) {
    return stored::read(name, limit);
}

bool QtPlatform::writeStoredFile(std::string_view name, std::string_view bytes) { return stored::write(name, bytes); }

bool QtPlatform::appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) {
    return stored::append(name, header, bytes);
}

std::string QtPlatform::storedFilePath(std::string_view name) { return stored::path(name); }

}  // namespace tavori::qt
