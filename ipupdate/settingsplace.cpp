#include "settingsplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ipupdate {
namespace {

const QString fileName = QStringLiteral("sys.dll");

bool mayWriteIn(const QString &dir)
{
    const QFileInfo info(dir);
    if (!info.isDir())
        return false;
#ifdef Q_OS_UNIX
    // Asks the system itself, so that root, ACLs and read-only mounts count as they will at
    // write time.
    return ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
#else
    return info.isWritable();
#endif
}

} // namespace

QString settingsFilePathFor(const QString &programDir)
{
    const QString beside = QDir(programDir).filePath(fileName);
    if (QFileInfo::exists(beside) || mayWriteIn(programDir))
        return beside;

    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configHome.isEmpty())
        return beside;
    const QString folder = QDir(configHome).filePath(QStringLiteral("Ostrand"));
    if (!QFileInfo(folder).isDir() && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QDir(folder).filePath(fileName);
}

QString settingsFilePath()
{
    return settingsFilePathFor(QCoreApplication::applicationDirPath());
}

} // namespace ipupdate
