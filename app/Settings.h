#pragma once
// The settings kept between runs, through QSettings in the desktop's usual
// place (~/.config/pixmill/pixmill.conf): the windows' places and sizes, the
// scale and the crosshair, the file dialogs' folders, the last palette loaded
// and the recent ART files. Every value is checked as it is read; one of the
// wrong kind, out of its range or unreadable is ignored and its default kept,
// so a damaged file, or one written by someone else, never stops the editor.

#include <memory>
#include <string>

class QSettings;

namespace pixmill {

class Editor;

class SettingsStore {
  public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Until one of the two is called nothing is read or kept, so that an
    // editor made by a test never touches the user's settings.
    void OpenDefault();
    // An ini file at path, for tests and for other places.
    void OpenFile(const std::string& path);
    // Forgets every setting kept (--reset-settings).
    void Clear();
    // Writes what is pending to the file.
    void Sync();

    // Null while nothing is opened.
    QSettings* get() const { return settings_.get(); }

  private:
    std::unique_ptr<QSettings> settings_;
};

// Takes back what was kept: the scale and the crosshair, the windows' places
// (kept on the screens there are now), the dialogs' folders and the recent
// files. Run after start-up, before the windows are shown.
void RestoreSettings(Editor& editor);

// Keeps the scale, the crosshair, the windows' places and the dialogs'
// folders, as the editor ends.
void SaveSettings(Editor& editor);

// The palette loaded last, when it is still a file; empty otherwise.
std::string RememberedPalette(const Editor& editor);
void RememberPalette(Editor& editor, const std::string& path);

}  // namespace pixmill
