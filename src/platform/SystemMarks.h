#pragma once
// The marks the program leaves outside its data directory: the registry
// values (an INI file in the user's config directory), desktop and autostart
// entries, the single-instance lock, and the working-set trim.
#include <QString>
#include <memory>

class QLockFile;

namespace moquan {

// ~/.config/墨泉进销存/registry.ini (or $XDG_CONFIG_HOME), group "Software".
QString registryFilePath();
// Writes Name, Install and version; false when it cannot be written.
bool writeRegistryMarks(const QString &installDir);
// A value of the same file ("data" for the help window); empty when missing.
QString readRegistryValue(const QString &name);

// The user's desktop directory (xdg-user-dir DESKTOP, else ~/Desktop).
QString desktopDirectory();
// The autostart directory (~/.config/autostart).
QString autostartDirectory();
// Writes (or overwrites) "墨泉进销存.desktop" in a folder, starting the
// program at `executable` in `workingDir`.  False on failure.
bool writeShortcut(const QString &folder, const QString &executable, const QString &workingDir);
QString shortcutFileName();

// Held for the life of the first instance; a second one cannot take it.  A
// crashed run leaves a stale lock that the next start takes over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &dataDir);
    ~SingleInstance();
    bool isFirst() const { return first_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

// Gives freed heap memory back to the system; cheap.
void trimWorkingSet();

} // namespace moquan
