// Stored files through Qt: QSaveFile for a replacement, which is synced before its rename, and an
// unbuffered QFile opened for appending, locked while it decides on the header.
#include "stored_files.h"

#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "common/stored_file_name.h"
#include "files/configuration_folder.h"
#include "files/stored_append.h"

namespace tavori::qt::stored {

namespace {

// The full path of a stored file, or nothing for a name that is not a plain file name.
std::optional<QString> pathOf(std::string_view name) {
    if (!isPlainFileName(name)) {
        return std::nullopt;
    }
    return QDir(folder()).filePath(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

qint64 sizeOf(std::string_view bytes) { return static_cast<qint64>(bytes.size()); }

}  // namespace

QString folder() {
    // Not QStandardPaths: it takes a relative XDG_CONFIG_HOME as it is, where the base directory
    // rules say to ignore it.
    const std::optional<ConfigurationFolderChoice> choice = chooseConfigurationFolder(
        qEnvironmentVariable(kConfigurationFolderVariable.data()).toStdString(),
        qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(), PathStyle::Posix,
        [] { return (QDir::homePath() + QStringLiteral("/.config")).toStdString(); });
    // The home folder always answers (the root folder when HOME is not set), so there is a choice.
    const QDir base(QString::fromStdString(choice->base));
    return choice->underBase ? base.filePath(QString::fromUtf8(kConfigurationSubfolder.data(),
                                                               static_cast<qsizetype>(kConfigurationSubfolder.size())))
                             : base.absolutePath();
}

std::optional<std::string> read(std::string_view name, std::int64_t limit) {
    const std::optional<QString> file = pathOf(name);
    // Only a regular file: a folder has no content, and opening a pipe would wait for a writer.
    if (!file || !QFileInfo(*file).isFile()) {
        return std::nullopt;
    }
    QFile input(*file);
    if (!input.open(QIODevice::ReadOnly) || input.size() > limit) {
        return std::nullopt;
    }
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError || bytes.size() > limit) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

bool write(std::string_view name, std::string_view bytes) {
    const std::optional<QString> file = pathOf(name);
    if (!file || !QDir().mkpath(folder())) {
        return false;
    }
    // A temporary file in the same folder, renamed over the old one by commit(). commit() syncs
    // it as well but renames even when that sync fails, so it is synced here first; an
    // uncommitted QSaveFile removes its temporary file.
    QSaveFile output(*file);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes.data(), sizeOf(bytes)) != sizeOf(bytes) ||
        !output.flush() || ::fsync(output.handle()) != 0) {
        return false;
    }
    return output.commit();
}

bool append(std::string_view name, std::string_view header, std::string_view bytes) {
    const std::optional<QString> file = pathOf(name);
    if (!file || !QDir().mkpath(folder())) {
        return false;
    }
    // O_APPEND and no buffer: the whole record goes to the end of the file in one write. The
    // lock (let go when the file closes) keeps two programs starting a new file from both
    // writing the header.
    QFile output(*file);
    if (!output.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered) ||
        ::flock(output.handle(), LOCK_EX) != 0) {
        return false;
    }
    const qint64 size = output.size();
    char last = '\n';
    if (size > 0 && (::pread(output.handle(), &last, 1, size - 1) != 1)) {
        return false;
    }
    const std::string record = storedAppendBytes(size == 0 ? std::nullopt : std::optional(last), header, bytes);
    return output.write(record.data(), sizeOf(record)) == sizeOf(record);
}

std::string path(std::string_view name) {
    const std::optional<QString> file = pathOf(name);
    return file ? file->toStdString() : std::string();
}

}  // namespace tavori::qt::stored
