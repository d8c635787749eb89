#include "platform/FileDialogState.h"

#include "shell/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QSaveFile>

#include <optional>

namespace {

// A state file is a few hundred bytes; anything far larger is not ours.
constexpr qint64 STATE_FILE_MAX = 256 * 1024;

const std::array<const char*, FILE_DIALOG_COUNT> DIALOG_KEYS = {
    "LogoPicture",     "HorizNeonFile",   "VertNeonFile",    "CharsBinaryLoad",
    "CharsBinarySave", "CharsBitmapLoad", "CharsBitmapSave",
};
const std::array<const char*, 2> RECENT_KEYS = {"RecentPictures", "RecentGlyphSets"};

std::optional<TRecentList> RecentListOf(TFileDialog dialog) {
    switch (dialog) {
    case TFileDialog::LogoPicture:
        return TRecentList::Pictures;
    case TFileDialog::CharsBinaryLoad:
    case TFileDialog::CharsBitmapLoad:
        return TRecentList::GlyphSets;
    default:
        return std::nullopt;
    }
}

QStringList ReadList(const QJsonValue& value) {
    QStringList out;
    for (const QJsonValue& item : value.toArray())
        if (item.isString() && !item.toString().isEmpty() && out.size() < RECENT_MAX)
            out << item.toString();
    return out;
}

} // namespace

TFileDialogState::TFileDialogState(QString path) : path_(std::move(path)) {
    Load();
}

QString TFileDialogState::DefaultPath() {
    return StateHome(QProcessEnvironment::systemEnvironment()) + QStringLiteral("/KR7Controller/FileDialogs.json");
}

QString TFileDialogState::Folder(TFileDialog dialog) const {
    const QString& folder = folders_.at(static_cast<std::size_t>(dialog));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    return folder;
}

QStringList TFileDialogState::Recent(TRecentList list) const {
    return recent_.at(static_cast<std::size_t>(list));
}

QStringList TFileDialogState::Recent(TFileDialog dialog) const {
    const std::optional<TRecentList> list = RecentListOf(dialog);
    if (!list)
        return {};
    QStringList offered;
    for (const QString& file : Recent(*list)) {
        const QFileInfo info(file);
        const bool bitmap = info.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
        if (dialog == TFileDialog::CharsBitmapLoad && !bitmap)
            continue;
        if (dialog == TFileDialog::CharsBinaryLoad && bitmap)
            continue;
        if (info.isFile())
            offered << file;
    }
    return offered;
}

bool TFileDialogState::Chosen(TFileDialog dialog, const QString& file) {
    if (file.isEmpty())
        return false;
    const QString absolute = QFileInfo(file).absoluteFilePath();
    folders_.at(static_cast<std::size_t>(dialog)) = QFileInfo(absolute).absolutePath();
    if (const std::optional<TRecentList> list = RecentListOf(dialog)) {
        QStringList& recent = recent_.at(static_cast<std::size_t>(*list));
        recent.removeAll(absolute);
        recent.prepend(absolute);
        while (recent.size() > RECENT_MAX)
            recent.removeLast();
    }
    return Save();
}

void TFileDialogState::Load() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || file.size() > STATE_FILE_MAX)
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.read(STATE_FILE_MAX)).object();
    const QJsonObject folders = root.value(QStringLiteral("Folders")).toObject();
    for (std::size_t i = 0; i < DIALOG_KEYS.size(); ++i)
        folders_.at(i) = folders.value(QLatin1String(DIALOG_KEYS.at(i))).toString();
    for (std::size_t i = 0; i < RECENT_KEYS.size(); ++i)
        recent_.at(i) = ReadList(root.value(QLatin1String(RECENT_KEYS.at(i))));
}

bool TFileDialogState::Save() const {
    QJsonObject folders;
    for (std::size_t i = 0; i < DIALOG_KEYS.size(); ++i)
        if (!folders_.at(i).isEmpty())
            folders.insert(QLatin1String(DIALOG_KEYS.at(i)), folders_.at(i));
    QJsonObject root;
    root.insert(QStringLiteral("Folders"), folders);
    for (std::size_t i = 0; i < RECENT_KEYS.size(); ++i)
        root.insert(QLatin1String(RECENT_KEYS.at(i)), QJsonArray::fromStringList(recent_.at(i)));

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(root).toJson());
    return file.commit();
}
