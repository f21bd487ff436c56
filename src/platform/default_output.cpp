#include "default_output.h"

#include <QMediaDevices>

#ifdef CORVALEN_WITH_PULSEAUDIO
#include <pulse/pulseaudio.h>
#endif

namespace corvalen {

#ifdef CORVALEN_WITH_PULSEAUDIO

// A connection to the sound server on a thread of its own: it reads the default output at start
// and again at every change of the server or of its outputs, and hands the name to the window
// thread.
struct DefaultOutput::Server {
    explicit Server(DefaultOutput* notified)
        : owner(notified)
        , loop(pa_threaded_mainloop_new())
    {
        context = pa_context_new(pa_threaded_mainloop_get_api(loop), "Corvalen");
        pa_context_set_state_callback(context, &Server::stateChanged, this);
        // No server of its own is started: without one there is simply no output.
        pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        pa_threaded_mainloop_start(loop);
    }
    ~Server()
    {
        pa_threaded_mainloop_stop(loop);
        pa_context_disconnect(context);
        pa_context_unref(context);
        pa_threaded_mainloop_free(loop);
    }

    static void stateChanged(pa_context* context, void* self)
    {
        if (pa_context_get_state(context) != PA_CONTEXT_READY)
            return;
        pa_context_set_subscribe_callback(context, &Server::serverChanged, self);
        const auto mask
            = pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SERVER | PA_SUBSCRIPTION_MASK_SINK);
        pa_operation_unref(pa_context_subscribe(context, mask, nullptr, nullptr));
        readDefault(context, self);
    }
    static void serverChanged(
        pa_context* context, pa_subscription_event_type_t, uint32_t, void* self)
    {
        readDefault(context, self);
    }
    static void readDefault(pa_context* context, void* self)
    {
        pa_operation_unref(pa_context_get_server_info(context, &Server::serverRead, self));
    }
    static void serverRead(pa_context*, const pa_server_info* info, void* self)
    {
        DefaultOutput* owner = static_cast<Server*>(self)->owner;
        const QByteArray sink = info && info->default_sink_name ? info->default_sink_name : "";
        QMetaObject::invokeMethod(
            owner, [owner, sink] { owner->serverNamed(sink); }, Qt::QueuedConnection);
    }

    DefaultOutput* owner;
    pa_threaded_mainloop* loop;
    pa_context* context;
};

DefaultOutput::DefaultOutput(QObject* parent)
    : QObject(parent)
    , m_listCheck(new QTimer(this))
{
    constexpr int kCheckMs = 50;
    m_listCheck->setSingleShot(true);
    m_listCheck->setInterval(kCheckMs);
    connect(m_listCheck, &QTimer::timeout, this, &DefaultOutput::waitUntilListed);
    m_server = std::make_unique<Server>(this);
}

#else

struct DefaultOutput::Server { };

DefaultOutput::DefaultOutput(QObject* parent)
    : QObject(parent)
    , m_listCheck(nullptr)
{
    auto* devices = new QMediaDevices(this);
    connect(devices, &QMediaDevices::audioOutputsChanged, this, &DefaultOutput::changed);
}

#endif

DefaultOutput::~DefaultOutput() = default;

void DefaultOutput::serverNamed(const QByteArray& sink)
{
    m_serverDefault = sink;
    m_unlistedChecks = 0;
    waitUntilListed();
}

void DefaultOutput::waitUntilListed()
{
    // Qt hears of a new output from the server too, a moment before or after this program.
    constexpr int kChecks = 40;
    if (!m_serverDefault->isEmpty() && device().isNull() && ++m_unlistedChecks < kChecks)
        return m_listCheck->start();
    emit changed();
}

QAudioDevice DefaultOutput::device() const
{
    if (!m_serverDefault)
        return QMediaDevices::defaultAudioOutput();
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        if (device.id() == *m_serverDefault)
            return device;
    return {};
}

} // namespace corvalen
