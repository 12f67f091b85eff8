#include "micro.h"

#include "common/application.h"
#include "dosecalc/form1.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <utility>

// One keystroke in Quarvel's panels, from the key to the result labels written, against a bare
// window whose box writes two labels from the same kind of reading and formatting. Each
// iteration is one real key event on the offscreen platform: a digit, then a backspace, in turn,
// so every keystroke changes the text and every one recomputes.
namespace {

struct Panel {
    QLineEdit *typedInto;
    QList<QLabel *> results;
};

void typeInTurn(benchmark::State &state, const Panel &panel)
{
    // A keystroke that writes no result would measure nothing worth having.
    for (QLabel *label : panel.results)
        label->clear();
    QTest::keyClick(panel.typedInto, Qt::Key_5);
    for (QLabel *label : panel.results) {
        if (label->text().isEmpty()) {
            state.SkipWithError(qPrintable(label->objectName() + QLatin1String(" was not written")));
            return;
        }
    }
    QTest::keyClick(panel.typedInto, Qt::Key_Backspace);

    const std::size_t before = bench::allocationCount();
    bool digit = true;
    for (auto _ : state) {
        QTest::keyClick(panel.typedInto, digit ? Qt::Key_5 : Qt::Key_Backspace);
        digit = !digit;
    }
    state.counters["allocs"] = benchmark::Counter(double(bench::allocationCount() - before),
                                                  benchmark::Counter::kAvgIterations);
}

// Quarvel's window on the panel that `option` chooses, with `texts` in its boxes.
void typeIntoPanel(benchmark::State &state, const char *option,
                   std::initializer_list<std::pair<const char *, const char *>> texts, const char *typedInto,
                   std::initializer_list<const char *> results)
{
    Form1 window;
    window.show();
    QTest::mouseClick(window.findChild<QRadioButton *>(QLatin1String(option)), Qt::LeftButton);
    for (const auto &[box, text] : texts)
        window.findChild<QLineEdit *>(QLatin1String(box))->setText(QLatin1String(text));
    Panel panel{window.findChild<QLineEdit *>(QLatin1String(typedInto)), {}};
    for (const char *name : results)
        panel.results.append(window.findChild<QLabel *>(QLatin1String(name)));
    typeInTurn(state, panel);
}

void QuarvelAreaPanel(benchmark::State &state)
{
    typeIntoPanel(state, "Option1", {{"Text1", "170"}, {"Text2", "65"}, {"Text3", "100"}}, "Text1",
                  {"Label12", "Label15"});
}

void QuarvelCarboplatinPanel(benchmark::State &state)
{
    typeIntoPanel(state, "Option2", {{"Text4", "60"}, {"Text5", "65"}, {"Text6", "80"}}, "Text5",
                  {"Label26", "Label28", "Label32", "Label34"});
}

void BareWindow(benchmark::State &state)
{
    QWidget window;
    auto *box = new QLineEdit(QStringLiteral("170"), &window);
    auto *first = new QLabel(&window);
    auto *second = new QLabel(&window);
    first->move(0, 30);
    second->move(0, 60);
    QObject::connect(box, &QLineEdit::textChanged, [=](const QString &text) {
        const double value = text.toDouble();
        first->setText(QString::number(value * 0.01, 'g', 15));
        second->setText(QString::number(value * 100, 'g', 15));
    });
    window.show();
    typeInTurn(state, {box, {first, second}});
}

BENCHMARK(QuarvelAreaPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(QuarvelCarboplatinPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    // Always offscreen: a display's compositor would make the figures depend on the desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    common::initApplication(QStringLiteral("Quarvel"), QStringLiteral(":/quarvel/icons/quarvel.svg"));
    return bench::runMicroBenchmarks(argc, argv,
                                     {
                                         {"keystroke, area panel (2 results)", "Quarvel", "QuarvelAreaPanel", "BareWindow", "< 50 us", "-"},
                                         {"keystroke, carboplatin panel (4 results)", "Quarvel", "QuarvelCarboplatinPanel", "BareWindow", "< 50 us", "-"},
                                     },
                                     "us");
}
