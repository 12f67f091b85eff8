#include "ipupdate/settingsplace.h"
#include "ipupdate/setini.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <unistd.h>

using namespace ipupdate;

class TestSettingsPlace : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void besideTheProgram();
    void fileBesideAReadOnlyProgramIsKept();
    void userConfigurationFolder_data();
    void userConfigurationFolder();
    void readOnlyProgramFolder();

private:
    QString programDir() const { return dir_->filePath(QStringLiteral("program")); }
    QString configHome() const { return dir_->filePath(QStringLiteral("config")); }
    std::optional<QTemporaryDir> dir_;
    QByteArray savedConfigHome_;
};

void TestSettingsPlace::init()
{
    dir_.emplace();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir().mkpath(programDir()));
    savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
}

void TestSettingsPlace::cleanup()
{
    if (savedConfigHome_.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    QFile::setPermissions(programDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSettingsPlace::besideTheProgram()
{
    QCOMPARE(settingsFilePathFor(programDir()), programDir() + QStringLiteral("/sys.dll"));
    QVERIFY(!QFileInfo::exists(configHome()));
    // The running program's own folder decides.
    const QString ownFolder = QCoreApplication::applicationDirPath();
    const bool ownFolderWritable = ::access(QFile::encodeName(ownFolder).constData(), W_OK) == 0;
    QCOMPARE(settingsFilePath(), ownFolderWritable ? ownFolder + QStringLiteral("/sys.dll")
                                                   : configHome() + QStringLiteral("/Ostrand/sys.dll"));
}

void TestSettingsPlace::fileBesideAReadOnlyProgramIsKept()
{
    // A settings file carried over beside a program that cannot write there is still the one read.
    const QString beside = programDir() + QStringLiteral("/sys.dll");
    QFile file(beside);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[myset]\r\nusername=alice\r\n");
    file.close();
    QVERIFY(QFile::setPermissions(programDir(), QFile::ReadOwner | QFile::ExeOwner));

    QCOMPARE(settingsFilePathFor(programDir()), beside);
    QCOMPARE(ReadSetting(QStringLiteral("myset"), QStringLiteral("username"), settingsFilePathFor(programDir())),
             QStringLiteral("alice"));
}

void TestSettingsPlace::userConfigurationFolder_data()
{
    QTest::addColumn<QString>("program");

    // Neither can be written, by root either.
    QTest::newRow("program folder gone") << QStringLiteral("gone");
    QTest::newRow("file in place of the folder") << QStringLiteral("plainfile");
}

void TestSettingsPlace::userConfigurationFolder()
{
    QFETCH(QString, program);

    const QString folder = dir_->filePath(program);
    if (program == u"plainfile") {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString expected = configHome() + QStringLiteral("/Ostrand/sys.dll");
    const QString path = settingsFilePathFor(folder);
    QCOMPARE(path, expected);
    QCOMPARE(QFileInfo(configHome() + QStringLiteral("/Ostrand")).permissions() & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Settings saved there come back, from a file only its owner may read.
    QVERIFY(WriteSetting(QStringLiteral("myset"), QStringLiteral("password"), QStringLiteral("secret"), path));
    QCOMPARE(QFileInfo(path).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(ReadSetting(QStringLiteral("myset"), QStringLiteral("password"), settingsFilePathFor(folder)),
             QStringLiteral("secret"));
}

void TestSettingsPlace::readOnlyProgramFolder()
{
    if (::geteuid() == 0)
        QSKIP("root may write into any folder");
    QVERIFY(QFile::setPermissions(programDir(), QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(settingsFilePathFor(programDir()), configHome() + QStringLiteral("/Ostrand/sys.dll"));
}

QTEST_GUILESS_MAIN(TestSettingsPlace)
#include "test_settingsplace.moc"
