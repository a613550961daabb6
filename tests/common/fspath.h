#pragma once

#include <QFileInfo>
#include <QString>

#include <filesystem>

// The file-system path a Qt path text names, through Qt's own conversion
// (UTF-16 on Windows, the file-name encoding elsewhere). Never the narrow
// std::filesystem::path(std::string) constructor: on Windows it reads the
// bytes in the system's code page, and "Gökhan Çağ" would become another folder.
inline std::filesystem::path fsPath(const QString &path)
{
    return QFileInfo(path).filesystemFilePath();
}
