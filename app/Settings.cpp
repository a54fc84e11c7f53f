#include "app/Settings.h"

#include <QAction>
#include <QSettings>
#include <QStringList>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SettingsValues.h"
#include "app/WindowProcedures.h"
#include "browser/Form2.h"
#include "platform/Windows.h"

namespace pixmill {
namespace {

const QString kScale = QStringLiteral("view/scale");
const QString kCrosshair = QStringLiteral("view/crosshair");
const QString kRecent = QStringLiteral("files/recent");
const QString kPalette = QStringLiteral("files/palette");
const QString kFolders = QStringLiteral("folders");
const QString kLastFolder = QStringLiteral("last");

// The largest window side and the farthest place taken from the file; a
// window is kept on the screens after that.
constexpr long long kFarthest = 1'000'000;

std::optional<long long> Number(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    bool ok = false;
    const long long number = value.toLongLong(&ok);
    if (!value.isValid() || !ok) {
        return std::nullopt;
    }
    return number;
}

std::string Text(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    // A list or a picture where a text belongs is not one.
    if (value.typeId() != QMetaType::QString) {
        return {};
    }
    return value.toString().toStdString();
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

struct WindowPlace {
    int x, y, width, height;
};

std::optional<WindowPlace> ReadPlace(const QSettings& settings, const QString& window) {
    const auto x = Number(settings, window + "/x");
    const auto y = Number(settings, window + "/y");
    const auto width = Number(settings, window + "/width");
    const auto height = Number(settings, window + "/height");
    if (!x || !y || !width || !height) {
        return std::nullopt;
    }
    const auto near = [](long long v) { return v >= -kFarthest && v <= kFarthest; };
    if (!near(*x) || !near(*y) || *width < 1 || *height < 1 || *width > kFarthest ||
        *height > kFarthest) {
        return std::nullopt;
    }
    return WindowPlace{static_cast<int>(*x), static_cast<int>(*y), static_cast<int>(*width),
                       static_cast<int>(*height)};
}

void WritePlace(QSettings& settings, const QString& window, const QWidget& widget) {
    // The frame's corner and the client area's size, as PlaceWindow takes them.
    settings.setValue(window + "/x", widget.x());
    settings.setValue(window + "/y", widget.y());
    settings.setValue(window + "/width", widget.width());
    settings.setValue(window + "/height", widget.height());
}

void RestorePlaces(Editor& editor, QSettings& settings) {
    if (const auto place = ReadPlace(settings, QStringLiteral("windows/main"))) {
        PlaceWindow(*editor.form1, place->x, place->y, place->width, place->height);
    }
    if (StoredSwitch(Text(settings, QStringLiteral("windows/main/maximized"))).value_or(false)) {
        editor.form1->setWindowState(editor.form1->windowState() | Qt::WindowMaximized);
    }
    if (const auto place = ReadPlace(settings, QStringLiteral("windows/browser"))) {
        PlaceWindow(*editor.form2, place->x, place->y, place->width, place->height);
    }
}

void RestoreFolders(Editor& editor, QSettings& settings) {
    std::map<std::string, std::string> byKind;
    settings.beginGroup(kFolders);
    const QStringList keys = settings.childKeys();
    for (const QString& key : keys) {
        const std::string kind = key.toStdString();
        const std::string folder = Text(settings, key);
        // Kinds are what DialogFolders names them: upper-case letters and digits.
        if (key != kLastFolder && DialogFolders::KindOf("*." + kind) == kind &&
            UsablePath(folder)) {
            byKind[kind] = folder;
        }
    }
    std::string last = Text(settings, kLastFolder);
    settings.endGroup();
    editor.dialogFolders.Set(std::move(byKind), UsablePath(last) ? last : std::string());
}

}  // namespace

SettingsStore::SettingsStore() = default;
SettingsStore::~SettingsStore() = default;

void SettingsStore::OpenDefault() {
    settings_ = std::make_unique<QSettings>(QStringLiteral("pixmill"), QStringLiteral("pixmill"));
}

void SettingsStore::OpenFile(const std::string& path) {
    settings_ = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
}

void SettingsStore::Clear() {
    if (settings_) {
        settings_->clear();
    }
}

void SettingsStore::Sync() {
    if (settings_) {
        settings_->sync();
    }
}

void RestoreSettings(Editor& editor) {
    QSettings* settings = editor.settings.get();
    if (settings == nullptr) {
        return;
    }
    Form1& form = *editor.form1;
    if (const auto stored = Number(*settings, kScale)) {
        if (const auto scale = StoredScale(*stored)) {
            form.SetScale(*scale);
        }
    }
    if (const auto on = StoredSwitch(Text(*settings, kCrosshair))) {
        editor.state.crosshairOn = *on;
        form.mnuCross->setChecked(*on);
    }
    RestorePlaces(editor, *settings);
    RestoreFolders(editor, *settings);

    std::vector<std::string> stored;
    const QVariant recent = settings->value(kRecent);
    if (recent.typeId() == QMetaType::QStringList || recent.typeId() == QMetaType::QString) {
        for (const QString& path : recent.toStringList()) {
            stored.push_back(path.toStdString());
        }
    }
    editor.recentFiles = UsableRecentFiles(stored);
    form.ShowRecentFiles();
}

void SaveSettings(Editor& editor) {
    QSettings* settings = editor.settings.get();
    if (settings == nullptr) {
        return;
    }
    settings->setValue(kScale, int{editor.state.zoomFactor});
    settings->setValue(kCrosshair, editor.state.crosshairOn ? "true" : "false");
    const Form1& form = *editor.form1;
    const bool maximized = form.isMaximized() || form.isFullScreen();
    // A maximized window keeps the place it had before.
    if (!maximized) {
        WritePlace(*settings, QStringLiteral("windows/main"), form);
    }
    settings->setValue(QStringLiteral("windows/main/maximized"), maximized ? "true" : "false");
    if (editor.form2->shownOnce()) {
        WritePlace(*settings, QStringLiteral("windows/browser"), *editor.form2);
    }
    settings->remove(kFolders);
    settings->beginGroup(kFolders);
    for (const auto& [kind, folder] : editor.dialogFolders.byKind()) {
        settings->setValue(QString::fromStdString(kind), QString::fromStdString(folder));
    }
    if (!editor.dialogFolders.last().empty()) {
        settings->setValue(kLastFolder, QString::fromStdString(editor.dialogFolders.last()));
    }
    settings->endGroup();
    settings->sync();
}

std::string RememberedPalette(const Editor& editor) {
    const QSettings* settings = editor.settings.get();
    if (settings == nullptr) {
        return {};
    }
    const std::string path = Text(*settings, kPalette);
    std::error_code error;
    if (!UsablePath(path) || !std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    return path;
}

void RememberPalette(Editor& editor, const std::string& path) {
    if (QSettings* settings = editor.settings.get()) {
        settings->setValue(kPalette, QString::fromStdString(Absolute(path)));
        settings->sync();
    }
}

void RememberRecentFile(Editor& editor, const std::string& path) {
    editor.recentFiles = WithRecentFile(editor.recentFiles, Absolute(path));
    editor.form1->ShowRecentFiles();
    if (QSettings* settings = editor.settings.get()) {
        QStringList files;
        for (const std::string& file : editor.recentFiles) {
            files << QString::fromStdString(file);
        }
        settings->setValue(kRecent, files);
        settings->sync();
    }
}

}  // namespace pixmill
