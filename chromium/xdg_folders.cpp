#include "chromium/xdg_folders.h"

namespace corvane {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// HOME when it is an absolute path; relative text could name any folder.
std::string Home(const std::function<std::string(const char*)>& getEnv) {
  std::string home = getEnv("HOME");
  if (!home.empty() && home.front() != '/') home.clear();
  return home;
}

// A base directory: the variable when it holds an absolute path, otherwise `fallback` in HOME.
std::string BaseDirectory(const std::function<std::string(const char*)>& getEnv,
                          const char* variable, const char* fallback) {
  const std::string value = getEnv(variable);
  if (!value.empty() && value.front() == '/') return value;
  const std::string home = Home(getEnv);
  return home.empty() ? std::string() : home + "/" + fallback;
}

}  // namespace

std::string UserDirsPath(const std::function<std::string(const char*)>& getEnv) {
  const std::string configHome = BaseDirectory(getEnv, "XDG_CONFIG_HOME", ".config");
  return configHome.empty() ? configHome : configHome + "/user-dirs.dirs";
}

std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home) {
  std::map<std::string, std::string> dirs;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key(Trim(line.substr(0, equals)));
    const std::string_view quoted = Trim(line.substr(equals + 1));
    if (quoted.empty() || quoted.front() != '"') continue;
    // The file is shell text: a backslash escapes the next character ("\$" for "$"), and a
    // comment may follow the closing quote. Only a leading "$HOME" itself is expanded.
    const bool fromHome = quoted.substr(1, 5) == "$HOME" &&
                          (quoted.size() > 6 && (quoted[6] == '/' || quoted[6] == '"'));
    std::string value;
    std::size_t i = fromHome ? 6 : 1;
    bool closed = false;
    for (; i < quoted.size() && !closed; ++i) {
      if (quoted[i] == '"') {
        closed = true;
      } else {
        if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
        value += quoted[i];
      }
    }
    const std::string_view after = Trim(quoted.substr(i));
    if (!closed || (!after.empty() && after.front() != '#')) continue;
    if (fromHome && home.empty()) continue;
    const std::string path = fromHome ? home + value : value;
    if (path.empty() || path.front() != '/') continue;
    dirs[key] = path;
  }
  return dirs;
}

std::string ResolveXdgFolder(KnownFolder folder,
                             const std::function<std::string(const char*)>& getEnv,
                             const std::map<std::string, std::string>& userDirs) {
  const std::string home = Home(getEnv);
  const auto userDir = [&](const char* key, const char* fallback) -> std::string {
    const auto found = userDirs.find(key);
    if (found != userDirs.end()) return found->second;
    return home.empty() ? std::string() : home + "/" + fallback;
  };
  switch (folder) {
    case KnownFolder::LocalAppData:
      return BaseDirectory(getEnv, "XDG_DATA_HOME", ".local/share");
    case KnownFolder::RoamingAppData:
      return BaseDirectory(getEnv, "XDG_CONFIG_HOME", ".config");
    case KnownFolder::Desktop:
      return userDir("XDG_DESKTOP_DIR", "Desktop");
    case KnownFolder::Documents:
      return userDir("XDG_DOCUMENTS_DIR", "Documents");
    case KnownFolder::Downloads:
      return userDir("XDG_DOWNLOAD_DIR", "Downloads");
    case KnownFolder::Pictures:
      return userDir("XDG_PICTURES_DIR", "Pictures");
    case KnownFolder::Profile:
      return home;
    case KnownFolder::SavedGames:
      return {};
    case KnownFolder::Screenshots: {
      const std::string pictures = userDir("XDG_PICTURES_DIR", "Pictures");
      return pictures.empty() ? pictures : pictures + "/Screenshots";
    }
    case KnownFolder::Videos:
      return userDir("XDG_VIDEOS_DIR", "Videos");
  }
  return {};
}

}  // namespace corvane
