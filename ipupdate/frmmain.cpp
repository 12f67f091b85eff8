#include "frmmain.h"

#include "frmabout.h"
#include "providerpage.h"

#include "common/messagebox.h"
#include "common/singlewindow.h"
#include "common/windowsetup.h"
#include "ipupdate/addressdiscovery.h"
#include "ipupdate/providerconfig.h"
#include "ipupdate/setini.h"
#include "ipupdate/settingsplace.h"
#include "ipupdate/socketstartup.h"

#include <QDir>
#include <QProxyStyle>

namespace ipupdate {

namespace {

const QString section = QStringLiteral("myset");

// The password box shows every character as "*", whatever the style's own mask is.
class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

MainWindowPlaces MainWindowPlaces::program()
{
    return {QString::fromUtf16(provider::host), settingsFilePath};
}

frmmain::frmmain(MainWindowPlaces places)
    : m_places(std::move(places))
{
    setupUi(this);
    auto *starStyle = new StarPasswordStyle;
    starStyle->setParent(Text2);
    Text2->setStyle(starStyle);
    Combo1->setEditText(QString::fromUtf16(provider::domainSuffix1));
    WebBrowser1 = new ProviderPage(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    common::setUpWindow(this);
    // Closing the window unloads it, browser included.
    setAttribute(Qt::WA_DeleteOnClose);

    connect(Command1, &QPushButton::clicked, this, common::guarded([this] { Command1_Click(); }, faultSink()));
    connect(Command2, &QPushButton::clicked, this, common::guarded([this] { Command2_Click(); }, faultSink()));
    connect(Command3, &QPushButton::clicked, this, common::guarded([this] { Command3_Click(); }, faultSink()));
    connect(WebBrowser1, &ProviderPage::DocumentComplete, this,
            common::guarded([this] { WebBrowser1_DocumentComplete(); }, faultSink()));
}

frmmain::~frmmain() = default;

bool frmmain::load(SocketLayer &layer)
{
    const QString presetText = Combo1->currentText();
    Combo1->addItem(QString::fromUtf16(provider::domainSuffix1));
    Combo1->addItem(QString::fromUtf16(provider::domainSuffix2));
    Combo1->setEditText(presetText);

    WebBrowser1->Navigate(QUrl(QStringLiteral("http://") + m_places.providerHost + QStringLiteral("/modify-new.htm")));
    Command1->setEnabled(false);

    Text1->setText(ReadSetting(section, QStringLiteral("username"), m_places.settingsPath()));
    Combo1->setEditText(ReadSetting(section, QStringLiteral("domain"), m_places.settingsPath()));
    Text2->setText(ReadSetting(section, QStringLiteral("password"), m_places.settingsPath()));
    Frame1->setToolTip(settingsPlaceTip(m_places.settingsPath()));

    if (!SocketsInitialize(layer, *this))
        return false;
    DiscoverLocalAddress(layer, *this);
    return true;
}

void frmmain::showMessage(const QString &text)
{
    common::showMessage(this, text);
}

QString frmmain::text3() const
{
    return Text3->text();
}

void frmmain::setText3(const QString &text)
{
    Text3->setText(text);
}

void frmmain::setText4(const QString &text)
{
    Text4->setText(text);
}

void frmmain::Command1_Click()
{
    WebBrowser1->FillAndSubmit({Text1->text(), Combo1->currentText(), Text2->text(), Text4->text()},
                               common::guarded([this](const SubmitOutcome &outcome) { confirmSubmitted(outcome); },
                                               faultSink()));
}

void frmmain::confirmSubmitted(const SubmitOutcome &outcome)
{
    outcome.check();
    bool saved = WriteSetting(section, QStringLiteral("username"), Text1->text(), m_places.settingsPath());
    saved = WriteSetting(section, QStringLiteral("domain"), Combo1->currentText(), m_places.settingsPath()) && saved;
    saved = WriteSetting(section, QStringLiteral("password"), Text2->text(), m_places.settingsPath()) && saved;
    Frame1->setToolTip(settingsPlaceTip(m_places.settingsPath()));
    Command3->setEnabled(false);
    Command1->setEnabled(false);
    if (!saved) {
        common::showMessage(this, QStringLiteral("已经提交，但设置没能保存到 %1。")
                                      .arg(QDir::toNativeSeparators(m_places.settingsPath())));
    }
}

void frmmain::Command2_Click()
{
    common::SingleWindow<frmabout>::show();
}

void frmmain::Command3_Click()
{
    close();
}

void frmmain::WebBrowser1_DocumentComplete()
{
    Command3->setEnabled(true);
    Command1->setEnabled(true);
}

common::FaultSink frmmain::faultSink()
{
    return [this](const common::Fault &fault) { common::showMessage(this, QString::fromUtf8(fault.what())); };
}

} // namespace ipupdate
