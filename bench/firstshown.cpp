#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <unistd.h>

// A Qt plugin that ends the process, with exit code 42, at the moment a program reaches a point
// worth timing. The programs themselves know nothing of it: Qt loads it for any program started
// with QT_QPA_GENERIC_PLUGINS=firstshown (and QT_PLUGIN_PATH pointing at the folder above
// generic/), so the bare reference and the real programs are measured by the same code.
//
//   firstshown                   the first top-level window has been exposed and painted
//   firstshown:enabled=Command1  the widget named Command1 has become enabled
namespace {

constexpr int kReached = 42;

class Watcher : public QObject {
public:
    explicit Watcher(const QString &argument)
    {
        if (argument.startsWith(QLatin1String("enabled=")))
            m_enabledName = argument.mid(8);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (m_enabledName.isEmpty()) {
            if (event->type() == QEvent::Expose && object->isWindowType()
                && static_cast<QWindow *>(object)->isExposed())
                reached();
        } else if (event->type() == QEvent::EnabledChange && object->objectName() == m_enabledName
                   && static_cast<QWidget *>(object)->isEnabled()) {
            reached();
        }
        return false;
    }

private:
    // The event goes on to its receiver first (the window paints and flushes in answer to its
    // expose event); the process ends at the next turn of the event loop, skipping teardown.
    void reached()
    {
        if (m_reached)
            return;
        m_reached = true;
        QTimer::singleShot(0, [] { ::_exit(kReached); });
    }

    QString m_enabledName;
    bool m_reached = false;
};

} // namespace

// Outside the anonymous namespace: the plugin's metadata and instance hooks refer to the class.
class FirstShownPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstshown.json")

public:
    QObject *create(const QString &key, const QString &argument) override
    {
        if (key.compare(QLatin1String("firstshown"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new Watcher(argument);
    }
};

#include "firstshown.moc"
