#include "fuzz/properties.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Replays every fuzz seed, and every input that once made a fuzz target fail, through the same
// checks in the ordinary builds: a fixed finding stays fixed without a fuzzer at hand.
class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    void input_data();
    void input();
};

void TestFuzzCorpus::input_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("path");

    const QDir root(QStringLiteral(FUZZ_INPUTS_DIR));
    for (int t = 0; t < fuzzing::targets().size(); ++t) {
        const QString name = QString::fromLatin1(fuzzing::targets()[t].name);
        int found = 0;
        for (const QString &folder : {"corpus/" + name, "regressions/" + name}) {
            const QDir dir(root.filePath(folder));
            for (const QString &file : dir.entryList(QDir::Files, QDir::Name)) {
                const QString row = name + u':' + folder + u'/' + file;
                QTest::newRow(qPrintable(row)) << t << dir.filePath(file);
                ++found;
            }
        }
        // A target without seeds means a renamed target or a lost folder, not a passing test.
        if (found == 0)
            qFatal("no inputs for fuzz target %s", qPrintable(name));
    }
}

void TestFuzzCorpus::input()
{
    QFETCH(int, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QString fault = fuzzing::targets()[target].check(file.readAll());
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "test_fuzz_corpus.moc"
