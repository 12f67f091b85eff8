#include "providerpage.h"

#include <QFile>
#include <QVariantMap>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>

namespace ipupdate {

namespace {

// A JSON string whose every character outside printable ASCII, and every character that means
// something in a script or in HTML, is written as \uXXXX: the user's texts reach the page as
// data, whatever quotes, backslashes, line breaks, U+2028 or "</script>" they hold.
QString scriptString(const QString &text)
{
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'"' && u != u'\\' && u != u'<' && u != u'>' && u != u'&'
            && u != u'\'') {
            quoted += c;
        } else {
            quoted += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        }
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString fieldsObject(const AccountFields &fields)
{
    return QStringLiteral("{\"username\":%1,\"domain\":%2,\"password\":%3,\"url\":%4}")
        .arg(scriptString(fields.username), scriptString(fields.domain),
             scriptString(fields.password), scriptString(fields.url));
}

const QString &confirmScript()
{
    static const QString script = [] {
        QFile file(QStringLiteral(":/ipupdate/providerpage.js"));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).trimmed();
    }();
    return script;
}

// Every message tells the user what did not happen, so no one takes a failed confirm for a
// done one.
SubmitOutcome outcomeOf(const QVariant &answer)
{
    if (!answer.isValid()) {
        return SubmitOutcome::faulted(
            QStringLiteral("提供商的页面没有响应，没有提交。设置未保存。"));
    }
    const QVariantMap result = answer.toMap();
    const QString fault = result.value(QStringLiteral("fault")).toString();
    const int number = result.value(QStringLiteral("index")).toInt() + 1;
    if (fault == QLatin1String("noform")) {
        return SubmitOutcome::faulted(
            QStringLiteral("提供商的页面上没有表单，没有提交。设置未保存。"));
    }
    if (fault == QLatin1String("value")) {
        return SubmitOutcome::faulted(
            QStringLiteral("页面表单的第 %1 个元素“%2”不接受填入的内容，没有提交。设置未保存。")
                .arg(number)
                .arg(result.value(QStringLiteral("name")).toString()));
    }
    if (fault == QLatin1String("press")) {
        return SubmitOutcome::faulted(
            result.value(QStringLiteral("pressed")).toInt() == 0
                ? QStringLiteral("页面表单的第 %1 个元素“ok3”按不下去，没有提交。设置未保存。").arg(number)
                : QStringLiteral("页面表单的第 %1 个元素“ok3”按不下去，提交可能没有完成。设置未保存。")
                      .arg(number));
    }
    const int pressed = result.value(QStringLiteral("pressed")).toInt();
    // Without a submit element nothing goes to the provider; saving and waiting for an answer
    // page that never comes would leave the user with two dead buttons.
    if (pressed == 0) {
        return SubmitOutcome::faulted(
            QStringLiteral("页面的表单里没有提交按钮“ok3”，没有提交。设置未保存。"));
    }
    return SubmitOutcome::submitted(pressed);
}

// A page that opens its answer in a new window (target="_blank", window.open) has no window
// to open here: the answer loads in this same page instead, with the posted form.
class UnseenPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return this; }
};

} // namespace

SubmitOutcome SubmitOutcome::submitted(int pressed)
{
    SubmitOutcome outcome;
    outcome.m_pressed = pressed;
    return outcome;
}

SubmitOutcome SubmitOutcome::faulted(QString message)
{
    SubmitOutcome outcome;
    outcome.m_fault = std::move(message);
    return outcome;
}

void SubmitOutcome::check() const
{
    if (!m_fault.isEmpty())
        throw PageFault(m_fault.toStdString());
}

ProviderPage::ProviderPage(QObject *parent)
    : QObject(parent),
      // A profile of its own, kept in memory only, that ends with this page and not at exit.
      m_profile(new QWebEngineProfile(this)),
      m_page(new UnseenPage(m_profile, this))
{
    connect(m_page, &QWebEnginePage::loadFinished, this, &ProviderPage::loadFinished);
}

ProviderPage::~ProviderPage()
{
    // The page must go before its profile. A script still pending is answered (empty) by the
    // engine right here; its callback finds this object gone and does nothing.
    delete m_page;
    m_page = nullptr;
}

void ProviderPage::Navigate(const QUrl &address)
{
    m_page->load(address);
}

void ProviderPage::FillAndSubmit(const AccountFields &fields,
                                 std::function<void(const SubmitOutcome &)> done)
{
    if (m_submitting)
        return;
    if (!m_loadedOnce) {
        done(SubmitOutcome::faulted(
            QStringLiteral("提供商的页面还没有打开，没有提交。设置未保存。")));
        return;
    }
    m_submitting = true;
    m_completedWhileSubmitting = false;
    const QString source = confirmScript() + QLatin1Char('(') + fieldsObject(fields) + QLatin1Char(')');
    QPointer<ProviderPage> self(this);
    m_page->runJavaScript(source, QWebEngineScript::ApplicationWorld,
                          [self, done = std::move(done)](const QVariant &answer) {
                              if (!self)
                                  return;
                              self->m_submitting = false;
                              done(outcomeOf(answer));
                              // An answer page that was quicker than the script's own answer
                              // still counts, after the confirm has finished.
                              if (self && std::exchange(self->m_completedWhileSubmitting, false))
                                  emit self->DocumentComplete();
                          });
}

void ProviderPage::loadFinished()
{
    if (!m_loadedOnce) {
        m_loadedOnce = true;
        // A page that is never shown counts as hidden and gets its timers slowed to about one
        // a second; the provider's scripts should run as they would in a browser window.
        m_page->setVisible(true);
    }
    if (m_submitting) {
        m_completedWhileSubmitting = true;
        return;
    }
    emit DocumentComplete();
}

} // namespace ipupdate
