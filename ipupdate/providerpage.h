#pragma once

#include "common/faults.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QWebEnginePage;
class QWebEngineProfile;

namespace ipupdate {

// A call into the provider's page that failed: no page, no form, or an element that would not
// take a value or a press. The text is the message for the user, in UTF-8.
class PageFault : public common::Fault {
public:
    using common::Fault::Fault;
};

// The four texts that the confirm writes into the page's first form, by element name.
struct AccountFields {
    QString username; // element "username"
    QString domain;   // element "domain"
    QString password; // element "password"
    QString url;      // element "url"
};

// What became of one fill-and-submit run in the page.
class SubmitOutcome {
public:
    static SubmitOutcome submitted(int pressed);
    static SubmitOutcome faulted(QString message);

    // Throws the run's PageFault when it did not submit.
    void check() const;
    int pressed() const { return m_pressed; }

private:
    int m_pressed = 0;
    QString m_fault;
};

// The provider's record-change page in a browser engine that is never shown (WebBrowser1).
// Every finished load, of the page or of the answer to a submission, successful or not, is a
// document-complete.
class ProviderPage : public QObject {
    Q_OBJECT

public:
    explicit ProviderPage(QObject *parent = nullptr);
    ~ProviderPage() override;

    // Starts loading `address` and returns at once.
    void Navigate(const QUrl &address);

    // Fills the first form's fields named username, domain, password and url with `fields`,
    // then presses every element of that form named "ok3", in element order, as one script run
    // in the page: all four fields are filled before the first press, and nothing is pressed
    // when filling fails. `done` receives the outcome on the user-interface thread, and not at
    // all when the page is gone first. While a run is pending, a further call does nothing: one
    // press of the confirm button submits once.
    void FillAndSubmit(const AccountFields &fields, std::function<void(const SubmitOutcome &)> done);

signals:
    void DocumentComplete();

private:
    void loadFinished();

    QWebEngineProfile *m_profile = nullptr;
    QWebEnginePage *m_page = nullptr;
    bool m_loadedOnce = false;
    bool m_submitting = false;
    bool m_completedWhileSubmitting = false;
};

} // namespace ipupdate
