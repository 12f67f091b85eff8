#include "layoutcheck.h"

#include "energy/frmmain.h"

#include "common/application.h"

#include <QtTest>

#include <memory>

using namespace layout;

namespace {

constexpr const char *lightGrey = "&H00E0E0E0&";
constexpr const char *darkNavy = "&H00400000&";

// No font is set anywhere in the window: every text keeps the application's default.
ControlLayout plain(ControlLayout row)
{
    row.pointSize = kDefaultSize;
    row.bold = Is::No;
    return row;
}

ControlLayout caption(const char *name, int top)
{
    return plain({.name = name, .left = 240, .top = top, .sizing = Sizing::ToText, .opaque = Is::No});
}

ControlLayout box(const char *name, int left, int top)
{
    return plain({.name = name, .left = left, .top = top, .width = 2415, .height = 375});
}

} // namespace

class TestLayoutKelvio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void window();
    void controls_data();
    void controls();

private:
    std::unique_ptr<frmmain> m_window;
};

void TestLayoutKelvio::initTestCase()
{
    common::initApplication(QStringLiteral("Kelvio"), {});
    m_window = std::make_unique<frmmain>();
}

void TestLayoutKelvio::window()
{
    checkWindow(m_window.get(),
                {.caption = "Kelvio(REE)", .clientWidth = 4680, .clientHeight = 3180, .minButton = true,
                 .backColor = lightGrey,
                 .tabOrder = {"Text1", "Option1", "Option2", "Text2", "Text3", "Command1", "Text4"},
                 .firstFocus = "Text1"});
}

void TestLayoutKelvio::controls_data()
{
    QTest::addColumn<ControlLayout>("expected");

    const ControlLayout rows[] = {
        plain({.name = "Option1", .left = 600, .top = 120, .width = 1095, .height = 255, .backColor = lightGrey}),
        plain({.name = "Option2", .left = 2880, .top = 120, .width = 1095, .height = 255, .backColor = lightGrey}),
        caption("Label1", 720),
        box("Text1", 1200, 600),
        caption("Label2", 1200),
        box("Text2", 1200, 1080),
        caption("Label3", 1680),
        box("Text3", 1200, 1560),
        {.name = "Line1", .left = 0, .top = 2160, .width = 4680, .height = 2160, .sizing = Sizing::Line,
         .foreColor = darkNavy},
        plain({.name = "Command1", .left = 240, .top = 2280, .width = 1695, .height = 375, .backColor = lightGrey}),
        box("Text4", 1920, 2280),
        plain({.name = "Label4", .left = 240, .top = 2880, .sizing = Sizing::ToText, .foreColor = darkNavy,
               .opaque = Is::No}),
    };
    for (const ControlLayout &row : rows)
        QTest::addRow("frmmain/%s", row.name) << row;
}

void TestLayoutKelvio::controls()
{
    QFETCH(ControlLayout, expected);
    checkControl(m_window.get(), expected);
}

QTEST_MAIN(TestLayoutKelvio)
#include "test_layout_kelvio.moc"
