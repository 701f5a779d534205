// Which folder the stored files live in, chosen from the environment values a front end passes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavori {

// The environment variable that names the configuration folder itself, for tests and for a
// reader who keeps the files elsewhere (on a stick, beside the program).
inline constexpr std::string_view kConfigurationFolderVariable = "TAVORI_CONFIG_DIR";
// The program's own folder under the system's folder for users' configuration.
inline constexpr std::string_view kConfigurationSubfolder = "tavori";

// How the system's folder for users' configuration is named: on POSIX systems XDG_CONFIG_HOME,
// which the XDG base directory rules say to ignore unless it is a full path; on Windows APPDATA,
// which is taken as it is, a relative one from the current folder as Windows itself does.
enum class PathStyle { Posix, Windows };

struct ConfigurationFolderChoice {
    std::string base;  // a folder as the environment names it; the front end makes it a full path
    bool underBase;    // true: the folder is kConfigurationSubfolder in `base`; false: `base` itself
    bool operator==(const ConfigurationFolderChoice&) const = default;
};

// `chosen` (kConfigurationFolderVariable's value) when not empty; otherwise the program's
// subfolder in `systemBase` (XDG_CONFIG_HOME, APPDATA) when that is not empty and, on POSIX, a
// full path; otherwise in `fallbackBase`'s answer (~/.config, the shell's Application Data
// folder), asked only then. Nothing when that cannot tell either.
std::optional<ConfigurationFolderChoice> chooseConfigurationFolder(
    std::string_view chosen, std::string_view systemBase, PathStyle style,
    const std::function<std::optional<std::string>()>& fallbackBase);

}  // namespace tavori
