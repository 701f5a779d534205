// The choice of the configuration folder from the environment's values.
#include "files/configuration_folder.h"

namespace tavori {

std::optional<ConfigurationFolderChoice> chooseConfigurationFolder(
    std::string_view chosen, std::string_view systemBase, PathStyle style,
    const std::function<std::optional<std::string>()>& fallbackBase) {
    if (!chosen.empty()) {
        return ConfigurationFolderChoice{std::string(chosen), false};
    }
    if (!systemBase.empty() && (style == PathStyle::Windows || systemBase.front() == '/')) {
        return ConfigurationFolderChoice{std::string(systemBase), true};
    }
    std::optional<std::string> fallback = fallbackBase();
    if (!fallback) {
        return std::nullopt;
    }
    return ConfigurationFolderChoice{std::move(*fallback), true};
}

}  // namespace tavori
