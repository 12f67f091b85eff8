#include "layoutcheck.h"

#include "dosecalc/form1.h"
#include "dosecalc/form2.h"
#include "dosecalc/form3.h"

#include "common/application.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace layout;

namespace {

// Text colours of the layout.
constexpr const char *navy = "&H00800000&";
constexpr const char *purple = "&H00800080&";
constexpr const char *maroon = "&H00000080&";
constexpr const char *blue = "&H00FF0000&";
constexpr const char *darkBlue = "&H00C00000&";
constexpr const char *red = "&H000000FF&";
constexpr const char *yellow = "&H0000FFFF&";
constexpr const char *green = "&H0000FF00&";
constexpr const char *teal = "&H00404000&";

// Form1 draws every text in 宋体.
ControlLayout song(ControlLayout row)
{
    row.family = kSongTi;
    return row;
}

// A caption of a panel: 宋体 12, in its own colour, transparent and as wide as its text.
ControlLayout heading(const char *name, int left, int top, const char *color, Is bold = Is::Yes)
{
    return song({.name = name, .left = left, .top = top, .sizing = Sizing::ToText, .pointSize = 12,
                 .bold = bold, .foreColor = color, .opaque = Is::No});
}

// A unit beside a box or a result: 14.25 point, as wide as its text.
ControlLayout unit(const char *name, int left, int top, const char *color = nullptr)
{
    return song({.name = name, .left = left, .top = top, .sizing = Sizing::ToText, .pointSize = 14.25,
                 .bold = Is::No, .foreColor = color, .opaque = Is::No});
}

// A heading of the carboplatin panel: 宋体 12 on its own opaque background.
ControlLayout tag(const char *name, int left, int top, int width, Qt::Alignment alignment = {})
{
    return song({.name = name, .left = left, .top = top, .width = width, .height = 255, .pointSize = 12,
                 .bold = Is::No, .foreColor = darkBlue, .opaque = Is::Yes, .alignment = alignment});
}

// A result: bold 10.5 in a bordered, opaque box of its own colours, left-aligned.
ControlLayout result(const char *name, int left, int top, const char *fore, const char *back)
{
    return song({.name = name, .left = left, .top = top, .width = 1455, .height = 255, .pointSize = 10.5,
                 .bold = Is::Yes, .foreColor = fore, .backColor = back, .opaque = Is::Yes,
                 .border = Is::Yes, .alignment = Qt::AlignLeft});
}

ControlLayout box(const char *name, int left, int top, int width, int height, double size,
                  Qt::Alignment alignment)
{
    return song({.name = name, .left = left, .top = top, .width = width, .height = height,
                 .pointSize = size, .bold = Is::No, .alignment = alignment});
}

ControlLayout button(const char *name, int left, int top, int width, int height)
{
    return song({.name = name, .left = left, .top = top, .width = width, .height = height, .pointSize = 9,
                 .bold = Is::No});
}

// Form3's controls carry no font of their own: they keep the window's, the default, and not
// the 10.5 point of the frame, which has no caption to show it.
ControlLayout inAbout(ControlLayout row)
{
    if (row.pointSize == 0)
        row.pointSize = kDefaultSize;
    row.bold = Is::No;
    return row;
}

} // namespace

class TestLayoutQuarvel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windows_data();
    void windows();
    void controls_data();
    void controls();
    void stacking_data();
    void stacking();
    void resultsDrawnInTheirColours_data();
    void resultsDrawnInTheirColours();

private:
    QWidget *window(const QString &name) const;

    std::unique_ptr<QWidget> m_form1;
    std::unique_ptr<QWidget> m_form2;
    std::unique_ptr<QWidget> m_form3;
};

void TestLayoutQuarvel::initTestCase()
{
    common::initApplication(QStringLiteral("Quarvel"), {});
    m_form1 = std::make_unique<Form1>();
    m_form2 = std::make_unique<Form2>();
    m_form3 = std::make_unique<Form3>();
}

QWidget *TestLayoutQuarvel::window(const QString &name) const
{
    if (name == QLatin1String("Form1"))
        return m_form1.get();
    if (name == QLatin1String("Form2"))
        return m_form2.get();
    return m_form3.get();
}

void TestLayoutQuarvel::windows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<WindowLayout>("expected");

    QTest::newRow("Form1") << QStringLiteral("Form1")
                           << WindowLayout{.caption = "Quarvel2.0", .clientWidth = 5175, .clientHeight = 3855,
                                           .fixedBorder = true, .left = 3435, .top = 2460, .pointSize = 9,
                                           .bold = true,
                                           .tabOrder = {"Command4", "Command5", "Text4", "Text5", "Text6",
                                                        "Text7", "Command2", "Command3", "Command1", "Text3",
                                                        "Text2", "Text1", "Option1", "Option2"},
                                           .firstFocus = "Command4"};
    QTest::newRow("Form2") << QStringLiteral("Form2")
                           << WindowLayout{.caption = "卡铂AUC给药计算说明", .clientWidth = 4350,
                                           .clientHeight = 3015, .fixedBorder = true, .left = 4350,
                                           .top = 1995, .backColor = "&H80000005&"};
    QTest::newRow("Form3") << QStringLiteral("Form3")
                           << WindowLayout{.caption = "软件说明", .clientWidth = 3585, .clientHeight = 2265,
                                           .fixedBorder = true, .left = 4800, .top = 1995,
                                           .tabOrder = {"Command1", "Picture1"}, .firstFocus = "Command1"};
}

void TestLayoutQuarvel::windows()
{
    QFETCH(QString, name);
    QFETCH(WindowLayout, expected);
    checkWindow(window(name), expected);
}

void TestLayoutQuarvel::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<ControlLayout>("expected");

    const ControlLayout form1[] = {
        song({.name = "Frame1", .left = 120, .top = 120, .width = 4935, .height = 2775, .pointSize = 12,
              .bold = Is::Yes, .foreColor = navy}),
        song({.name = "Frame2", .left = 120, .top = 120, .width = 4935, .height = 2775, .pointSize = 12,
              .bold = Is::Yes, .foreColor = purple, .visible = false}),
        song({.name = "Option1", .left = 1200, .top = 2760, .width = 1575, .height = 350, .pointSize = 9,
              .bold = Is::No, .foreColor = navy}),
        song({.name = "Option2", .left = 3000, .top = 2760, .width = 1575, .height = 350, .pointSize = 9,
              .bold = Is::Yes, .foreColor = purple}),
        song({.name = "Label11", .left = 1200, .top = 3120, .sizing = Sizing::ToText, .pointSize = 9,
              .bold = Is::No, .foreColor = maroon, .opaque = Is::No}),
        button("Command5", 1920, 3360, 735, 375),
        button("Command4", 2880, 3360, 735, 375),

        // The body surface area panel.
        heading("Label2", 240, 495, blue),
        box("Text1", 840, 480, 975, 315, 10.5, Qt::AlignRight),
        unit("Label3", 1920, 495),
        heading("Label4", 2520, 495, blue),
        box("Text2", 3000, 495, 855, 315, 10.5, Qt::AlignRight),
        unit("Label5", 3960, 495),
        heading("Label6", 240, 975, blue),
        result("Label12", 1320, 975, red, yellow),
        unit("Label1", 2880, 975),
        // The raised 2s follow the text of their units, wherever the font makes it end.
        song({.name = "Label14", .left = kFree, .top = 975, .sizing = Sizing::ToText, .pointSize = 9,
              .bold = Is::No, .opaque = Is::No}),
        song({.name = "Label9", .left = 120, .top = 1455, .sizing = Sizing::ToText, .pointSize = 9,
              .bold = Is::No, .foreColor = "&H000040C0&", .opaque = Is::No}),
        heading("Label10", 360, 1815, "&H00008000&"),
        box("Text3", 1920, 1815, 1215, 315, 10.5, Qt::AlignRight),
        unit("Label13", 3240, 1815),
        song({.name = "Label7", .left = kFree, .top = 1815, .sizing = Sizing::ToText, .pointSize = 9,
              .bold = Is::No, .opaque = Is::No}),
        heading("Label21", 840, 2295, "&H00C000C0&"),
        result("Label15", 1920, 2295, red, yellow),
        unit("Label16", 3480, 2295),
        button("Command1", 3840, 2295, 615, 255),

        // The carboplatin panel.
        tag("Label8", 120, 480, 495),
        box("Text4", 720, 465, 855, 300, 9, Qt::AlignHCenter),
        tag("Label20", 1680, 480, 375, Qt::AlignHCenter),
        tag("Label17", 120, 840, 495),
        box("Text5", 720, 840, 855, 300, 9, Qt::AlignHCenter),
        tag("Label22", 1680, 840, 375, Qt::AlignHCenter),
        tag("Label19", 120, 1200, 495),
        box("Text6", 720, 1200, 855, 300, 9, Qt::AlignLeft),
        tag("Label23", 1680, 1200, 855),
        tag("Label18", 195, 1560, 375),
        box("Text7", 720, 1560, 855, 300, 9, Qt::AlignHCenter),
        tag("Label24", 1680, 1560, 1095),
        button("Command2", 600, 1920, 1575, 255),
        button("Command3", 360, 2280, 2055, 255),
        tag("Label27", 2640, 240, 2055),
        tag("Label25", 2760, 240, 2055),
        result("Label26", 2760, 480, red, yellow),
        tag("Label30", 4200, 480, 735),
        tag("Label37", 2640, 720, 2055),
        result("Label28", 2760, 960, red, yellow),
        tag("Label29", 4200, 960, 735),
        tag("Label31", 2760, 1320, 1695),
        result("Label32", 2880, 1560, green, teal),
        unit("Label35", 4440, 1560, darkBlue),
        tag("Label33", 2760, 1800, 1695),
        result("Label34", 2880, 2040, green, teal),
        unit("Label36", 4440, 2040, darkBlue),
    };
    for (const ControlLayout &row : form1)
        QTest::addRow("Form1/%s", row.name) << QStringLiteral("Form1") << row;

    QTest::addRow("Form2/Label1") << QStringLiteral("Form2")
                                  << ControlLayout{.name = "Label1", .width = 4335, .height = 3015,
                                                   .pointSize = kDefaultSize, .bold = Is::No, .opaque = Is::Yes,
                                                   .wrapped = Is::Yes};

    const ControlLayout form3[] = {
        inAbout({.name = "Frame1", .left = 0, .top = -120, .width = 3615, .height = 2415, .pointSize = 10.5}),
        {.name = "Picture1", .left = 0, .top = 120, .width = 1455, .height = 2295},
        inAbout({.name = "Label1", .left = 1560, .top = 240, .width = 2055, .height = 900, .wrapped = Is::Yes}),
        inAbout({.name = "Label2", .left = 1560, .top = 1200, .width = 1935, .height = 200}),
        inAbout({.name = "Label3", .left = 1560, .top = 1440, .width = 1935, .height = 195}),
        inAbout({.name = "Label37", .left = 1500, .top = 1680, .sizing = Sizing::ToText, .foreColor = maroon,
                 .opaque = Is::No}),
        inAbout({.name = "Label4", .left = 1560, .top = 2040, .width = 975, .height = 255}),
        inAbout({.name = "Command1", .left = 2520, .top = 2040, .width = 975, .height = 300}),
    };
    for (const ControlLayout &row : form3)
        QTest::addRow("Form3/%s", row.name) << QStringLiteral("Form3") << row;
}

void TestLayoutQuarvel::controls()
{
    QFETCH(QString, window);
    QFETCH(ControlLayout, expected);
    checkControl(this->window(window), expected);
}

void TestLayoutQuarvel::stacking_data()
{
    QTest::addColumn<QString>("front");
    QTest::addColumn<QString>("back");

    // The man's clearance heading shows once, from the left edge of the one in front.
    QTest::newRow("Form1/Label27 over Label25") << QStringLiteral("Label27") << QStringLiteral("Label25");
    // The option buttons lie over the lower edge of both panels.
    QTest::newRow("Form1/Option1 over Frame1") << QStringLiteral("Option1") << QStringLiteral("Frame1");
    QTest::newRow("Form1/Option1 over Frame2") << QStringLiteral("Option1") << QStringLiteral("Frame2");
    QTest::newRow("Form1/Option2 over Frame1") << QStringLiteral("Option2") << QStringLiteral("Frame1");
    QTest::newRow("Form1/Option2 over Frame2") << QStringLiteral("Option2") << QStringLiteral("Frame2");
}

void TestLayoutQuarvel::stacking()
{
    QFETCH(QString, front);
    QFETCH(QString, back);
    checkInFront(m_form1.get(), qPrintable(front), qPrintable(back));
}

void TestLayoutQuarvel::resultsDrawnInTheirColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fore");
    QTest::addColumn<QString>("back");

    QTest::newRow("Form1/Label12") << QStringLiteral("Label12") << red << yellow;
    QTest::newRow("Form1/Label15") << QStringLiteral("Label15") << red << yellow;
    QTest::newRow("Form1/Label26") << QStringLiteral("Label26") << red << yellow;
    QTest::newRow("Form1/Label28") << QStringLiteral("Label28") << red << yellow;
    QTest::newRow("Form1/Label32") << QStringLiteral("Label32") << green << teal;
    QTest::newRow("Form1/Label34") << QStringLiteral("Label34") << green << teal;
}

void TestLayoutQuarvel::resultsDrawnInTheirColours()
{
    QFETCH(QString, name);
    QFETCH(QString, fore);
    QFETCH(QString, back);

    // The result labels are empty at start; typed figures show their texts.
    Form1 form;
    const std::pair<const char *, const char *> typed[] = {
        {"Text1", "170"}, {"Text2", "60"}, {"Text3", "100"}, {"Text4", "60"}, {"Text5", "70"}, {"Text6", "88"},
    };
    for (const auto &[box, text] : typed)
        QTest::keyClicks(form.findChild<QLineEdit *>(QLatin1String(box)), QLatin1String(text));
    auto *label = form.findChild<QWidget *>(name);
    QVERIFY(label);
    checkDrawnColors(label, qPrintable(fore), qPrintable(back));
}

QTEST_MAIN(TestLayoutQuarvel)
#include "test_layout_quarvel.moc"
