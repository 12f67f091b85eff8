#include "ipupdate/setini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace ipupdate;

namespace {

const QString section = QStringLiteral("myset");

// 张三 and 网易 in code page 936.
const QByteArray zhangSanGbk("\xd5\xc5\xc8\xfd");
const QByteArray wangYiGbk("\xcd\xf8\xd2\xd7");
// 乚 and 乗: their second bytes are "]" and "\".
const QByteArray bracketTrailGbk("\x81]");
const QByteArray backslashTrailGbk("\x81\\");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Lowers the largest file this process may write, for as long as it lives; a failing write
// then fails for root too. The signal that the kernel sends for it is ignored, so the write
// call reports the error instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

} // namespace

class TestSetIni : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_.emplace();
        QVERIFY(dir_->isValid());
    }

    void read_data();
    void read();
    void readsNothingWithoutAFile();
    void write_data();
    void write();
    void twoConfirms();
    void refusedWrite_data();
    void refusedWrite();
    void failedWriteKeepsTheFile();
    void unwritableFolder();
    void permissions();

private:
    QString path() const { return dir_->filePath(QStringLiteral("sys.dll")); }
    QStringList filesBeside() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden); }
    std::optional<QTemporaryDir> dir_;
};

void TestSetIni::read_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray account = "[myset]\r\nusername=alice\r\ndomain=x.example\r\npassword=secret\r\n";
    QTest::newRow("CR LF") << account << section << "domain" << "x.example";
    QTest::newRow("LF") << QByteArray("[myset]\nusername=alice\ndomain=x.example\n") << section << "domain"
                        << "x.example";
    QTest::newRow("CR") << QByteArray("[myset]\rusername=alice\rdomain=x.example\r") << section << "domain"
                        << "x.example";
    QTest::newRow("last line without line end")
        << QByteArray("[myset]\r\npassword=secret") << section << "password" << "secret";
    QTest::newRow("missing section") << account << "other" << "username" << "";
    QTest::newRow("missing key") << QByteArray("[myset]\r\nusername=alice\r\npassword=pw\r\n") << section
                                 << "domain" << "";
    QTest::newRow("empty value") << QByteArray("[myset]\r\npassword=\r\n") << section << "password" << "";
    QTest::newRow("blanks around names and values")
        << QByteArray(" \t[ myset ]  \r\n\t username \t= \t alice b\t \r\n") << section << "username"
        << "alice b";
    QTest::newRow("names ignore case, value keeps it")
        << QByteArray("[MySet]\r\nUserName=AlIcE\r\n") << section << "USERNAME" << "AlIcE";
    QTest::newRow("double quotes") << QByteArray("[myset]\r\nusername=\" Alice \"\r\n") << section
                                   << "username" << " Alice ";
    QTest::newRow("single quotes") << QByteArray("[myset]\r\nusername='Alice'\r\n") << section
                                   << "username" << "Alice";
    QTest::newRow("outer pair only") << QByteArray("[myset]\r\nusername=\"\"a\"\"\r\n") << section
                                     << "username" << "\"a\"";
    QTest::newRow("unmatched quotes kept") << QByteArray("[myset]\r\nusername=\"a'\r\n") << section
                                           << "username" << "\"a'";
    QTest::newRow("comment line") << QByteArray("[myset]\r\n ;username=bad\r\nusername=good\r\n")
                                  << section << "username" << "good";
    QTest::newRow("semicolon and hash are text")
        << QByteArray("[myset]\r\n#username=x\r\nusername=a;b #c\r\n") << section << "username" << "a;b #c";
    QTest::newRow("key before any section") << QByteArray("username=early\r\n[myset]\r\n") << section
                                            << "username" << "";
    QTest::newRow("only the first of repeated sections")
        << QByteArray("[myset]\r\nusername=a\r\n[other]\r\n[MYSET]\r\ndomain=d\r\n") << section << "domain"
        << "";
    QTest::newRow("first of repeated keys") << QByteArray("[myset]\r\nusername=a\r\nusername=b\r\n")
                                            << section << "username" << "a";
    QTest::newRow("key of another section") << QByteArray("[other]\r\nusername=a\r\n[myset]\r\n")
                                            << section << "username" << "";
    QTest::newRow("line without equals sign") << QByteArray("[myset]\r\nusername\r\n") << section
                                              << "username" << "";
    QTest::newRow("section line without bracket")
        << QByteArray("[myset]\r\n[other\r\nusername=a\r\n") << section << "username" << "a";
    QTest::newRow("GBK value") << "[myset]\r\nusername=" + zhangSanGbk + "\r\n" << section << "username"
                               << QStringLiteral("张三");
    QTest::newRow("GBK names whose second byte is ] or \\")
        << "[" + bracketTrailGbk + "]\r\n" + backslashTrailGbk + "=" + wangYiGbk + "\r\n"
        << QStringLiteral("乚") << QStringLiteral("乗") << QStringLiteral("网易");
    QTest::newRow("300 bytes cut to 254")
        << "[myset]\r\npassword=" + QByteArray(300, 'p') + "\r\n" << section << "password"
        << QString(254, u'p');
    QTest::newRow("cut before a character that would be split")
        << "[myset]\r\npassword=" + QByteArray(253, 'p') + zhangSanGbk + "\r\n" << section << "password"
        << QString(253, u'p');
    QTest::newRow("cut after a whole character")
        << "[myset]\r\npassword=" + QByteArray(252, 'p') + zhangSanGbk + "\r\n" << section << "password"
        << QString(252, u'p') + u'张';
}

void TestSetIni::read()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    putFile(path(), contents);
    QCOMPARE(ReadSetting(section, key, path()), expected);
}

void TestSetIni::readsNothingWithoutAFile()
{
    QCOMPARE(ReadSetting(section, QStringLiteral("username"), path()), QString());
    // A folder where the file should be.
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sys.dll")));
    QCOMPARE(ReadSetting(section, QStringLiteral("username"), path()), QString());
}

void TestSetIni::write_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("creates the file") << false << QByteArray() << "username" << "alice"
                                      << QByteArray("[myset]\r\nusername=alice\r\n");
    QTest::newRow("empty file") << true << QByteArray() << "username" << "alice"
                                << QByteArray("[myset]\r\nusername=alice\r\n");
    QTest::newRow("replaces in place, other bytes kept")
        << true << QByteArray("; mine\r\n[myset]\r\nusername=old\r\ndomain=d\n\r\n[other]\r\nx = 1")
        << "username" << "new"
        << QByteArray("; mine\r\n[myset]\r\nusername=new\r\ndomain=d\n\r\n[other]\r\nx = 1");
    QTest::newRow("replaced line keeps its line end")
        << true << QByteArray("[myset]\nusername=old\npassword=p\n") << "username" << "new"
        << QByteArray("[myset]\nusername=new\npassword=p\n");
    QTest::newRow("replaces a key that differs in case and blanks")
        << true << QByteArray("[MySet]\r\n  UserName = old \r\n") << "username" << "new"
        << QByteArray("[MySet]\r\nusername=new\r\n");
    QTest::newRow("replaces the first of repeated keys")
        << true << QByteArray("[myset]\r\nusername=a\r\nusername=b\r\n") << "username" << "c"
        << QByteArray("[myset]\r\nusername=c\r\nusername=b\r\n");
    QTest::newRow("adds a key after the last key of its section")
        << true << QByteArray("[myset]\r\nusername=a\r\n; note\r\n\r\n[other]\r\nk=v\r\n") << "domain" << "d"
        << QByteArray("[myset]\r\nusername=a\r\ndomain=d\r\n; note\r\n\r\n[other]\r\nk=v\r\n");
    QTest::newRow("adds a key to a section without keys")
        << true << QByteArray("[myset]\r\n[other]\r\n") << "domain" << "d"
        << QByteArray("[myset]\r\ndomain=d\r\n[other]\r\n");
    QTest::newRow("adds a key after a last line without line end")
        << true << QByteArray("[myset]\r\nusername=a") << "domain" << "d"
        << QByteArray("[myset]\r\nusername=a\r\ndomain=d\r\n");
    QTest::newRow("adds the section at the end")
        << true << QByteArray("[other]\r\nk=v\r\n") << "username" << "a"
        << QByteArray("[other]\r\nk=v\r\n[myset]\r\nusername=a\r\n");
    QTest::newRow("adds the section after a last line without line end")
        << true << QByteArray("[other]\r\nk=v") << "username" << "a"
        << QByteArray("[other]\r\nk=v\r\n[myset]\r\nusername=a\r\n");
    QTest::newRow("value in GBK, written as given")
        << true << "[myset]\r\ndomain=" + wangYiGbk + "\r\n" << "username" << QStringLiteral(" \"张三\" ")
        << "[myset]\r\ndomain=" + wangYiGbk + "\r\nusername= \"" + zhangSanGbk + "\" \r\n";
    QTest::newRow("other bytes kept even where they are no GBK")
        << true << QByteArray("[myset]\r\nusername=old\r\nnote=\xff\x80\x81\r\n") << "username" << "new"
        << QByteArray("[myset]\r\nusername=new\r\nnote=\xff\x80\x81\r\n");
}

void TestSetIni::write()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (exists)
        putFile(path(), before);
    QVERIFY(WriteSetting(section, key, value, path()));
    QCOMPARE(fileBytes(path()), after);
    // What was written reads back, and no temporary file is left beside it.
    QCOMPARE(ReadSetting(section, key, path()), value.trimmed().remove(u'"'));
    QCOMPARE(filesBeside(), QStringList{"sys.dll"});
}

void TestSetIni::twoConfirms()
{
    const auto confirm = [&](const QString &user, const QString &domain, const QString &password) {
        QVERIFY(WriteSetting(section, QStringLiteral("username"), user, path()));
        QVERIFY(WriteSetting(section, QStringLiteral("domain"), domain, path()));
        QVERIFY(WriteSetting(section, QStringLiteral("password"), password, path()));
    };
    confirm(QStringLiteral("张三"), QStringLiteral(".3322.org"), QStringLiteral("pw1"));
    QCOMPARE(fileBytes(path()), "[myset]\r\nusername=" + zhangSanGbk + "\r\ndomain=.3322.org\r\npassword=pw1\r\n");

    confirm(QStringLiteral("li"), QStringLiteral("网易"), QString());
    QCOMPARE(fileBytes(path()), "[myset]\r\nusername=li\r\ndomain=" + wangYiGbk + "\r\npassword=\r\n");
    QCOMPARE(ReadSetting(section, QStringLiteral("domain"), path()), QStringLiteral("网易"));
    QCOMPARE(ReadSetting(section, QStringLiteral("password"), path()), QString());
}

void TestSetIni::refusedWrite_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("character GBK cannot store") << section << "username" << QStringLiteral("a😀");
    QTest::newRow("line break in value") << section << "password" << "pw\r\n[myset]";
    QTest::newRow("NUL in value") << section << "password" << QString(QChar(0));
    QTest::newRow("] in section name") << "my]set" << "username" << "a";
    QTest::newRow("= in key") << section << "user=name" << "a";
    QTest::newRow("key that would open a section") << section << "[x" << "a";
    QTest::newRow("key that would be a comment") << section << ";x" << "a";
}

void TestSetIni::refusedWrite()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray before = "[myset]\r\nusername=" + zhangSanGbk + "\r\n";
    putFile(path(), before);
    QVERIFY(!WriteSetting(section, key, value, path()));
    QCOMPARE(fileBytes(path()), before);
}

void TestSetIni::failedWriteKeepsTheFile()
{
    const QByteArray before = "[myset]\r\nusername=alice\r\ndomain=d\r\npassword=secret\r\n";
    putFile(path(), before);
    {
        FileSizeLimit limit(16);
        if (!limit.active())
            QSKIP("the file size limit cannot be lowered here");
        QVERIFY(!WriteSetting(section, QStringLiteral("password"), QStringLiteral("a longer password"),
                              path()));
    }
    QCOMPARE(fileBytes(path()), before);
    QCOMPARE(filesBeside(), QStringList{"sys.dll"});

    // A folder in the file's place is not overwritten either.
    QVERIFY(QFile::remove(path()));
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sys.dll")));
    QVERIFY(!WriteSetting(section, QStringLiteral("username"), QStringLiteral("a"), path()));
    QVERIFY(QFileInfo(path()).isDir());
}

void TestSetIni::unwritableFolder()
{
    // A folder that does not exist cannot be written, root or not.
    const QString missing = dir_->filePath(QStringLiteral("missing/sys.dll"));
    QVERIFY(!WriteSetting(section, QStringLiteral("username"), QStringLiteral("a"), missing));
    QVERIFY(!QFileInfo::exists(missing));

    if (::geteuid() == 0)
        QSKIP("root writes into read-only folders and reads unreadable files");
    const QByteArray before = "[myset]\r\nusername=alice\r\n";
    putFile(path(), before);
    QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool written = WriteSetting(section, QStringLiteral("username"), QStringLiteral("bob"), path());
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(fileBytes(path()), before);

    // Writing a file that cannot be read would lose what it holds.
    QVERIFY(QFile::setPermissions(path(), QFile::WriteOwner));
    QVERIFY(!WriteSetting(section, QStringLiteral("domain"), QStringLiteral("d"), path()));
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(fileBytes(path()), before);
}

void TestSetIni::permissions()
{
    QVERIFY(WriteSetting(section, QStringLiteral("password"), QStringLiteral("secret"), path()));
    QCOMPARE(QFileInfo(path()).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);

    const auto shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(path(), shared));
    QVERIFY(WriteSetting(section, QStringLiteral("password"), QStringLiteral("changed"), path()));
    QCOMPARE(QFileInfo(path()).permissions() & 0x7077, shared);
}

QTEST_GUILESS_MAIN(TestSetIni)
#include "test_setini.moc"
